// Which picture the detailed terrain shows for a tile: chosen from the kind,
// the neighbours and the day's ground, never written back into the map.
#include <gtest/gtest.h>

#include "map/MapaCodes.h"
#include "map/TerrainDetail.h"
#include "tests/map/MapTestSupport.h"

namespace {

constexpr int Damp = 5, Soaked = 10;

int DampVersion(std::uint8_t image) {
  for (std::size_t k = 0; k < WeatheredImages.size(); ++k)
    if (WeatheredImages[k] == image) return FirstDampFeature + static_cast<int>(k);
  return -1;
}

class TerrainDetail : public ::testing::Test {
 protected:
  void SetUp() override { MakeBorder(map); }
  TDetailedPicture At(int x, int y, int ground = 0) { return DetailedPicture(map.Record(), x, y, ground); }
  // A river running north to south down column x, rows 2..30.
  void RiverDown(int x) {
    for (int y = 2; y <= 30; ++y) map.PlaceWater(x, y, TPlaceMode::Place);
  }
  void RiverAcross(int y) {
    for (int x = 2; x <= 30; ++x) map.PlaceWater(x, y, TPlaceMode::Place);
  }
  void Road(int x0, int y0, int x1, int y1, std::uint8_t base = BaseDirtRoad) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        ASSERT_TRUE(map.PlaceLinear(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), base, TPlaceMode::Place));
  }
  TMapa map;
};

TEST_F(TerrainDetail, BridgesLayTheirDeckAlongTheRoadOverTheRiversWater) {
  RiverDown(10);
  Road(7, 12, 13, 12);
  ASSERT_EQ(map.Tile(10, 12).kind, tkBridge);
  const auto before = Bytes(map);
  const TDetailedPicture across = At(10, 12, Soaked);
  EXPECT_EQ(across.overlay, BridgeDeckWestEast);
  EXPECT_EQ(across.pattern, WaterJoinImage[1 | 8]);  // the river runs on north and south beneath it
  EXPECT_FALSE(across.house);
  EXPECT_EQ(Bytes(map), before) << "choosing a picture changes nothing in the map";

  RiverAcross(40);
  Road(20, 37, 20, 43, BasePavement);
  EXPECT_EQ(At(20, 40).overlay, BridgeDeckNorthSouth);
  EXPECT_EQ(At(20, 40).pattern, WaterJoinImage[2 | 4]);
}

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

TEST_F(TerrainDetail, FeaturesAndTheHouseStandOnTheDaysGround) {
  Put(map, 5, 5, tkTree, ImageFirstTree + 2);
  Put(map, 6, 5, tkGate, ImageGateWestEast);
  Put(map, 7, 5, tkDuctS, ImageDuctSNorthSouth);
  Put(map, 8, 5, tkHouse, 3);
  for (const auto& [x, image] : {std::pair{5, ImageFirstTree + 2}, {6, ImageGateWestEast}, {7, ImageDuctSNorthSouth}}) {
    const int damp = DampVersion(static_cast<std::uint8_t>(image));
    ASSERT_GE(damp, FirstDampFeature);
    EXPECT_EQ(At(x, 5).pattern, image) << "dry days keep the stored picture";
    EXPECT_EQ(At(x, 5, Damp).pattern, damp);
    EXPECT_EQ(At(x, 5, Soaked).pattern, damp + static_cast<int>(WeatheredImages.size()));
  }
  EXPECT_TRUE(At(8, 5).house);
  EXPECT_EQ(At(8, 5).pattern, 3);
  EXPECT_EQ(At(8, 5, Damp).pattern, 3 + HouseLevelStep);
  EXPECT_EQ(At(8, 5, Soaked).pattern, 3 + 2 * HouseLevelStep);
  // Pictures outside the lists, and house numbers past the house, are left as stored.
  Put(map, 9, 5, tkDuct, 84);
  Put(map, 10, 5, tkHouse, 7);
  EXPECT_EQ(At(9, 5, Soaked).pattern, 84);
  EXPECT_EQ(At(10, 5, Soaked).pattern, 7);
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
