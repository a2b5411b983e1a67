// Placement and joining on small hand-made scenes.
#include <gtest/gtest.h>

#include <string_view>

#include "MapTestSupport.h"
#include "map/Mapa.h"

namespace {

constexpr int Cx = 40;  // centre of the scenes
constexpr int Cy = 40;

void PutNeighbours(TMapa& map, std::string_view which, TTileKind kind, std::uint8_t image) {
  for (const char c : which) {
    const int dx = c == 'W' ? -1 : c == 'E' ? 1 : 0;
    const int dy = c == 'N' ? -1 : c == 'S' ? 1 : 0;
    Put(map, Cx + dx, Cy + dy, kind, image);
  }
}

struct TJoinRow {
  std::string_view neighbours;
  int value;  // offset from the base (linear) or image (water)
};

// The piece for every neighbourhood, as the game's pictures are drawn.
constexpr TJoinRow LinearRows[] = {
    {"ES", 0}, {"WS", 1}, {"NE", 2}, {"NW", 3}, {"W", 4},   {"E", 4},   {"WE", 4},  {"N", 5},
    {"S", 5},  {"NS", 5}, {"", 5},   {"NES", 6}, {"NWS", 7}, {"NWES", 8}, {"NWE", 9}, {"WES", 10},
};
constexpr TJoinRow WaterRows[] = {
    {"NWES", 23}, {"S", 25},   {"N", 26},   {"E", 27},  {"W", 28},  {"NES", 29},
    {"NWS", 30},  {"NS", 31},  {"WE", 32},  {"ES", 33}, {"WS", 34}, {"NE", 35},
    {"NW", 36},   {"WES", 37}, {"NWE", 38}, {"", 39},
};

TEST(LinearJoin, EveryNeighbourhoodPicksItsPieceForEachFeature) {
  struct TFeature {
    std::uint8_t base;
    TTileKind kind;
    TTileKind neighbourKind;  // a different member of the family
  };
  const TFeature features[] = {{48, tkDirtRoad, tkPavement},
                               {59, tkPavement, tkBridge},
                               {70, tkFence, tkGate},
                               {85, tkDuct, tkDuctS}};
  for (const auto& feature : features) {
    for (const auto& row : LinearRows) {
      TMapa map;
      PutNeighbours(map, row.neighbours, feature.neighbourKind, 129);
      ASSERT_TRUE(map.PlaceLinear(Cx, Cy, feature.base, TPlaceMode::Place));
      EXPECT_EQ(map.Tile(Cx, Cy).image, feature.base + row.value)
          << int{feature.base} << " with " << row.neighbours;
      EXPECT_EQ(map.Tile(Cx, Cy).kind, feature.kind);
    }
  }
}

TEST(LinearJoin, JoinModeRecomputesButKeepsALonePiece) {
  for (const auto& row : LinearRows) {
    TMapa map;
    Put(map, Cx, Cy, tkFence, 77);
    PutNeighbours(map, row.neighbours, tkFence, 75);
    ASSERT_TRUE(map.PlaceLinear(Cx, Cy, 70, TPlaceMode::Join));
    const int expected = row.neighbours.empty() ? 77 : 70 + row.value;
    EXPECT_EQ(map.Tile(Cx, Cy).image, expected) << row.neighbours;
  }
}

TEST(WaterJoin, EveryNeighbourhoodPicksItsBank) {
  for (const auto& row : WaterRows) {
    TMapa map;
    PutNeighbours(map, row.neighbours, tkWater, 23);
    ASSERT_TRUE(map.PlaceWater(Cx, Cy, TPlaceMode::Place));
    EXPECT_EQ(map.Tile(Cx, Cy).image, row.value) << row.neighbours;
    EXPECT_EQ(map.Tile(Cx, Cy).kind, tkWater);
  }
}

TEST(LinearJoin, FenceLineAndRing) {
  TMapa map;
  ASSERT_TRUE(map.PlaceLinear(10, 10, 70, TPlaceMode::Place));
  EXPECT_EQ(map.Tile(10, 10).image, 75);
  ASSERT_TRUE(map.PlaceLinear(11, 10, 70, TPlaceMode::Place));
  EXPECT_EQ(Images(map, 10, 10, 11, 10), "74 74\n");

  TMapa ring;
  for (const auto& [x, y] : {std::pair{20, 20}, {21, 20}, {22, 20}, {22, 21}, {22, 22}, {21, 22},
                             {20, 22}, {20, 21}}) {
    ASSERT_TRUE(ring.PlaceLinear(x, y, 70, TPlaceMode::Place));
  }
  EXPECT_EQ(Images(ring, 20, 20, 22, 22), "70 74 71\n75 0 75\n72 74 73\n");
  EXPECT_EQ(ring.Tile(21, 21).kind, tkEmpty);
}

TEST(LinearJoin, EarthRoadAndPavementJoinEachOtherWithTheirOwnPictures) {
  TMapa map;
  ASSERT_TRUE(map.PlaceLinear(10, 10, 59, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(10, 11, 59, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(11, 10, 48, TPlaceMode::Place));
  EXPECT_EQ(Images(map, 10, 10, 11, 11), "59 52\n64 0\n");  // pavement corner E,S; road W only
}

TEST(LinearJoin, RoadOnWaterBecomesABridgeJoiningBothBanks) {
  TMapa map;
  for (int y = 8; y <= 12; ++y) ASSERT_TRUE(map.PlaceWater(20, y, TPlaceMode::Place));
  const std::string waterBefore = Images(map, 20, 8, 20, 12);
  ASSERT_TRUE(map.PlaceLinear(19, 10, 48, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(21, 10, 48, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(20, 10, 48, TPlaceMode::Place));
  EXPECT_EQ(map.Tile(20, 10).kind, tkBridge);
  EXPECT_EQ(Images(map, 19, 10, 21, 10), "52 129 52\n");
  EXPECT_EQ(Images(map, 20, 8, 20, 12), waterBefore.substr(0, 6) + "129\n" + waterBefore.substr(9));
}

TEST(LinearJoin, DuctOnRoadAndRoadOnDuctMakeACrossingOfBothFamilies) {
  TMapa map;
  ASSERT_TRUE(map.PlaceLinear(10, 10, 48, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(10, 10, 85, TPlaceMode::Place));
  EXPECT_EQ(map.Tile(10, 10).kind, tkCrossing);
  EXPECT_EQ(map.Tile(10, 10).image, 129);
  // A road east and a duct south both see the crossing as one of theirs.
  ASSERT_TRUE(map.PlaceLinear(11, 10, 59, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(10, 11, 85, TPlaceMode::Place));
  EXPECT_EQ(map.Tile(11, 10).image, 59 + 4);
  EXPECT_EQ(map.Tile(10, 11).image, 85 + 5);

  ASSERT_TRUE(map.PlaceLinear(30, 30, 85, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(30, 30, 59, TPlaceMode::Place));
  EXPECT_EQ(map.Tile(30, 30).kind, tkCrossing);
  EXPECT_EQ(map.Tile(30, 30).image, 129);
}

TEST(LinearJoin, RefusalsLeaveTheMapUntouched) {
  TMapa map;
  MakeBorder(map);
  Put(map, 10, 10, tkDirtRoad, 53);
  Put(map, 11, 10, tkTree, 44);
  Put(map, 12, 10, tkScenery, 40);
  Put(map, 13, 10, tkWater, 39);
  Put(map, 14, 10, tkFence, 75);
  Put(map, 15, 10, tkHouse, 0);
  Put(map, 16, 10, tkBridge, 129);
  Put(map, 17, 10, tkCrossing, 129);
  const auto before = Bytes(map);
  for (int x : {10, 11, 12, 13}) EXPECT_FALSE(map.PlaceLinear(x, 10, 70, TPlaceMode::Place)) << x;
  for (int x : {13, 14}) EXPECT_FALSE(map.PlaceLinear(x, 10, 85, TPlaceMode::Place)) << x;
  for (int x : {15, 16, 17}) {
    for (int base : {48, 59, 70, 85}) {
      EXPECT_FALSE(map.PlaceLinear(x, 10, base, TPlaceMode::Place)) << x << " " << base;
    }
  }
  EXPECT_FALSE(map.PlaceLinear(20, 20, 47, TPlaceMode::Place));  // not a feature's base
  EXPECT_EQ(Bytes(map), before);
}

TEST(LinearJoin, JoinModeKeepsFittingsBridgesAndCrossings) {
  TMapa map;
  Put(map, 10, 10, tkGate, 83);
  Put(map, 11, 10, tkBridge, 129);
  Put(map, 12, 10, tkCrossing, 129);
  Put(map, 13, 10, tkDuctS, 109);
  EXPECT_FALSE(map.PlaceLinear(10, 10, 70, TPlaceMode::Join));
  EXPECT_TRUE(map.PlaceLinear(11, 10, 48, TPlaceMode::Join));
  EXPECT_TRUE(map.PlaceLinear(12, 10, 85, TPlaceMode::Join));
  EXPECT_FALSE(map.PlaceLinear(13, 10, 85, TPlaceMode::Join));
  EXPECT_FALSE(map.PlaceLinear(10, 10, 48, TPlaceMode::Join));  // a gate is no road
  EXPECT_EQ(Images(map, 10, 10, 13, 10), "83 129 129 109\n");
}

TEST(Fittings, OnlyOnStraightPieces) {
  TMapa map;
  for (int image = 70; image <= 80; ++image) {
    Put(map, 10, 10, tkFence, static_cast<std::uint8_t>(image));
    const bool straight = image == 74 || image == 75;
    EXPECT_EQ(map.PlaceFitting(10, 10, 0), straight) << image;
    if (straight) {
      EXPECT_EQ(map.Tile(10, 10).kind, tkGate);
      EXPECT_EQ(map.Tile(10, 10).image, image == 74 ? 83 : 81);
    }
  }
  for (int image : {85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 100, 101}) {
    Put(map, 10, 10, tkDuct, static_cast<std::uint8_t>(image));
    const bool straight = image == 89 || image == 90 || image == 100 || image == 101;
    EXPECT_EQ(map.PlaceFitting(10, 10, 1), straight) << image;
    if (straight) {
      EXPECT_EQ(map.Tile(10, 10).kind, tkDuctS);
      EXPECT_EQ(map.Tile(10, 10).image, (image == 89 || image == 100) ? 109 : 107);
    }
  }
  // The wrong fitting for the feature, an unknown fitting, or bytes that disagree.
  Put(map, 10, 10, tkFence, 74);
  EXPECT_FALSE(map.PlaceFitting(10, 10, 1));
  EXPECT_FALSE(map.PlaceFitting(10, 10, 2));
  Put(map, 10, 10, tkEmpty, 74);
  EXPECT_FALSE(map.PlaceFitting(10, 10, 0));
}

TEST(Bulldoze, GateLetsTheFenceRejoin) {
  TMapa map;
  for (int x = 10; x <= 14; ++x) ASSERT_TRUE(map.PlaceLinear(x, 10, 70, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(12, 11, 70, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceFitting(11, 10, 0));
  EXPECT_EQ(Images(map, 10, 10, 14, 10), "74 83 80 74 74\n");
  ASSERT_TRUE(map.Bulldoze(11, 10));
  EXPECT_EQ(map.Tile(11, 10).kind, tkEmpty);
  // The lone piece keeps its image; the tee turns into a corner.
  EXPECT_EQ(Images(map, 10, 10, 14, 10), "74 120 70 74 74\n");
}

TEST(Bulldoze, BridgeTurnsBackIntoWaterAndBanksKeepTheirPieces) {
  TMapa map;
  for (int y = 8; y <= 12; ++y) ASSERT_TRUE(map.PlaceWater(20, y, TPlaceMode::Place));
  for (int x = 19; x <= 21; ++x) ASSERT_TRUE(map.PlaceLinear(x, 10, 48, TPlaceMode::Place));
  ASSERT_TRUE(map.Bulldoze(20, 10));
  EXPECT_EQ(map.Tile(20, 10).kind, tkWater);
  EXPECT_EQ(map.Tile(20, 10).image, 31);  // water north and south
  EXPECT_EQ(Images(map, 19, 10, 21, 10), "52 31 52\n");
}

TEST(Bulldoze, CrossingRejoinsRoadAndDuctNeighbours) {
  TMapa map;
  for (int x = 9; x <= 13; ++x) ASSERT_TRUE(map.PlaceLinear(x, 10, 48, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(10, 11, 48, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(11, 9, 85, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(12, 9, 85, TPlaceMode::Place));
  ASSERT_TRUE(map.PlaceLinear(11, 10, 85, TPlaceMode::Place));
  ASSERT_EQ(map.Tile(11, 10).kind, tkCrossing);
  EXPECT_EQ(map.Tile(10, 10).image, 48 + 10);  // tee without north
  EXPECT_EQ(map.Tile(11, 9).image, 85 + 0);    // corner east-south
  ASSERT_TRUE(map.Bulldoze(11, 10));
  EXPECT_EQ(map.Tile(10, 10).image, 48 + 1);  // corner west-south
  EXPECT_EQ(map.Tile(11, 9).image, 85 + 4);   // east only
  EXPECT_EQ(map.Tile(12, 10).image, 48 + 4);
}

TEST(Bulldoze, RefusesGroundWaterHouseAndClearsTreesAndScenery) {
  TMapa map;
  MakeBorder(map);
  Put(map, 10, 10, tkWater, 23);
  Put(map, 11, 10, tkHouse, 2);
  const auto before = Bytes(map);
  for (int x : {9, 10, 11}) EXPECT_FALSE(map.Bulldoze(x, 10));
  EXPECT_EQ(Bytes(map), before);
  Put(map, 12, 10, tkTree, 45);
  Put(map, 13, 10, tkScenery, 41);
  EXPECT_TRUE(map.Bulldoze(12, 10));
  EXPECT_TRUE(map.Bulldoze(13, 10));
  EXPECT_EQ(Images(map, 12, 10, 13, 10), "120 120\n");
}

TEST(Placement, NothingOutsideThePlayableAreaIsTouched) {
  TMapa map;
  MakeBorder(map);
  Put(map, 96, 40, tkFence, 75);
  Put(map, 40, 96, tkDuct, 89);
  const auto before = Bytes(map);
  for (int c : {0, 97, 98, 200, 255}) {
    const auto v = static_cast<std::uint8_t>(c);
    for (int base : {48, 59, 70, 85}) {
      EXPECT_FALSE(map.PlaceLinear(v, 40, base, TPlaceMode::Place));
      EXPECT_FALSE(map.PlaceLinear(40, v, base, TPlaceMode::Join));
    }
    EXPECT_FALSE(map.PlaceFitting(v, 40, 0));
    EXPECT_FALSE(map.PlaceTree(40, v));
    EXPECT_FALSE(map.PlaceScenery(v, 40));
    EXPECT_FALSE(map.Bulldoze(v, 40));
  }
  for (int c : {-1, 98, 1000}) {
    EXPECT_FALSE(map.PlaceWater(c, 40, TPlaceMode::Place));
    EXPECT_FALSE(map.PlaceWater(40, c, TPlaceMode::Join));
  }
  // Row and column 96 take no linear feature.
  EXPECT_FALSE(map.PlaceLinear(96, 50, 48, TPlaceMode::Place));
  EXPECT_FALSE(map.PlaceLinear(50, 96, 70, TPlaceMode::Place));
  EXPECT_FALSE(map.PlaceLinear(96, 40, 70, TPlaceMode::Join));
  EXPECT_EQ(Bytes(map), before);
  // Fittings, trees and the bulldozer do reach them.
  EXPECT_TRUE(map.PlaceFitting(96, 40, 0));
  EXPECT_TRUE(map.PlaceTree(96, 96));
  EXPECT_TRUE(map.Bulldoze(40, 96));
}

TEST(WaterJoin, RingTilesCountTheOutsideAsWater) {
  TMapa map;
  MakeBorder(map);
  ASSERT_TRUE(map.PlaceWater(0, 0, TPlaceMode::Place));   // corner: two neighbours missing
  EXPECT_EQ(map.Tile(0, 0).image, 23);
  ASSERT_TRUE(map.PlaceWater(97, 50, TPlaceMode::Place));  // land to the west
  EXPECT_EQ(map.Tile(97, 50).image, 29);                   // N, E (outside), S
  ASSERT_TRUE(map.PlaceWater(96, 50, TPlaceMode::Place));
  EXPECT_EQ(map.Tile(97, 50).image, 23);  // re-joined by its new neighbour
  EXPECT_EQ(map.Tile(96, 50).image, 27);  // east only
}

TEST(WaterJoin, ABridgeKeepsItsPictureWhenWaterArrivesBesideIt) {
  TMapa map;
  Put(map, 20, 20, tkBridge, 129);
  ASSERT_TRUE(map.PlaceWater(20, 21, TPlaceMode::Place));
  EXPECT_EQ(map.Tile(20, 20).image, 129);
  EXPECT_EQ(map.Tile(20, 21).image, 26);  // the bridge counts as water to the north
}

}  // namespace
