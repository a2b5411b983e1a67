// Which picture the detailed terrain shows for a tile: chosen from the kind,
// the neighbours and the day's ground, never written back into the map.
#include <gtest/gtest.h>

#include "map/MapaCodes.h"
#include "map/TerrainDetail.h"
#include "tests/map/MapTestSupport.h"

namespace {

constexpr TGroundWetness Damp = TGroundWetness::Damp, Soaked = TGroundWetness::Soaked;

int DampVersion(std::uint8_t image) {
  for (std::size_t k = 0; k < WeatheredImages.size(); ++k)
    if (WeatheredImages[k] == image) return FirstDampFeature + static_cast<int>(k);
  return -1;
}

class TerrainDetail : public ::testing::Test {
 protected:
  void SetUp() override { MakeBorder(map); }
  TDetailedPicture At(int x, int y, TGroundWetness ground = TGroundWetness::Dry) { return DetailedPicture(map.Record(), x, y, ground); }
  // A river running north to south down column x, rows 2..30.
  void RiverDown(int x) {
    for (int y = 2; y <= 30; ++y) map.PlaceWater(x, y, TPlaceMode::Place);
  }
  void Road(int x0, int y0, int x1, int y1, std::uint8_t base = BaseDirtRoad) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        ASSERT_TRUE(map.PlaceLinear(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), base, TPlaceMode::Place));
  }
  TMapa map;
};

TEST_F(TerrainDetail, AWideBridgeKeepsItsWayFromEndToEnd) {
  for (int x = 10; x <= 12; ++x) RiverDown(x);
  Road(7, 12, 15, 12);
  for (int x = 10; x <= 12; ++x) {
    EXPECT_EQ(BridgeDirection(map.Record(), x, 12), TRunDirection::WestEast) << x;
    EXPECT_EQ(At(x, 12).overlay, BridgeDeckWestEast) << x;
  }
  // The middle of the deck stands over open water.
  EXPECT_EQ(At(11, 12).pattern, WaterJoinImage[15]);
}

TEST_F(TerrainDetail, ABridgeThatCouldRunEitherWayKeepsTheNeutralDeck) {
  // Water on all four sides and no road: nothing says which way it runs.
  for (int y = 9; y <= 11; ++y)
    for (int x = 9; x <= 11; ++x) map.PlaceWater(x, y, TPlaceMode::Place);
  Put(map, 10, 10, tkBridge, ImageBridge);
  EXPECT_EQ(BridgeDirection(map.Record(), 10, 10), TRunDirection::Neither);
  EXPECT_EQ(At(10, 10).pattern, ImageBridge);
  EXPECT_EQ(At(10, 10).overlay, -1);
}

TEST_F(TerrainDetail, CrossingsCarryTheirRoadOverTheDuctInItsDirectionAndSurface) {
  for (int y = 5; y <= 15; ++y) map.PlaceLinear(20, static_cast<std::uint8_t>(y), BaseDuct, TPlaceMode::Place);
  Road(17, 10, 23, 10);
  ASSERT_EQ(map.Tile(20, 10).kind, tkCrossing);
  EXPECT_EQ(CrossingRoadDirection(map.Record(), 20, 10), TRunDirection::WestEast);
  EXPECT_EQ(At(20, 10).pattern, FirstCrossing);
  EXPECT_EQ(At(20, 10, Damp).pattern, FirstCrossing + 4);
  EXPECT_EQ(At(20, 10, Soaked).pattern, FirstCrossing + 8);

  for (int x = 30; x <= 40; ++x) map.PlaceLinear(static_cast<std::uint8_t>(x), 30, BaseDuct, TPlaceMode::Place);
  Road(35, 27, 35, 33, BasePavement);
  ASSERT_EQ(map.Tile(35, 30).kind, tkCrossing);
  EXPECT_EQ(At(35, 30).pattern, FirstCrossing + 2 + 1);  // paved, running north-south
  // A crossing alone among bare ground could run either way.
  Put(map, 60, 60, tkCrossing, ImageBridge);
  EXPECT_EQ(At(60, 60).pattern, ImageBridge);
}

// The view's tests follow a tree, a road and the house onto wet ground; here
// the pictures that have no wet version.
TEST_F(TerrainDetail, PicturesWithoutAWetVersionAreLeftAsStored) {
  Put(map, 7, 5, tkDuctS, ImageDuctSNorthSouth);
  Put(map, 9, 5, tkDuct, 84);
  Put(map, 10, 5, tkHouse, 7);
  const auto before = Bytes(map);
  EXPECT_EQ(At(7, 5).pattern, ImageDuctSNorthSouth) << "dry days keep the stored picture";
  EXPECT_EQ(At(7, 5, Soaked).pattern, DampVersion(ImageDuctSNorthSouth) + static_cast<int>(WeatheredImages.size()));
  EXPECT_EQ(At(9, 5, Soaked).pattern, 84);
  EXPECT_EQ(At(10, 5, Soaked).pattern, 7);
  EXPECT_TRUE(At(10, 5, Soaked).house);
  EXPECT_EQ(Bytes(map), before) << "choosing a picture changes nothing in the map";
}

TEST_F(TerrainDetail, BanksTurnRoundTheCornersOfAnInsideBend) {
  // An L of water: the bend's corner tile has water north and east of it and
  // bare ground on its north-east diagonal.
  for (int y = 10; y <= 13; ++y)
    for (int x = 20; x <= 21; ++x) map.PlaceWater(x, y, TPlaceMode::Place);
  for (int x = 22; x <= 25; ++x)
    for (int y = 12; y <= 13; ++y) map.PlaceWater(x, y, TPlaceMode::Place);
  const int mask = 1 | 2 | 4 | 8;  // (21, 12) has water on every side
  ASSERT_EQ(map.Tile(21, 12).image, WaterJoinImage[mask]);
  EXPECT_EQ(LandCorners(map.Record(), 21, 12), CornerNE);
  EXPECT_EQ(At(21, 12).pattern, BankCornerPattern(mask, CornerNE, false));
  // On the open water's second frame the turned corner shimmers too.
  map.Tile(21, 12).image = ImageOpenWater + 1;
  EXPECT_EQ(At(21, 12).pattern, BankCornerPattern(mask, CornerNE, true));
  // Water with land on the diagonal but a bank already closing that corner
  // keeps its stored piece.
  EXPECT_EQ(At(21, 10).pattern, map.Tile(21, 10).image);
  // The ring is water: a tile beside it has no land corner there.
  EXPECT_EQ(LandCorners(map.Record(), 1, 1) & CornerNW, 0);
}

}  // namespace
