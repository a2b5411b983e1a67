// The palette's tools: names, prices, marker rules and actions.
#include <gtest/gtest.h>

#include <iterator>

#include "MapTestSupport.h"
#include "map/Tools.h"

namespace {

TEST(Tools, NamesRoundTripAndUnknownNamesAreRejected) {
  for (int i = 0; i < ToolKindCount; ++i) {
    const auto tool = static_cast<TToolKind>(i);
    EXPECT_EQ(ToolFromName(ToolName(tool)), tool);
  }
  EXPECT_EQ(ToolName(tlTerra), "tlTerra");
  EXPECT_FALSE(ToolFromName("tlterra"));
  EXPECT_FALSE(ToolFromName(""));
}

TEST(Tools, PricesAndRules) {
  const std::int32_t costs[] = {0, 0, 0, 30, 20, 50, 75, 80, 35, 0, 0, 10, 25, 0, 0};
  static_assert(std::size(costs) == ToolKindCount);
  for (int i = 0; i < ToolKindCount; ++i) EXPECT_EQ(ToolCost[i], costs[i]) << i;

  struct TCase {
    TToolKind tool;
    TTile tile;
    TToolVerdict verdict;
  };
  const TCase cases[] = {
      {tlNone, {255, 0, tkEmpty}, tvNone},
      {tlVer, {255, 0, tkHouse}, tvNone},
      {tlPavimento, {255, 86, tkDuct}, tvAllowed},
      {tlTerra, {255, 23, tkWater}, tvAllowed},
      {tlTerra, {255, 74, tkFence}, tvRefused},
      {tlCerca, {255, 0, tkEmpty}, tvAllowed},
      {tlCerca, {255, 44, tkTree}, tvRefused},
      {tlPorteira, {255, 75, tkFence}, tvAllowed},
      {tlPorteira, {255, 70, tkFence}, tvRefused},
      {tlDuto, {255, 59, tkPavement}, tvAllowed},
      {tlDuto, {255, 129, tkCrossing}, tvRefused},
      {tlDutoS, {255, 101, tkDuct}, tvAllowed},
      {tlDutoS, {255, 91, tkDuct}, tvRefused},
      {tlArvores, {255, 120, tkEmpty}, tvAllowed},
      {tlBulldoze, {255, 129, tkBridge}, tvAllowed},
      {tlBulldoze, {255, 0, 200}, tvAllowed},
      {tlBulldoze, {255, 23, tkWater}, tvRefused},
      {tlBulldoze, {255, 1, tkHouse}, tvRefused},
      {tlBulldoze, {255, 0, tkEmpty}, tvRefused},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToolVerdict(c.tool, c.tile, 1000), c.verdict) << ToolName(c.tool);
  }
  // Funds below the price refuse even a tile the rule takes.
  EXPECT_EQ(ToolVerdict(tlCerca, TTile{255, 0, tkEmpty}, 49), tvRefused);
  EXPECT_EQ(ToolVerdict(tlCerca, TTile{255, 0, tkEmpty}, 50), tvAllowed);
  // Even a free tool is refused while loaded funds stand below zero.
  EXPECT_EQ(ToolVerdict(tlMover, TTile{255, 0, tkEmpty}, 0), tvNone);
  EXPECT_EQ(ToolVerdict(tlMover, TTile{255, 0, tkEmpty}, -1), tvRefused);
}

TEST(Tools, EachActionCallsItsOperationAndChargesNothing) {
  struct TCase {
    TToolKind tool;
    TTile before;
    TTileKind after;
    std::uint8_t image;
  };
  const TCase cases[] = {
      {tlTerra, {255, 0, tkEmpty}, tkDirtRoad, 53},   {tlPavimento, {255, 0, tkEmpty}, tkPavement, 64},
      {tlCerca, {255, 0, tkEmpty}, tkFence, 75},      {tlDuto, {255, 53, tkDirtRoad}, tkCrossing, 129},
      {tlPorteira, {255, 74, tkFence}, tkGate, 83},   {tlDutoS, {255, 90, tkDuct}, tkDuctS, 107},
      {tlBulldoze, {255, 45, tkTree}, tkEmpty, 120},  {tlArvores, {255, 0, tkEmpty}, tkTree, 0},
  };
  for (const auto& c : cases) {
    TMapa map;
    map.Tile(10, 10) = c.before;
    EXPECT_TRUE(ToolAction(map, c.tool, 10, 10)) << ToolName(c.tool);
    EXPECT_EQ(map.Tile(10, 10).kind, c.after) << ToolName(c.tool);
    if (c.image != 0) {
      EXPECT_EQ(map.Tile(10, 10).image, c.image) << ToolName(c.tool);
    }
    EXPECT_EQ(map.Record().funds, 40000);
  }
  TMapa map;
  for (auto tool : {tlNone, tlMover, tlVer, tlComida, tlAgua, tlPlant, tlSpray}) {
    EXPECT_FALSE(ToolAction(map, tool, 60, 60));
  }
}

TEST(Tools, MarkerRuleAcceptsExactlyWhatTheActionDoes) {
  for (int t = 0; t < ToolKindCount; ++t) {
    const auto tool = static_cast<TToolKind>(t);
    if (!ToolHasRule(tool)) continue;
    for (int kind : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 200}) {
      for (int image : {0, 23, 44, 53, 70, 74, 75, 89, 90, 91, 100, 101, 129}) {
        TMapa map;
        const TTile tile{255, static_cast<std::uint8_t>(image), static_cast<std::uint8_t>(kind)};
        map.Tile(30, 30) = tile;
        EXPECT_EQ(ToolRuleAllows(tool, tile), ToolAction(map, tool, 30, 30))
            << ToolName(tool) << " on kind " << kind << " image " << image;
      }
    }
  }
}

}  // namespace
