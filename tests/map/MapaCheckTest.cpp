// The saved-game validator: what play produces passes, what no game holds
// fails, one line per problem.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "MapTestSupport.h"
#include "map/Mapa.h"
#include "map/MapaCheck.h"
#include "map/Tools.h"
#include "shell/defines.h"

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

// A started game, as start-up leaves it.
void StartGame(TMapa& map, std::uint64_t seed) {
  RandomSeed(seed);
  map.Generate();
  map.AdvanceForecast();
  map.Tick(1);
}

// Strokes of every tool over random tiles, the view's way (rule and funds
// first, charge after), between days at every speed.
TEST(CheckPlay, EveryRecordThatPlayProducesPasses) {
  ResetGameGlobals();
  std::mt19937 pick(77);
  int applied = 0;
  for (std::uint64_t seed = 1; seed <= 30; ++seed) {
    TMapa map;
    RandomSeed(seed);
    map.Generate();
    ASSERT_EQ(Joined(CheckRecord(map.Record())), "") << "generated, seed " << seed;
    map.AdvanceForecast();  // the first forecast step leaves "not yet rolled" codes
    ASSERT_EQ(Joined(CheckRecord(map.Record())), "") << "first forecast, seed " << seed;
    map.Tick(1);
    if (seed % 4 == 0) map.Record().funds = 300;  // runs dry during the strokes
    for (int stroke = 0; stroke < 60; ++stroke) {
      const auto tool = static_cast<TToolKind>(pick() % ToolKindCount);
      int x = static_cast<int>(pick() % 96) + 1, y = static_cast<int>(pick() % 96) + 1;
      for (int step = 0; step < 12; ++step) {
        if (ToolVerdict(tool, map.Tile(x, y), map.Record().funds) != tvRefused &&
            ToolAction(map, tool, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)))
          applied += map.ChangeFunds(-ToolCost[tool]) ? 1 : 0;
        x = std::clamp(x + static_cast<int>(pick() % 3) - 1, 1, 96);
        y = std::clamp(y + static_cast<int>(pick() % 3) - 1, 1, 96);
      }
      GameSpeed = static_cast<unsigned char>(pick() % 6 + 1);
      if (stroke % 5 == 0) map.Tick(static_cast<std::uint8_t>(pick() % 3));
      ASSERT_EQ(Joined(CheckRecord(map.Record())), "") << "seed " << seed << ", stroke " << stroke;
    }
  }
  EXPECT_GT(applied, 1500);  // the strokes really built and bulldozed
}

class CheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameGlobals();
    StartGame(map, 11);
    ASSERT_EQ(Joined(CheckRecord(map.Record())), "");
  }
  std::vector<std::string> Problems() const { return CheckRecord(map.Record()); }
  std::uint8_t& Byte(std::size_t offset) { return reinterpret_cast<std::uint8_t*>(&map.Record())[offset]; }
  TMapa map;
};

TEST_F(CheckTest, CalendarAndWeatherAtAndPastTheirLimits) {
  struct TField {
    std::size_t offset;
    std::vector<int> good, bad;
  };
  const std::vector<int> weatherGood = {0, 4, 99}, weatherBad = {5, 98, 100, 255};
  const TField fields[] = {
      {10, {1, 6}, {0, 7, 255}},  {11, {1, 4}, {0, 5}}, {12, {1, 12}, {0, 13}},  // day, week, month
      {3, weatherGood, weatherBad}, {4, weatherGood, weatherBad},               // today, yesterday
      {5, weatherGood, weatherBad}, {9, weatherGood, weatherBad},               // forecast 1 and 5
  };
  for (const TField& f : fields) {
    const std::uint8_t kept = Byte(f.offset);
    for (int value : f.good) {
      Byte(f.offset) = static_cast<std::uint8_t>(value);
      EXPECT_TRUE(Problems().empty()) << "offset " << f.offset << " = " << value;
    }
    for (int value : f.bad) {
      Byte(f.offset) = static_cast<std::uint8_t>(value);
      EXPECT_EQ(Problems().size(), 1U) << "offset " << f.offset << " = " << value;
    }
    Byte(f.offset) = kept;
  }
  map.Record().month = 13;
  map.Record().forecast[2] = 7;
  EXPECT_EQ(Problems(), (std::vector<std::string>{"month 13 outside 1..12", "forecast[3] 7 is not a weather code"}));
}

TEST_F(CheckTest, FieldsTheGameReadsWithoutHarmAreNotChecked) {
  TMapaRecord& r = map.Record();
  r.funds = -237000000;  // a negative balance is the player's own business
  r.year = 10805;
  r.moisture = 255;
  r.reserved1 = r.reserved2 = r.padding1 = r.padding2[0] = r.padding2[1] = 0xEE;
  r.startX = 250;
  for (int x = 0; x < MapSize; ++x) r.tiles[x][5].spare = static_cast<std::uint8_t>(x);
  EXPECT_EQ(Joined(Problems()), "");
}

// Each kind's images at the edges of every range, unknown kinds, and the
// border ring, which must be water.
TEST_F(CheckTest, TilesShowOnlyWhatTheirKindShows) {
  const std::vector<std::pair<std::vector<int>, std::vector<int>>> images = {
      {{0, 120, 128}, {1, 5, 10, 119, 129}},  // tkEmpty, bare ground and clearing
      {{48, 58}, {47, 59}},   {{59, 69}, {58, 70}},     {{40, 43}, {39, 44}},  {{44, 47}, {43, 48}},
      {{70, 80}, {69, 81}},   {{81, 83}, {80, 82, 84}},                        // fence, gate
      {{85, 95, 100, 101}, {84, 96, 99, 102}},                                 // duct and its older pieces
      {{107, 109}, {106, 108, 110}}, {{23, 24, 39}, {22, 40}},                 // fitting, water
      {{129}, {128, 130}},    {{129}, {128, 130}},      {{0, 3}, {4, 255}},    // bridge, crossing, house
  };
  ASSERT_EQ(images.size(), 13U);
  for (std::size_t kind = 0; kind < images.size(); ++kind) {
    for (int image : images[kind].first) {
      Put(map, 30, 31, static_cast<TTileKind>(kind), static_cast<std::uint8_t>(image));
      EXPECT_TRUE(Problems().empty()) << kind << ":" << image;
    }
    for (int image : images[kind].second) {
      Put(map, 30, 31, static_cast<TTileKind>(kind), static_cast<std::uint8_t>(image));
      EXPECT_EQ(Problems(), std::vector<std::string>{"tile (30, 31): kind " + std::to_string(kind) +
                                                     " never shows image " + std::to_string(image)});
    }
  }
  Put(map, 30, 31, static_cast<TTileKind>(13), 0);
  EXPECT_EQ(Problems(), std::vector<std::string>{"tile (30, 31): unknown kind 13"});
  Put(map, 30, 31, tkEmpty, 0);

  for (const auto& [x, y] : {std::pair{0, 0}, {97, 40}, {40, 97}}) {
    const TTile kept = map.Tile(x, y);
    map.Tile(x, y) = TTile{0, 0, tkEmpty};
    EXPECT_EQ(Problems(), std::vector<std::string>{"tile (" + std::to_string(x) + ", " + std::to_string(y) +
                                                   "): border tile of kind 0, not water"});
    map.Tile(x, y) = kept;
  }
}

TEST_F(CheckTest, NoiseGivesManyPlainLines) {
  std::mt19937 noise(5);
  for (std::size_t i = 0; i < sizeof(TMapaRecord); ++i) Byte(i) = static_cast<std::uint8_t>(noise());
  const auto problems = Problems();
  EXPECT_GT(problems.size(), 1000U);
  for (const auto& line : problems) {
    ASSERT_FALSE(line.empty());
    for (char c : line) ASSERT_TRUE(c >= ' ' && c <= '~') << line;
  }
}

TEST_F(CheckTest, LoadingTakesOnlyASoundWholeRecord) {
  TMapa saved;
  StartGame(saved, 12);
  std::vector<std::uint8_t> file = Bytes(saved);
  const std::vector<std::uint8_t> before = Bytes(map);
  EXPECT_EQ(TakeRecord(file.data(), file.size() - 1, map.Record()), TRecordVerdict::Short);
  EXPECT_EQ(TakeRecord(nullptr, 0, map.Record()), TRecordVerdict::Short);
  file[TileOffset(40, 40) + 2] = 13;
  EXPECT_EQ(TakeRecord(file.data(), file.size(), map.Record()), TRecordVerdict::Damaged);
  EXPECT_EQ(Bytes(map), before);

  file[TileOffset(40, 40) + 2] = saved.Tile(40, 40).kind;
  file.insert(file.end(), {1, 2, 3});  // of a longer file, the first record
  EXPECT_EQ(TakeRecord(file.data(), file.size(), map.Record()), TRecordVerdict::Loaded);
  EXPECT_EQ(Bytes(map), Bytes(saved));
}

// The displays can be rewritten from the record at any time without moving
// the game on: same record, same random sequence.
TEST(ShowDisplays, DateAndForecastComeFromTheRecordAlone) {
  ResetGameGlobals();
  WeekWord.Assign("Semana", 6);
  MonthWord.Assign("de", 2);
  MonthNames[3].Assign("Mar\xE7o", 5);
  TRecordingHost host;
  TMapa map(&host);
  StartGame(map, 9);
  TMapaRecord& r = map.Record();
  r.week = 2;
  r.month = 3;
  r.year = 2031;
  r.forecast[0] = 4;
  r.forecast[1] = 99;
  r.forecast[2] = 1;
  const std::vector<std::uint8_t> before = Bytes(map);
  RandomSeed(123);
  const int expectedNext = RandomInt(1000);
  RandomSeed(123);
  host.calls.clear();

  map.ShowDate();
  map.ShowForecast();
  EXPECT_EQ(host.Matching("date"), std::vector<std::string>{"date Semana 2 de Mar\xE7o, 2031"});
  // A slot not yet rolled leaves its cell alone; the marks are drawn.
  EXPECT_EQ(host.Matching("cell"), (std::vector<std::string>{"cell 0 4", "cell 2 1"}));
  EXPECT_EQ(host.Matching("line").size(), 8U);
  EXPECT_TRUE(host.Matching("funds").empty());
  EXPECT_EQ(Bytes(map), before);
  EXPECT_EQ(RandomInt(1000), expectedNext);
  ResetGameGlobals();
}

}  // namespace
