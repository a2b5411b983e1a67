// Pastures found on hand-made maps: what bounds them, what names them, and
// how herds follow, merge and are sold when the tiles change.
#include <gtest/gtest.h>

#include "EcoTestSupport.h"
#include "map/MapaCodes.h"
#include "tests/map/MapTestSupport.h"

namespace {

TEST(Pastures, AFencedBoxWithAGateIsOnePastureNamedByItsFirstTile) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ASSERT_EQ(ranch.eco.Pastures().size(), 1U);
  const TPasture& pasture = ranch.eco.Pastures()[0];
  EXPECT_EQ(pasture.id, TileIndex(21, 21));
  EXPECT_EQ(pasture.tiles, 63U);  // 8 x 8 less the pond
  EXPECT_TRUE(pasture.water);
  EXPECT_EQ(pasture.road, TRoadAccess::None);
  EXPECT_EQ(pasture.forage, 63 * 600);
  EXPECT_EQ(ranch.eco.PastureAt(28, 27), 0);
  EXPECT_EQ(ranch.eco.PastureAt(30, 30), NoPasture);
}

TEST(Pastures, NoGateOrTheBorderRowsMeanNoPasture) {
  TEcoRanch closed;
  MakeBoxRanch(closed, false);
  EXPECT_TRUE(closed.eco.Pastures().empty());
  EXPECT_EQ(closed.eco.Buy(closed.map, 22, 22, 1), TEcoResult::NoGate);

  TEcoRanch border;
  MakeBorder(border.map);
  for (int y = 1; y <= 6; ++y) {
    border.map.PlaceLinear(5, static_cast<std::uint8_t>(y), BaseFence, TPlaceMode::Place);
    border.map.PlaceLinear(10, static_cast<std::uint8_t>(y), BaseFence, TPlaceMode::Place);
  }
  for (int x = 6; x <= 9; ++x) border.map.PlaceLinear(static_cast<std::uint8_t>(x), 6, BaseFence, TPlaceMode::Place);
  ASSERT_TRUE(border.map.PlaceFitting(7, 6, FittingGate));
  border.eco.Start(border.map);
  EXPECT_TRUE(border.eco.Pastures().empty());  // its area reaches row 1
  EXPECT_EQ(border.eco.Buy(border.map, 7, 3, 1), TEcoResult::NoPasture);
}

TEST(Pastures, ADuctLineClosesOneSideAndOneLaidAcrossSplitsIt) {
  TEcoRanch ranch;
  MakeBorder(ranch.map);
  // Fence on west, south and east; a duct along the north side.
  for (int x = 30; x <= 40; ++x) ranch.map.PlaceLinear(static_cast<std::uint8_t>(x), 30, BaseDuct, TPlaceMode::Place);
  for (int y = 31; y <= 40; ++y) {
    ranch.map.PlaceLinear(30, static_cast<std::uint8_t>(y), BaseFence, TPlaceMode::Place);
    ranch.map.PlaceLinear(40, static_cast<std::uint8_t>(y), BaseFence, TPlaceMode::Place);
  }
  for (int x = 31; x <= 39; ++x) ranch.map.PlaceLinear(static_cast<std::uint8_t>(x), 40, BaseFence, TPlaceMode::Place);
  ASSERT_TRUE(ranch.map.PlaceFitting(33, 40, FittingGate));
  Put(ranch.map, 39, 39, tkWater, WaterJoinImage[0]);
  ranch.eco.Start(ranch.map);
  ASSERT_EQ(ranch.eco.Pastures().size(), 1U);
  EXPECT_EQ(ranch.eco.Pastures()[0].tiles, 80U);
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 35, 35, 10), TEcoResult::Done);

  // A duct across row 33 leaves 18 tiles to the north (no gate) and the rest
  // to the south with the gate: the herd follows the larger part.
  for (int x = 31; x <= 39; ++x) {
    ASSERT_EQ(ranch.Use(tlDuto, x, 33), TToolOutcome::Applied);
  }
  ASSERT_EQ(ranch.eco.Pastures().size(), 1U);
  EXPECT_EQ(ranch.eco.Pastures()[0].id, TileIndex(31, 34));
  EXPECT_EQ(ranch.eco.Pastures()[0].herd.head, 10U);
  EXPECT_EQ(ranch.eco.Month().building, 9 * 80);
}

TEST(Pastures, MergedPasturesAddTheirHerdsAndAverageTheWeights) {
  TEcoRanch ranch;
  MakeBorder(ranch.map);
  FenceBox(ranch.map, 20, 20, 30, 26);
  for (int y = 21; y <= 25; ++y) ranch.map.PlaceLinear(25, static_cast<std::uint8_t>(y), BaseFence, TPlaceMode::Place);
  ASSERT_TRUE(ranch.map.PlaceFitting(22, 26, FittingGate));
  ASSERT_TRUE(ranch.map.PlaceFitting(28, 26, FittingGate));
  Put(ranch.map, 21, 21, tkWater, WaterJoinImage[0]);
  Put(ranch.map, 29, 21, tkWater, WaterJoinImage[0]);
  ranch.eco.Start(ranch.map);
  ASSERT_EQ(ranch.eco.Pastures().size(), 2U);
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 23, 10), TEcoResult::Done);
  ranch.Days(20);  // the first herd gains weight
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 28, 23, 30), TEcoResult::Done);
  const THerd west = ranch.PastureAt(22, 23).herd, east = ranch.PastureAt(28, 23).herd;
  ASSERT_GT(west.weight, east.weight);

  for (int y = 21; y <= 25; ++y) ASSERT_EQ(ranch.Use(tlBulldoze, 25, y), TToolOutcome::Applied);
  ASSERT_EQ(ranch.eco.Pastures().size(), 1U);
  const THerd merged = ranch.eco.Pastures()[0].herd;
  EXPECT_EQ(merged.head, 40U);
  EXPECT_EQ(merged.weight, (10ULL * west.weight + 30ULL * east.weight) / 40);
}

TEST(Pastures, AHerdWhosePastureOpensIsSoldAtALossInTheBooks) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 10), TEcoResult::Done);
  const TPasture before = ranch.eco.Pastures()[0];
  const std::int64_t fair = ranch.eco.HerdValue(before.herd) * (1000 - 80) / 1000;
  const std::int32_t funds = ranch.map.Record().funds;
  ASSERT_EQ(ranch.Use(tlBulldoze, 24, 29), TToolOutcome::Applied);  // the gate
  EXPECT_TRUE(ranch.eco.Pastures().empty());
  const std::int64_t sales = ranch.eco.Month().sales;
  EXPECT_EQ(sales, fair * 750 / 1000);
  EXPECT_EQ(ranch.map.Record().funds, funds - 25 + sales);
  bool told = false;
  for (const TNews& news : ranch.eco.News()) told = told || news.kind == TNewsKind::ForcedSale;
  EXPECT_TRUE(told);
}

TEST(Pastures, ATroughHasWaterOnlyBesideADuctFromWaterAndGoesWithItsTile) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch, true, false);
  EXPECT_FALSE(ranch.eco.Pastures()[0].water);
  EXPECT_EQ(ranch.Use(tlAgua, 22, 21), TToolOutcome::Applied);
  EXPECT_FALSE(ranch.eco.Pastures()[0].water);  // no duct beside it
  EXPECT_EQ(ranch.eco.LayerAt(22, 21), lyWaterTrough);
  EXPECT_EQ(ranch.Use(tlAgua, 22, 21), TToolOutcome::Refused);  // already one there
  EXPECT_EQ(ranch.eco.Month().building, 15);

  // A duct from a pond takes the place of the fence tile north of the trough.
  Put(ranch.map, 22, 12, tkWater, WaterJoinImage[0]);
  ASSERT_EQ(ranch.Use(tlBulldoze, 22, 20), TToolOutcome::Applied);
  EXPECT_TRUE(ranch.eco.Pastures().empty());
  for (int y = 13; y <= 20; ++y) ASSERT_EQ(ranch.Use(tlDuto, 22, y), TToolOutcome::Applied);
  ASSERT_EQ(ranch.eco.Pastures().size(), 1U);
  EXPECT_TRUE(ranch.eco.Pastures()[0].water);

  // A tree on the trough's tile takes the trough away.
  ASSERT_EQ(ranch.Use(tlArvores, 22, 21), TToolOutcome::Applied);
  EXPECT_EQ(ranch.eco.LayerAt(22, 21), 0);
  EXPECT_FALSE(ranch.eco.Pastures()[0].water);
}

TEST(Pastures, ARoadFromTheGateToTheEdgeShrinksTheSaleLessAndPavementLeast) {
  TEcoRanch ranch;
  MakeBoxRanch(ranch);
  for (int y = 30; y <= 95; ++y) ranch.map.PlaceLinear(24, static_cast<std::uint8_t>(y), BasePavement, TPlaceMode::Place);
  ranch.eco.MapChanged(ranch.map);
  EXPECT_EQ(ranch.eco.Pastures()[0].road, TRoadAccess::Pavement);
  ranch.map.Bulldoze(24, 60);
  ranch.map.PlaceLinear(24, 60, BaseDirtRoad, TPlaceMode::Place);
  ranch.eco.MapChanged(ranch.map);
  EXPECT_EQ(ranch.eco.Pastures()[0].road, TRoadAccess::Road);
  ranch.map.Bulldoze(24, 95);  // the road no longer reaches the last row roads take
  ranch.eco.MapChanged(ranch.map);
  EXPECT_EQ(ranch.eco.Pastures()[0].road, TRoadAccess::None);

  ASSERT_EQ(ranch.eco.Buy(ranch.map, 22, 22, 10), TEcoResult::Done);
  const std::int64_t value = ranch.eco.HerdValue(ranch.eco.Pastures()[0].herd);
  ASSERT_EQ(ranch.eco.Sell(ranch.map, 22, 22, 10), TEcoResult::Done);
  EXPECT_EQ(ranch.eco.Month().sales, value * 920 / 1000);
}

}  // namespace
