// Wherever the join tables put two pieces side by side, the feature must run
// on across the shared edge: no gap, no step, no change of material.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "assets/art/JoinTables.h"
#include "assets/art/Palette.h"
#include "assets/art/Sheets.h"

namespace {

using namespace art;

const TCanvas& Chao() {
  static const TCanvas sheet = MakeChao();
  return sheet;
}

constexpr int Sides[4] = {North, West, East, South};

int Opposite(int side) { return side == North ? South : side == South ? North : side == West ? East : West; }

// Pixel u along a side of pattern i, depth pixels in from the edge.
TColour EdgePixel(int pattern, int side, int u, int depth = 0) {
  const int x0 = (pattern % ChaoColumns) * TilePixels, y0 = (pattern / ChaoColumns) * TilePixels;
  const int far = TilePixels - 1 - depth;
  switch (side) {
    case North: return Chao().Get(x0 + u, y0 + depth);
    case South: return Chao().Get(x0 + u, y0 + far);
    case West: return Chao().Get(x0 + depth, y0 + u);
    default: return Chao().Get(x0 + far, y0 + u);
  }
}

struct TPiece {
  int pattern;
  int arms;
  TMaterial material;
};

struct TFamily {
  std::string name;
  TSpan span;
  std::set<TMaterial> materials;
  std::vector<TPiece> pieces;  // every piece that can stand next to another of the family
};

std::vector<TPiece> Linear(int base, TMaterial m) {
  std::vector<TPiece> pieces;
  for (int mask = 0; mask < 16; ++mask) pieces.push_back({base + LinearOffset[mask], PieceArms[LinearOffset[mask]], m});
  return pieces;
}

std::vector<TFamily> Families() {
  TFamily road{"road", RoadSpan, {TMaterial::Earth, TMaterial::Stone, TMaterial::Wood}, Linear(DirtRoadBase, TMaterial::Earth)};
  for (const TPiece& p : Linear(PavementBase, TMaterial::Stone)) road.pieces.push_back(p);
  road.pieces.push_back({BridgeCrossing, North | West | East | South, TMaterial::Wood});
  TFamily fence{"fence", FenceSpan, {TMaterial::Wood}, Linear(FenceBase, TMaterial::Wood)};
  fence.pieces.push_back({GateWestEast, West | East, TMaterial::Wood});
  fence.pieces.push_back({GateNorthSouth, North | South, TMaterial::Wood});
  TFamily duct{"duct", DuctSpan, {TMaterial::Metal}, Linear(DuctBase, TMaterial::Metal)};
  for (int p : {DuctFittingWestEast, DuctWestEastAlt}) duct.pieces.push_back({p, West | East, TMaterial::Metal});
  for (int p : {DuctFittingNorthSouth, DuctNorthSouthAlt}) duct.pieces.push_back({p, North | South, TMaterial::Metal});
  return {road, fence, duct};
}

TEST(JoinTables, EveryNeighbourInTheMaskGetsAnArmOfThePiece) {
  for (int mask = 0; mask < 16; ++mask) {
    const int arms = PieceArms[LinearOffset[mask]];
    EXPECT_EQ(arms & mask, mask) << "mask " << mask;
  }
  // A piece with no neighbours, or only one, still shows a straight.
  EXPECT_EQ(PieceArms[LinearOffset[0]], North | South);
  EXPECT_EQ(PieceArms[LinearOffset[West]], West | East);
}

TEST(Seams, ArmsReachTheirEdgesAndNoOthers) {
  for (const TFamily& f : Families())
    for (const TPiece& p : f.pieces) {
      if (p.pattern == BridgeCrossing) continue;
      for (int side : Sides) {
        int own = 0;
        for (int u = f.span.first; u < f.span.last; ++u) own += MaterialOf(EdgePixel(p.pattern, side, u)) == p.material;
        const int expected = (p.arms & side) ? f.span.last - f.span.first : 0;
        EXPECT_EQ(own, expected) << f.name << " piece " << p.pattern << " side " << side;
      }
    }
}

TEST(Seams, JoinedPiecesContinueAcrossTheSharedEdge) {
  int pairs = 0;
  for (const TFamily& f : Families())
    for (const TPiece& a : f.pieces)
      for (const TPiece& b : f.pieces)
        for (int side : {East, South}) {
          if (!(a.arms & side) || !(b.arms & Opposite(side))) continue;
          ++pairs;
          for (int u = f.span.first; u < f.span.last; ++u) {
            const TColour ca = EdgePixel(a.pattern, side, u), cb = EdgePixel(b.pattern, Opposite(side), u);
            ASSERT_TRUE(f.materials.count(MaterialOf(ca)) && f.materials.count(MaterialOf(cb)))
                << f.name << ": " << a.pattern << " meets " << b.pattern << " at u=" << u;
          }
        }
  EXPECT_GT(pairs, 1000);
}

// Every arm is drawn exactly like the straight's arm near the edge, so any
// joint looks like two straights meeting.
TEST(Seams, ArmsMatchTheStraightPieceNearTheEdge) {
  for (const TFamily& f : Families())
    for (const TPiece& p : f.pieces) {
      if (p.pattern == BridgeCrossing) continue;
      const int base = p.material == TMaterial::Earth ? DirtRoadBase : p.material == TMaterial::Stone ? PavementBase
                       : p.material == TMaterial::Wood ? FenceBase : DuctBase;
      for (int side : Sides) {
        if (!(p.arms & side)) continue;
        const int straight = base + ((side == West || side == East) ? 4 : 5);
        for (int depth = 0; depth < 2; ++depth)
          for (int u = f.span.first; u < f.span.last; ++u)
            EXPECT_EQ(EdgePixel(p.pattern, side, u, depth), EdgePixel(straight, side, u, depth))
                << f.name << " piece " << p.pattern << " side " << side << " u=" << u << " depth " << depth;
      }
    }
}

// The deck is planked across the whole road's width on every side, so a road
// or a duct meets it from any side, and stone stands only beside the road.
TEST(Seams, RoadsAndDuctsMeetTheDeckFromEverySide) {
  for (int side : Sides)
    for (int u = 0; u < TilePixels; ++u) {
      const TMaterial m = MaterialOf(EdgePixel(BridgeCrossing, side, u));
      if (u >= RoadSpan.first && u < RoadSpan.last) {
        EXPECT_EQ(m, TMaterial::Wood) << "side " << side << " u=" << u;
      } else if (u < RoadSpan.first - 1 || u > RoadSpan.last) {
        EXPECT_EQ(m, TMaterial::Sandstone) << "side " << side << " u=" << u;
      }
    }
}

TEST(Seams, WaterRunsOnWhereTheNeighbourIsWaterAndBanksCloseElsewhere) {
  for (int mask = 0; mask < 16; ++mask) {
    const int image = WaterImage[mask];
    for (int side : Sides) {
      int water = 0, spanWater = 0;
      for (int u = 0; u < TilePixels; ++u) {
        const bool w = MaterialOf(EdgePixel(image, side, u)) == TMaterial::Water;
        water += w;
        spanWater += w && u >= WaterSpan.first && u < WaterSpan.last;
      }
      if (mask & side) {
        EXPECT_EQ(spanWater, WaterSpan.last - WaterSpan.first) << "image " << image << " side " << side;
      } else {
        EXPECT_EQ(water, 0) << "image " << image << " shows open water at bank side " << side;
      }
    }
  }
}

TEST(Seams, NeighbouringWaterTilesShareTheirWater) {
  for (int a = 0; a < 16; ++a)
    for (int b = 0; b < 16; ++b)
      for (int side : {East, South}) {
        if (!(a & side) || !(b & Opposite(side))) continue;
        for (int u = WaterSpan.first; u < WaterSpan.last; ++u) {
          EXPECT_EQ(MaterialOf(EdgePixel(WaterImage[a], side, u)), TMaterial::Water);
          EXPECT_EQ(MaterialOf(EdgePixel(WaterImage[b], Opposite(side), u)), TMaterial::Water);
        }
      }
  // Open water in both frames is water all round, so it tiles into a lake.
  for (int image : {OpenWater, OpenWaterShimmer})
    for (int side : Sides)
      for (int u = 0; u < TilePixels; ++u) EXPECT_EQ(MaterialOf(EdgePixel(image, side, u)), TMaterial::Water);
}

}  // namespace
