// The minimap's picture: its colours, following the record cell by cell, and
// the arithmetic between minimap and view.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <utility>

#include "map/MapaCodes.h"
#include "view/Minimap.h"
#include "view/ZoomScroll.h"

namespace {

double Distance(std::uint32_t a, std::uint32_t b) {
  double sum = 0;
  for (int shift : {0, 8, 16}) sum += std::pow(double((a >> shift) & 255) - double((b >> shift) & 255), 2);
  return std::sqrt(sum);
}

std::uint32_t Color(std::uint8_t kind, std::uint8_t image, TGroundWetness ground = TGroundWetness::Dry) {
  return MinimapColor(TTile{0, image, kind}, ground);
}

TEST(MinimapTest, ColoursTellTheGroupsApart) {
  // One tile of every group the player must tell apart; sun and rain are
  // the same ground a day apart, so only they may be nearer.
  const std::pair<const char*, std::uint32_t> groups[] = {
      {"water", Color(tkWater, ImageOpenWater)},     {"ground in sun", Color(tkEmpty, 0)},
      {"ground in rain", Color(tkEmpty, 0, TGroundWetness::Damp)}, {"trees", Color(tkTree, ImageFirstTree)},
      {"scenery", Color(tkScenery, ImageFirstScenery)}, {"dirt road", Color(tkDirtRoad, BaseDirtRoad + 4)},
      {"pavement", Color(tkPavement, BasePavement + 4)}, {"fence", Color(tkFence, BaseFence + 4)},
      {"duct", Color(tkDuct, BaseDuct + 4)},             {"fitting", Color(tkDuctS, ImageDuctSWestEast)},
      {"bridge", Color(tkBridge, ImageBridge)},          {"crossing", Color(tkCrossing, ImageBridge)},
      {"house", Color(tkHouse, 0)},
  };
  for (std::size_t i = 0; i < std::size(groups); ++i)
    for (std::size_t j = i + 1; j < std::size(groups); ++j)
      EXPECT_GE(Distance(groups[i].second, groups[j].second), i == 1 && j == 2 ? 20 : 40)
          << groups[i].first << " / " << groups[j].first;

  EXPECT_NE(Color(tkGate, ImageGateWestEast), Color(tkFence, BaseFence + 4));
  EXPECT_EQ(Color(tkDuct, ImageDuctWestEastAlt), Color(tkDuct, BaseDuct + 9));
  // Both water frames alike; a bank is lighter water, nearer water than ground.
  EXPECT_EQ(Color(tkWater, 23), Color(tkWater, 24));
  EXPECT_LT(Distance(Color(tkWater, 30), Color(tkWater, 23)), Distance(Color(tkWater, 30), Color(tkEmpty, 0)));
  // Clearing frames are bare ground, which alone follows the weather.
  EXPECT_EQ(Color(tkEmpty, ImageClearingFirst + 3, TGroundWetness::Soaked), Color(tkEmpty, 0, TGroundWetness::Soaked));
  EXPECT_NE(Color(tkEmpty, 0, TGroundWetness::Soaked), Color(tkEmpty, 0, TGroundWetness::Damp));
  EXPECT_EQ(Color(tkTree, ImageFirstTree, TGroundWetness::Soaked), Color(tkTree, ImageFirstTree));
  // A kind of a damaged record gets a colour, not a read past the table.
  EXPECT_EQ(Color(13, 0), MinimapUnknownColor);
  EXPECT_EQ(Color(255, 255), MinimapUnknownColor);
}

TEST(MinimapTest, RefreshRepaintsOnlyChangedCells) {
  RandomSeed(11);
  TMapa map;
  map.Generate();
  map.Record().tiles[50][50] = {0, ImageFirstTree, tkTree};
  TMinimap minimap;
  const auto matches = [&] {
    for (int x = 1; x <= 96; ++x)
      for (int y = 1; y <= 96; ++y)
        if (minimap.Pixel(x, y) != MinimapColor(map.Record().tiles[x][y], GroundWetnessOf(map.Record()))) return false;
    return true;
  };
  EXPECT_EQ(minimap.Refresh(map.Record()), (TMinimapArea{0, 0, 96, 96}));
  EXPECT_TRUE(matches());
  EXPECT_TRUE(minimap.Refresh(map.Record()).Empty());

  // Far-apart changes give their bounding box; the ring is never shown.
  map.Record().tiles[3][90] = {0, ImageBridge, tkBridge};
  map.Record().tiles[40][4] = {0, 0, tkHouse};
  map.Record().tiles[0][0] = {0, 0, tkHouse};
  EXPECT_EQ(minimap.Refresh(map.Record()), (TMinimapArea{2, 3, 40, 90}));
  EXPECT_EQ(minimap.Pixel(0, 0), MinimapUnknownColor);

  // Water frames and clearing frames change no cell.
  for (auto& column : map.Record().tiles)
    for (TTile& tile : column)
      if (tile.kind == tkWater && tile.image == 23) tile.image = 24;
  ASSERT_TRUE(map.Bulldoze(50, 50));
  EXPECT_EQ(minimap.Refresh(map.Record()), (TMinimapArea{49, 49, 50, 50}));
  map.Record().tiles[50][50].image = ImageClearingFirst + 5;
  EXPECT_TRUE(minimap.Refresh(map.Record()).Empty());

  // Rain repaints the ground; a loaded record replaces every cell.
  map.Record().weather = wtRain;
  const TMinimapArea rained = minimap.Refresh(map.Record());
  EXPECT_GT((rained.Right - rained.Left) * (rained.Bottom - rained.Top), 90 * 90);
  RandomSeed(12);
  TMapa other;
  other.Generate();
  map.Record() = other.Record();
  minimap.Refresh(map.Record());
  EXPECT_TRUE(matches());
}

TEST(MinimapTest, OutlineAndCentringFollowZoomAndScroll) {
  const std::pair<TViewport, TMinimapArea> cases[] = {
      // 300 x 207 at 24: 12.5 x 8.6 tiles; a partial column counts in part.
      {{0, 0, 24, 300, 207}, {0, 0, 25, 17}},
      {{40, 30, 24, 300, 207}, {80, 60, 105, 77}},
      {{90, 92, 24, 300, 207}, {180, 184, 192, 192}},  // cut at the map's edge
      {{10, 5, 48, 640, 507}, {20, 10, 47, 31}},
      {{7, 7, 36, 640, 507}, {14, 14, 50, 42}},
      {{0, 0, 12, 1800, 1000}, {0, 0, 192, 167}},  // a large view shows more than the map
      {{-3, -1, 24, 300, 207}, {0, 0, 25, 17}},
      {{0, 0, 0, 300, 207}, {}},
  };
  for (const auto& [view, expected] : cases)
    EXPECT_EQ(MinimapViewArea(view, 2), expected) << view.ViewX << "," << view.ViewY << " at " << view.TileSize;
  EXPECT_EQ(MinimapViewArea({10, 5, 12, 640, 507}, 3), (TMinimapArea{30, 15, 190, 142}));

  EXPECT_EQ(CentredScroll(50, 300, 24), 43);
  EXPECT_LT(CentredScroll(1, 300, 24), 0);  // the scroll bars keep it at 0
  for (int size : {12, 16, 24, 36, 48})
    for (int pixels : {300, 641, 1903})
      for (int tile = 1; tile <= 96; tile += 5) {
        const int middle = CentredScroll(tile, pixels, size) * size + pixels / 2;
        EXPECT_LE(std::abs(middle - ((tile - 1) * size + size / 2)), size / 2 + 1) << tile << " at " << size;
      }
}

}  // namespace
