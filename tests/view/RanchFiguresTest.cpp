// The ranch economy over the map: troughs, planted grass and cattle drawn
// from a tiny hand-made image list on a fenced box, where they belong, the
// same on the same day, moved the next, and not drawn again while nothing
// changes.
#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "economy/Economy.h"
#include "map/Mapa.h"
#include "map/MapaCodes.h"
#include "shell/defines.h"
#include "tests/economy/EcoTestSupport.h"
#include "tests/view/DrawFixture.h"
#include "view/RanchFigures.h"
#include "view/RanchPictures.h"

namespace {

// The ranch's patterns: a figure is a block of its own colour filling its
// box and nothing else; troughs and planted grass fill their square.
constexpr std::uint32_t RanchPixel(int i) { return 0xFF000000u | 0xA0u << 16 | std::uint32_t(i - 256) << 8 | 0xC0u; }
bool IsFigurePixel(std::uint32_t p) {
  for (int i = FirstCattlePattern; i < FirstCattleShadow; ++i)
    if (p == RanchPixel(i)) return true;
  return false;
}

TBitmap RanchSheet() {
  TBitmap sheet = PatternSheet(16, 23, [](int i) { return GroundPixel(i); }, 1000);
  for (int i = WaterTroughPattern; i < 16 * 23; ++i) {
    const bool figure = i >= FirstCattlePattern;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        const bool inBox = x >= CattleBoxFirst && x < CattleBoxEnd && y >= CattleBoxFirst && y < CattleBoxEnd;
        const bool shows = i < RanchPatternEnd && (!figure || inBox);
        sheet.Pixels[static_cast<std::size_t>((i / 16) * 24 + y) * sheet.Width + (i % 16) * 24 + x] =
            shows ? RanchPixel(i) : KeyPixel;
      }
  }
  return sheet;
}

class RanchFigures : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameGlobals();
    TileSize = 24;
    TPictureCollectionItem& ground = list.Items.Add();
    ground.Picture = RanchSheet();
    TPictureCollectionItem& houses = list.Items.Add();
    houses.Picture = PatternSheet(4, 1, [](int i) { return HousePixel(i); }, 1000);
    for (TPictureCollectionItem* item : {&ground, &houses}) {
      item->PatternWidth = item->PatternHeight = 24;
      item->SetTransparentColor(0x00FF00FF);
    }
    device.Start();
    list.SetDXDraw(&device);
    MakeBoxRanch(ranch);
    ranch.map.Record().funds = 2'000'000;
  }
  void TearDown() override {
    list.SetDXDraw(nullptr);
    ResetGameGlobals();
  }
  // The view starts at column and row 18, so the box 20..29 shows whole.
  void Frame(const TEconomy* eco, int day, int size = 24) {
    TileSize = size;
    ranch.map.Draw(device.Back(), Width, Height, 18, 18, list, horizontal, vertical);
    figures.Draw(device.Back(), eco, ranch.map, list, Width, Height, 18, 18, size, day);
  }
  std::vector<std::uint32_t> Pixels() {
    const TDirectDrawSurface& back = device.Back();
    return {back.Bits(), back.Bits() + static_cast<std::size_t>(back.Width()) * back.Height()};
  }
  // The map tile under screen pixel (px, py).
  std::pair<int, int> TileUnder(int px, int py, int size) const { return {18 + px / size + 1, 18 + py / size + 1}; }

  static constexpr int Width = 480, Height = 480;
  THeadlessDevice device{Width, Height};
  TDXImageList list;
  TEcoRanch ranch;
  TRanchFigures figures;
  TFakeBar horizontal, vertical;
};

TEST_F(RanchFigures, NothingIsDrawnWithoutAnEconomyOrAHerd) {
  Frame(nullptr, 1);
  const std::vector<std::uint32_t> plain = Pixels();
  // An economy without herds, troughs or planting draws nothing either.
  Frame(&ranch.eco, 1);
  EXPECT_EQ(Pixels(), plain);
}

TEST_F(RanchFigures, CattleStandOnlyInsideTheirPastureAtEveryZoom) {
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 40), TEcoResult::Done);
  for (int size : {12, 16, 24, 36, 48}) {
    SCOPED_TRACE(size);
    device.Back().Fill(0xFF000000u);
    Frame(&ranch.eco, 5, size);
    std::set<std::pair<int, int>> tiles;
    for (int py = 0; py < Height; ++py)
      for (int px = 0; px < Width; ++px)
        if (IsFigurePixel(device.Back().Line(py)[px])) {
          const auto [x, y] = TileUnder(px, py, size);
          ASSERT_NE(ranch.eco.PastureAt(x, y), NoPasture) << x << "," << y;
          tiles.insert({x, y});
        }
    // 40 head on 63 tiles: figures on many tiles, not on the pond.
    EXPECT_GT(tiles.size(), 10U);
    EXPECT_EQ(tiles.count({28, 28}), 0U);
  }
}

TEST_F(RanchFigures, TheSameDayGivesTheSamePixelsAndTheNextDayMovesTheHerd) {
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 12), TEcoResult::Done);
  Frame(&ranch.eco, 7);
  const std::vector<std::uint32_t> day7 = Pixels();
  TRanchFigures other;
  device.Back().Fill(0xFF000000u);
  ranch.map.Draw(device.Back(), Width, Height, 18, 18, list, horizontal, vertical);
  other.Draw(device.Back(), &ranch.eco, ranch.map, list, Width, Height, 18, 18, 24, 7);
  EXPECT_EQ(Pixels(), day7);
  Frame(&ranch.eco, 8);
  EXPECT_NE(Pixels(), day7);
  // Back to the first day: the same places again.
  Frame(&ranch.eco, 7);
  EXPECT_EQ(Pixels(), day7);
}

TEST_F(RanchFigures, TroughsAndPlantedGrassShowOverTheirTiles) {
  ASSERT_TRUE(ranch.eco.ToolAction(ranch.map, tlAgua, 22, 22));
  ASSERT_TRUE(ranch.eco.ToolAction(ranch.map, tlComida, 25, 22));
  ASSERT_TRUE(ranch.eco.ToolAction(ranch.map, tlPlant, 22, 25));
  ranch.map.Record().weather = wtRain;
  ranch.map.Record().weatherYesterday = wtRain;
  Frame(&ranch.eco, 1);
  const auto at = [&](int x, int y) { return device.Back().Line((y - 19) * 24 + 12)[(x - 19) * 24 + 12]; };
  EXPECT_EQ(at(22, 22), RanchPixel(WaterTroughPattern));
  EXPECT_EQ(at(25, 22), RanchPixel(FeedTroughPattern));
  EXPECT_EQ(at(22, 25), RanchPixel(PlantedPattern(TGroundWetness::Soaked)));
  EXPECT_EQ(at(23, 25), GroundPixel(GroundImage(TGroundWetness::Soaked)));
}

TEST_F(RanchFigures, SplitsAHerdOverItsPastureByHead) {
  std::vector<std::array<int, 2>> tiles;
  for (int x = 10; x < 15; ++x)
    for (int y = 10; y < 14; ++y) tiles.push_back({x, y});
  for (std::uint32_t head : {0U, 1U, 7U, 20U, 33U, 60U, 61U, 500U}) {
    const std::vector<std::uint8_t> counts = HerdSpread(tiles, head, 3, 977);
    EXPECT_EQ(std::accumulate(counts.begin(), counts.end(), 0U), std::min(head, 60U)) << head;
    EXPECT_LE(*std::max_element(counts.begin(), counts.end()), MaxFiguresPerTile);
    EXPECT_EQ(counts, HerdSpread(tiles, head, 3, 977));
  }
  EXPECT_NE(HerdSpread(tiles, 5, 3, 977), HerdSpread(tiles, 5, 4, 977));
  // Every figure of a tile stays within reach of the tile's middle.
  for (int count = 1; count <= MaxFiguresPerTile; ++count)
    for (int day = 0; day < 50; ++day)
      for (const TFigure& f : TileFigures(12, 40, count, day, 5)) {
        EXPECT_LE(std::abs(f.dx), CattleReach);
        EXPECT_LE(std::abs(f.dy), CattleReach);
      }
}

TEST_F(RanchFigures, AFrameWithNothingChangedDrawsNothing) {
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 30), TEcoResult::Done);
  ASSERT_TRUE(ranch.eco.ToolAction(ranch.map, tlAgua, 22, 22));
  Frame(&ranch.eco, 3);
  device.Back().TakeChanges();
  Frame(&ranch.eco, 3);
  EXPECT_TRUE(device.Back().TakeChanges().empty());

  // A new day repaints the pasture's squares and nothing outside the box.
  Frame(&ranch.eco, 4);
  const std::vector<TRect> changed = device.Back().TakeChanges();
  ASSERT_FALSE(changed.empty());
  for (const TRect& area : changed) {
    EXPECT_GE(area.Left, 24);
    EXPECT_GE(area.Top, 24);
    EXPECT_LE(area.Right, 11 * 24);
    EXPECT_LE(area.Bottom, 11 * 24);
  }
  const std::vector<std::uint32_t> withHerd = Pixels();

  // Something draws over the herd, as the hover marker does: the next frame
  // lays those squares and their cattle again, and only those.
  device.Back().FillRect({3 * 24, 3 * 24, 8 * 24, 8 * 24}, 0xFFFFFFFFu);
  device.Back().TakeChanges();
  Frame(&ranch.eco, 4);
  EXPECT_EQ(Pixels(), withHerd);
  for (const TRect& area : device.Back().TakeChanges()) {  // a figure's square overhangs its tile
    EXPECT_GE(area.Left, 3 * 24 - CattleReach);
    EXPECT_GE(area.Top, 3 * 24 - CattleReach);
    EXPECT_LE(area.Right, 8 * 24 + CattleReach);
    EXPECT_LE(area.Bottom, 8 * 24 + CattleReach);
  }
  // A trough placed, nothing else changed: it shows at once.
  ASSERT_TRUE(ranch.eco.ToolAction(ranch.map, tlComida, 27, 21));
  Frame(&ranch.eco, 4);
  EXPECT_EQ(device.Back().Line(2 * 24 + 12)[8 * 24 + 12], RanchPixel(FeedTroughPattern));

  // The herd sold, the option off: the tiles come back as the map draws them.
  ASSERT_EQ(ranch.eco.Sell(ranch.map, 22, 22, 30), TEcoResult::Done);
  Frame(nullptr, 4);
  const std::vector<std::uint32_t> cleared = Pixels();
  EXPECT_NE(cleared, withHerd);
  EXPECT_EQ(device.Back().Line(2 * 24 + 12)[8 * 24 + 12], GroundPixel(0));
  device.Back().Fill(0xFF000000u);
  Frame(nullptr, 4);
  EXPECT_EQ(Pixels(), cleared);
  device.Back().TakeChanges();
  Frame(nullptr, 4);
  EXPECT_TRUE(device.Back().TakeChanges().empty());
}

}  // namespace
