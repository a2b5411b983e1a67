// The minimap's picture: its colours, following the record cell by cell, and
// the arithmetic between minimap and view.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "map/MapaCodes.h"
#include "shell/defines.h"
#include "view/Minimap.h"

namespace {

double Distance(std::uint32_t a, std::uint32_t b) {
  double sum = 0;
  for (int shift : {0, 8, 16}) {
    const double d = double((a >> shift) & 255) - double((b >> shift) & 255);
    sum += d * d;
  }
  return std::sqrt(sum);
}

std::uint32_t Color(std::uint8_t kind, std::uint8_t image, TGroundState ground = TGroundState::Sun) {
  return MinimapColor(TTile{0, image, kind}, ground);
}

// One tile of every group the player must tell apart.
struct TGroup {
  const char* name;
  std::uint32_t color;
};

std::vector<TGroup> Groups() {
  return {
      {"water", Color(tkWater, ImageOpenWater)},
      {"ground in sun", Color(tkEmpty, 0, TGroundState::Sun)},
      {"ground in rain", Color(tkEmpty, 0, TGroundState::Rain)},
      {"trees", Color(tkTree, ImageFirstTree)},
      {"scenery", Color(tkScenery, ImageFirstScenery)},
      {"dirt road", Color(tkDirtRoad, BaseDirtRoad + 4)},
      {"pavement", Color(tkPavement, BasePavement + 4)},
      {"fence", Color(tkFence, BaseFence + 4)},
      {"duct", Color(tkDuct, BaseDuct + 4)},
      {"fitting", Color(tkDuctS, ImageDuctSWestEast)},
      {"bridge", Color(tkBridge, ImageBridge)},
      {"crossing", Color(tkCrossing, ImageBridge)},
      {"house", Color(tkHouse, 0)},
  };
}

TEST(MinimapColors, EveryGroupStandsApartFromEveryOther) {
  const std::vector<TGroup> groups = Groups();
  for (std::size_t i = 0; i < groups.size(); ++i) {
    EXPECT_EQ(groups[i].color >> 24, 0xFFu) << groups[i].name << " is opaque";
    for (std::size_t j = i + 1; j < groups.size(); ++j) {
      // Sun and rain are the same ground a day apart: told apart, but kin.
      const double least = std::string(groups[i].name).starts_with("ground in") &&
                                   std::string(groups[j].name).starts_with("ground in")
                               ? 20
                               : 40;
      EXPECT_GE(Distance(groups[i].color, groups[j].color), least) << groups[i].name << " / " << groups[j].name;
    }
  }
}

TEST(MinimapColors, KindsDecideAndImagesOnlyRefine) {
  // Kinds within a group differ a little.
  EXPECT_NE(Color(tkGate, ImageGateWestEast), Color(tkFence, BaseFence + 4));
  EXPECT_LT(Distance(Color(tkGate, ImageGateWestEast), Color(tkFence, BaseFence)), 40);
  // Every piece of a linear feature has the feature's colour.
  for (int piece = 0; piece < 11; ++piece) {
    EXPECT_EQ(Color(tkDirtRoad, BaseDirtRoad + piece), Color(tkDirtRoad, BaseDirtRoad));
    EXPECT_EQ(Color(tkDuct, BaseDuct + piece), Color(tkDuct, BaseDuct));
  }
  EXPECT_EQ(Color(tkDuct, ImageDuctWestEastAlt), Color(tkDuct, BaseDuct));
  // Both animation frames of open water look alike; banks are lighter
  // water, nearer to water than to any ground.
  EXPECT_EQ(Color(tkWater, 23), Color(tkWater, 24));
  const std::uint32_t bank = Color(tkWater, 30);
  EXPECT_NE(bank, Color(tkWater, 23));
  EXPECT_LT(Distance(bank, Color(tkWater, 23)), Distance(bank, Color(tkEmpty, 0)));
  // A clearing is bare ground in every frame, and follows the weather.
  for (int image = ImageClearingFirst; image <= ImageClearingFirst + 8; ++image)
    for (TGroundState ground : {TGroundState::Sun, TGroundState::Rain, TGroundState::Soaked})
      EXPECT_EQ(Color(tkEmpty, static_cast<std::uint8_t>(image), ground), Color(tkEmpty, 0, ground));
  EXPECT_NE(Color(tkEmpty, 0, TGroundState::Soaked), Color(tkEmpty, 0, TGroundState::Rain));
  // Weather leaves everything but bare ground alone.
  EXPECT_EQ(Color(tkTree, ImageFirstTree, TGroundState::Soaked), Color(tkTree, ImageFirstTree));
  // A kind no tile can have (a damaged record) gets a colour, not a crash.
  EXPECT_EQ(Color(13, 0), MinimapUnknownColor);
  EXPECT_EQ(Color(255, 255), MinimapUnknownColor);
}

TEST(MinimapColors, GroundStateFollowsTodayAndYesterday) {
  TMapaRecord record{};
  const auto state = [&](std::uint8_t today, std::uint8_t yesterday) {
    record.weather = today;
    record.weatherYesterday = yesterday;
    return GroundStateOf(record);
  };
  EXPECT_EQ(state(wtSunny, wtHeavyRain), TGroundState::Sun);
  EXPECT_EQ(state(wtCloudy, wtRain), TGroundState::Sun);
  EXPECT_EQ(state(wtRain, wtSunny), TGroundState::Rain);
  EXPECT_EQ(state(wtHeavyRain, wtNone), TGroundState::Rain);
  EXPECT_EQ(state(wtHeavyRain, wtRain), TGroundState::Soaked);
  EXPECT_EQ(state(wtRain, wtHeavyRain), TGroundState::Soaked);
}

class MinimapRefresh : public ::testing::Test {
 protected:
  void SetUp() override {
    RandomSeed(11);
    map.Generate();
  }
  void ExpectMatchesRecord() {
    const TGroundState ground = GroundStateOf(map.Record());
    for (int x = 1; x <= 96; ++x)
      for (int y = 1; y <= 96; ++y)
        ASSERT_EQ(minimap.Pixel(x, y), MinimapColor(map.Record().tiles[x][y], ground)) << x << "," << y;
  }
  TMapa map;
  TMinimap minimap;
};

TEST_F(MinimapRefresh, FirstPaintsAllThenOnlyWhatChanged) {
  EXPECT_EQ(minimap.Refresh(map.Record()), (TMinimapArea{0, 0, 96, 96}));
  ExpectMatchesRecord();
  EXPECT_TRUE(minimap.Refresh(map.Record()).Empty());

  map.Record().tiles[10][20] = {0, 0, tkHouse};
  EXPECT_EQ(minimap.Refresh(map.Record()), (TMinimapArea{9, 19, 10, 20}));
  map.Record().tiles[3][90] = {0, ImageBridge, tkBridge};
  map.Record().tiles[40][4] = {0, ImageBridge, tkBridge};
  EXPECT_EQ(minimap.Refresh(map.Record()), (TMinimapArea{2, 3, 40, 90}));
  ExpectMatchesRecord();

  // Tile (1, 1) is the minimap's first cell; the ring is never shown.
  map.Record().tiles[1][1] = {0, 0, tkHouse};
  map.Record().tiles[0][0] = {0, 0, tkHouse};
  map.Record().tiles[97][97] = {0, 0, tkHouse};
  EXPECT_EQ(minimap.Refresh(map.Record()), (TMinimapArea{0, 0, 1, 1}));
  EXPECT_EQ(minimap.Pixels()[0], Color(tkHouse, 0));
  EXPECT_EQ(minimap.Pixel(0, 0), MinimapUnknownColor);
  EXPECT_EQ(minimap.Pixel(97, 5), MinimapUnknownColor);
}

TEST_F(MinimapRefresh, AnimationsCostNothingButWeatherRepaintsTheGround) {
  map.Record().tiles[50][50] = {0, ImageFirstTree, tkTree};
  minimap.Refresh(map.Record());
  // Water frames change no cell.
  for (int x = 1; x <= 96; ++x)
    for (int y = 1; y <= 96; ++y) {
      TTile& tile = map.Record().tiles[x][y];
      if (tile.kind == tkWater && tile.image == 23) tile.image = 24;
    }
  EXPECT_TRUE(minimap.Refresh(map.Record()).Empty());
  // The bulldozed tree is bare ground at once; its clearing frames cost nothing.
  ASSERT_TRUE(map.Bulldoze(50, 50));
  EXPECT_EQ(minimap.Refresh(map.Record()), (TMinimapArea{49, 49, 50, 50}));
  for (int image = ImageClearingFirst + 1; image <= ImageClearingFirst + 8; ++image) {
    map.Record().tiles[50][50].image = static_cast<std::uint8_t>(image);
    EXPECT_TRUE(minimap.Refresh(map.Record()).Empty());
  }

  map.Record().weather = wtRain;
  map.Record().weatherYesterday = wtSunny;
  const TMinimapArea rained = minimap.Refresh(map.Record());
  EXPECT_GT((rained.Right - rained.Left) * (rained.Bottom - rained.Top), 90 * 90);
  ExpectMatchesRecord();
}

TEST_F(MinimapRefresh, ALoadedRecordReplacesEveryCell) {
  minimap.Refresh(map.Record());
  TMapa other;
  RandomSeed(12);
  other.Generate();
  map.Record() = other.Record();
  EXPECT_FALSE(minimap.Refresh(map.Record()).Empty());
  ExpectMatchesRecord();
}

struct TViewCase {
  TViewport view;
  int cell;
  TMinimapArea expected;
};

TEST(MinimapViewArea, OutlinesWhatTheViewShowsAtEachZoomAndScroll) {
  const TViewCase cases[] = {
      // 300 x 207 at 24: 12.5 x 8.6 tiles.
      {{0, 0, 24, 300, 207}, 2, {0, 0, 25, 17}},
      {{40, 30, 24, 300, 207}, 2, {80, 60, 105, 77}},
      // Scrolled to the end: cut at the map's edge.
      {{90, 92, 24, 300, 207}, 2, {180, 184, 192, 192}},
      {{10, 5, 48, 640, 507}, 2, {20, 10, 47, 31}},
      {{10, 5, 12, 640, 507}, 3, {30, 15, 190, 142}},
      {{0, 0, 16, 640, 507}, 2, {0, 0, 80, 63}},
      {{7, 7, 36, 640, 507}, 2, {14, 14, 50, 42}},
      // A large view at 12 shows more than the map.
      {{0, 0, 12, 1800, 1000}, 2, {0, 0, 192, 167}},
      {{-3, -1, 24, 300, 207}, 2, {0, 0, 25, 17}},
  };
  for (const TViewCase& c : cases) {
    const TMinimapArea got = MinimapViewArea(c.view, c.cell);
    EXPECT_EQ(got, c.expected) << c.view.ViewX << "," << c.view.ViewY << " at " << c.view.TileSize << ": " << got.Left
                               << "," << got.Top << "," << got.Right << "," << got.Bottom;
  }
  EXPECT_TRUE(MinimapViewArea({0, 0, 0, 300, 200}, 2).Empty());
  EXPECT_TRUE(MinimapViewArea({0, 0, 24, 0, 200}, 2).Empty());
  EXPECT_TRUE(MinimapViewArea({0, 0, 24, 300, 200}, 0).Empty());
}

TEST(MinimapViewArea, CentringPutsTheTileUnderTheViewsMiddle) {
  EXPECT_EQ(CentredScroll(50, 300, 24), 43);
  EXPECT_LT(CentredScroll(1, 300, 24), 0);  // the scroll bars keep it at 0
  EXPECT_EQ(CentredScroll(50, 300, 0), 0);
  for (int size : {12, 16, 24, 36, 48})
    for (int pixels : {300, 641, 1903})
      for (int tile = 1; tile <= 96; tile += 5) {
        const int scroll = CentredScroll(tile, pixels, size);
        const int middle = scroll * size + pixels / 2;
        // The middle pixel lies in the tile, or within half a tile of it.
        EXPECT_LE(std::abs(middle - ((tile - 1) * size + size / 2)), size / 2 + 1)
            << tile << " in " << pixels << " at " << size;
      }
}

}  // namespace
