// The detailed terrain's pictures: banks that turn round corners join over
// every arrangement of water and land, features stand on the day's wet
// ground, and bridges and crossings continue their roads and ducts.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "assets/art/JoinTables.h"
#include "assets/art/Palette.h"
#include "assets/art/Sheets.h"
#include "map/Mapa.h"
#include "map/MapaCodes.h"
#include "map/TerrainDetail.h"

namespace {

using namespace art;

const TCanvas& Chao() {
  static const TCanvas sheet = MakeChao();
  return sheet;
}

const TCanvas& Casas() {
  static const TCanvas sheet = MakeCasas();
  return sheet;
}

TColour PatternPixel(const TCanvas& sheet, int pattern, int x, int y) {
  const int columns = sheet.Width() / TilePixels;
  return sheet.Get((pattern % columns) * TilePixels + x, (pattern / columns) * TilePixels + y);
}

// Pixel u along a side of a pattern, depth pixels in from the edge.
TColour EdgePixel(int pattern, int side, int u, int depth = 0) {
  const int far = TilePixels - 1 - depth;
  switch (side) {
    case North: return PatternPixel(Chao(), pattern, u, depth);
    case South: return PatternPixel(Chao(), pattern, u, far);
    case West: return PatternPixel(Chao(), pattern, depth, u);
    default: return PatternPixel(Chao(), pattern, far, u);
  }
}

int ColourDistance(TColour a, TColour b) {
  return std::abs(Red(a) - Red(b)) + std::abs(Green(a) - Green(b)) + std::abs(Blue(a) - Blue(b));
}

bool Keyed(TColour c) { return (c | 0xFF000000u) == Magenta; }

// A 4 x 4 patch of water and land (bit y * 4 + x set for water) laid into a
// map, the water joined as generation joins it.
std::unique_ptr<TMapaRecord> Patch(int bits) {
  auto record = std::make_unique<TMapaRecord>();
  constexpr int x0 = 10, y0 = 10;
  auto water = [&](int x, int y) {
    const int dx = x - x0, dy = y - y0;
    return dx >= 0 && dx < 4 && dy >= 0 && dy < 4 && ((bits >> (dy * 4 + dx)) & 1);
  };
  for (int y = y0 - 1; y <= y0 + 4; ++y)
    for (int x = x0 - 1; x <= x0 + 4; ++x) {
      if (!water(x, y)) continue;
      const int mask = (water(x, y - 1) ? 1 : 0) | (water(x - 1, y) ? 2 : 0) | (water(x + 1, y) ? 4 : 0) |
                       (water(x, y + 1) ? 8 : 0);
      record->tiles[x][y] = TTile{255, WaterJoinImage[static_cast<std::size_t>(mask)], tkWater};
    }
  return record;
}

// What the screen shows at (x, y): the water's picture, or dry bare ground.
int Shown(const TMapaRecord& record, int x, int y, bool detailed) {
  const TTile& tile = record.tiles[x][y];
  if (tile.kind != tkWater) return GroundDry;
  return detailed ? DetailedPicture(record, x, y, TGroundWetness::Dry).pattern : tile.image;
}

// Mismatches of material along the four seams inside the patch's middle 2 x 2.
int SeamFaults(const TMapaRecord& record, bool detailed) {
  int faults = 0;
  for (int y = 11; y <= 12; ++y)
    for (int x = 11; x <= 12; ++x)
      for (int side : {East, South}) {
        if ((side == East && x == 12) || (side == South && y == 12)) continue;
        const int a = Shown(record, x, y, detailed);
        const int b = side == East ? Shown(record, x + 1, y, detailed) : Shown(record, x, y + 1, detailed);
        for (int u = 0; u < TilePixels; ++u)
          faults += MaterialOf(EdgePixel(a, side, u)) != MaterialOf(EdgePixel(b, side == East ? West : North, u));
      }
  return faults;
}

TEST(BankCorners, JoinOverEveryArrangementOfWaterAndLand) {
  int bends = 0;
  // Every 4 x 4 arrangement, so the middle 2 x 2 meets every neighbourhood.
  for (int bits = 0; bits < (1 << 16); ++bits) {
    const auto record = Patch(bits);
    ASSERT_EQ(SeamFaults(*record, true), 0) << "arrangement " << bits;
    bends += SeamFaults(*record, false) > 0;
  }
  // The stored pieces alone leave a gap wherever a bank meets a diagonal land tile.
  EXPECT_GT(bends, 1000);
}

TEST(BankCorners, EveryCornerSetOfEveryPieceIsDrawnAndTurnsTheBank) {
  for (int mask = 0; mask < 16; ++mask)
    for (int corners = 1; corners < 16; ++corners) {
      const int pattern = BankCornerPattern(mask, corners, false);
      if ((corners & ~OpenCorners(mask)) != 0) {
        EXPECT_EQ(pattern, -1);
        continue;
      }
      ASSERT_GE(pattern, FirstBankCorner);
      ASSERT_LT(pattern, DetailPatternEnd);
      // Land in each turned corner, water in each corner left open.
      for (int corner : {CornerNW, CornerNE, CornerSW, CornerSE}) {
        if (!(OpenCorners(mask) & corner)) continue;
        const int x = (corner == CornerNE || corner == CornerSE) ? TilePixels - 1 : 0;
        const int y = (corner == CornerSW || corner == CornerSE) ? TilePixels - 1 : 0;
        const bool land = MaterialOf(PatternPixel(Chao(), pattern, x, y)) != TMaterial::Water;
        EXPECT_EQ(land, (corners & corner) != 0) << "mask " << mask << " corners " << corners << " corner " << corner;
      }
    }
  // Open water keeps its shimmer with turned corners too.
  const int still = BankCornerPattern(15, CornerNW, false), moving = BankCornerPattern(15, CornerNW, true);
  int changed = 0;
  for (int y = 0; y < TilePixels; ++y)
    for (int x = 0; x < TilePixels; ++x) changed += PatternPixel(Chao(), still, x, y) != PatternPixel(Chao(), moving, x, y);
  EXPECT_GT(changed, 40);
}

struct TEdgeMatch {
  double meanDistance = 0;
  int compared = 0;
};

// Along a picture's border, where the stored dry picture shows plain dry
// ground, how far the picture is from the wet ground pattern beside it.
TEdgeMatch MatchAlongBorder(const TCanvas& sheet, int pattern, int stored, int ground) {
  TEdgeMatch match;
  long sum = 0;
  for (int u = 0; u < TilePixels; ++u)
    for (const auto& [x, y] : {std::pair{u, 0}, std::pair{u, TilePixels - 1}, std::pair{0, u}, std::pair{TilePixels - 1, u}}) {
      if (PatternPixel(sheet, stored, x, y) != PatternPixel(Chao(), GroundDry, x, y)) continue;
      sum += ColourDistance(PatternPixel(sheet, pattern, x, y), PatternPixel(Chao(), ground, x, y));
      ++match.compared;
    }
  match.meanDistance = match.compared ? static_cast<double>(sum) / match.compared : 0;
  return match;
}

TEST(WetFeatures, StandOnTheDaysGroundAlongTheirEdges) {
  for (std::size_t k = 0; k < WeatheredImages.size(); ++k)
    for (const auto& [first, ground] : {std::pair{FirstDampFeature, GroundWet}, std::pair{FirstSoakedFeature, GroundVeryWet}}) {
      const int stored = WeatheredImages[k];
      const TEdgeMatch wet = MatchAlongBorder(Chao(), first + static_cast<int>(k), stored, ground);
      EXPECT_GT(wet.compared, 30) << "picture " << stored;
      EXPECT_LT(wet.meanDistance, 4.0) << "picture " << stored << " on ground " << ground;
      // The stored picture beside the same wet ground is the patchwork this mends.
      const TEdgeMatch dry = MatchAlongBorder(Chao(), stored, stored, ground);
      EXPECT_GT(dry.meanDistance, 4 * std::max(wet.meanDistance, 1.0)) << "picture " << stored;
    }
}

TEST(WetFeatures, TheHouseStandsOnTheDaysGroundToo) {
  for (int level = 1; level <= 2; ++level) {
    const int ground = level == 1 ? GroundWet : GroundVeryWet;
    for (int part = 0; part < 4; ++part) {
      int compared = 0;
      long sum = 0;
      for (int u = 0; u < TilePixels; ++u)
        for (const auto& [x, y] : {std::pair{u, 0}, std::pair{u, TilePixels - 1}, std::pair{0, u}, std::pair{TilePixels - 1, u}}) {
          // Only the house's outer border meets the ground around it.
          const bool outer = (part % 2 == 0 ? x == 0 : x == TilePixels - 1) || (part < 2 ? y == 0 : y == TilePixels - 1);
          if (!outer || PatternPixel(Casas(), part, x, y) != PatternPixel(Chao(), GroundDry, x, y)) continue;
          sum += ColourDistance(PatternPixel(Casas(), part + HouseLevelStep * level, x, y), PatternPixel(Chao(), ground, x, y));
          ++compared;
        }
      ASSERT_GT(compared, 10) << "house part " << part;
      EXPECT_LT(static_cast<double>(sum) / compared, 4.0) << "house part " << part << " level " << level;
    }
  }
}

TEST(BridgeDecks, RunAlongTheirRoadWithWaterShowingBeside) {
  for (const auto& [deck, along] : {std::pair{BridgeDeckWestEast, West | East}, std::pair{BridgeDeckNorthSouth, North | South}})
    for (int side : {North, West, East, South})
      for (int u = RoadSpan.first; u < RoadSpan.last; ++u) {
        const TColour c = EdgePixel(deck, side, u);
        if (along & side) EXPECT_EQ(MaterialOf(c), TMaterial::Wood) << "deck " << deck << " side " << side << " u=" << u;
        else EXPECT_TRUE(Keyed(c)) << "deck " << deck << " hides the water at side " << side << " u=" << u;
      }
}

// A crossing's road arms are those of the straight road on the same ground,
// and its duct shows on both other sides as the straight duct does.
TEST(Crossings, ContinueTheRoadAndTheDuctOnEachSide) {
  auto onGround = [](int stored, int level) {
    if (level == 0) return stored;
    for (std::size_t k = 0; k < WeatheredImages.size(); ++k)
      if (WeatheredImages[k] == stored) return (level == 1 ? FirstDampFeature : FirstSoakedFeature) + static_cast<int>(k);
    return -1;
  };
  for (int level = 0; level < 3; ++level)
    for (int paved = 0; paved < 2; ++paved)
      for (int northSouth = 0; northSouth < 2; ++northSouth) {
        const int crossing = FirstCrossing + 4 * level + 2 * paved + northSouth;
        const int roadBase = paved ? PavementBase : DirtRoadBase;
        const int road = onGround(roadBase + (northSouth ? 5 : 4), level);
        const int duct = onGround(DuctBase + (northSouth ? 4 : 5), level);
        for (int side : {North, West, East, South}) {
          const bool roadSide = (side == North || side == South) == (northSouth == 1);
          const TSpan span = roadSide ? RoadSpan : DuctSpan;
          for (int depth = 0; depth < 2; ++depth)
            for (int u = span.first; u < span.last; ++u)
              EXPECT_EQ(EdgePixel(crossing, side, u, depth), EdgePixel(roadSide ? road : duct, side, u, depth))
                  << "crossing " << crossing << " side " << side << " u=" << u << " depth " << depth;
        }
      }
}

}  // namespace
