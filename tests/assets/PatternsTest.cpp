// The pictures hold every pattern the game names, opaque where they are drawn
// alone, in the one palette, and tell apart at the smallest zoom.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "assets/art/JoinTables.h"
#include "assets/art/Palette.h"
#include "assets/art/Sheets.h"
#include "map/TerrainDetail.h"

namespace {

using namespace art;

const TCanvas& Chao() {
  static const TCanvas sheet = MakeChao();
  return sheet;
}

int PatternCount(const TCanvas& c) { return (c.Width() / TilePixels) * (c.Height() / TilePixels); }

int KeyPixels(const TCanvas& tile) {
  int n = 0;
  for (TColour c : tile.Pixels()) n += (c | 0xFF000000u) == Magenta;
  return n;
}

double Brightness(const TCanvas& tile) {
  double sum = 0;
  for (TColour c : tile.Pixels()) sum += Red(c) + Green(c) + Blue(c);
  return sum / tile.Pixels().size();
}

// Mean colour difference of two tiles seen at 12 pixels (every other pixel).
double DifferenceAt12(const TCanvas& a, const TCanvas& b) {
  double sum = 0;
  for (int y = 0; y < TilePixels; y += 2)
    for (int x = 0; x < TilePixels; x += 2) {
      const TColour p = a.Get(x, y), q = b.Get(x, y);
      sum += std::abs(Red(p) - Red(q)) + std::abs(Green(p) - Green(q)) + std::abs(Blue(p) - Blue(q));
    }
  return sum / 144;
}

std::vector<TCanvas> AllSheets() { return {Chao(), MakeCasas(), MakeEquip(), MakeConstru(), MakeStatus()}; }

TEST(Patterns, SheetsHoldEveryNumberedPattern) {
  for (const TCanvas& s : AllSheets()) {
    EXPECT_EQ(s.Width() % TilePixels, 0);
    EXPECT_EQ(s.Height() % TilePixels, 0);
  }
  EXPECT_GE(PatternCount(Chao()), DetailPatternEnd);
  // Sixteen patterns to a row: the numbers the map stores keep their places.
  EXPECT_EQ(Chao().Width(), 16 * TilePixels);
  // The house is cut 2 x 2 row by row: its picture is exactly two patterns
  // wide, the house on wetter ground below.
  EXPECT_EQ(MakeCasas().Width(), 2 * TilePixels);
  EXPECT_GE(PatternCount(MakeCasas()), 3 * HouseLevelStep);
  EXPECT_EQ(PatternCount(MakeStatus()), 5);
  EXPECT_GE(PatternCount(MakeEquip()), 1);
  EXPECT_GE(PatternCount(MakeConstru()), 1);
}

TEST(Patterns, OnlyTheClearingDustAndTheBridgeDecksUseTheColourKey) {
  for (int i = 0; i < PatternCount(Chao()); ++i) {
    if (i >= DetailPatternEnd) continue;  // the ranch's pictures, laid over tiles: RanchPicturesTest
    const TCanvas tile = Pattern(Chao(), i);
    const int key = KeyPixels(tile);
    if (i == BridgeDeckWestEast || i == BridgeDeckNorthSouth) {
      EXPECT_GT(key, TilePixels * 4) << "the water beside deck " << i << " must show";
      EXPECT_LT(key, TilePixels * TilePixels / 2) << i;
    } else if (i >= FirstClearing && i <= LastClearing) {
      EXPECT_GT(key, TilePixels * TilePixels / 2) << "dust frame " << i << " should leave the ground visible";
      EXPECT_EQ((tile.Get(0, 0) | 0xFF000000u), Magenta) << i;
    } else {
      EXPECT_EQ(key, 0) << "pattern " << i << " is drawn alone and must be opaque";
    }
  }
  // The dust thins out from the first frame to the last.
  EXPECT_LT(KeyPixels(Pattern(Chao(), FirstClearing)), KeyPixels(Pattern(Chao(), LastClearing)));
  const std::vector<TCanvas> sheets = AllSheets();
  for (std::size_t i = 1; i < sheets.size(); ++i) EXPECT_EQ(KeyPixels(sheets[i]), 0) << "sheet " << i;
}

TEST(Patterns, EveryPixelComesFromThePalette) {
  for (const TCanvas& s : AllSheets())
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) ASSERT_NE(MaterialOf(s.Get(x, y)), TMaterial::None) << "pixel " << x << "," << y;
}

TEST(Patterns, WetterGroundIsDarker) {
  const double dry = Brightness(Pattern(Chao(), GroundDry)), wet = Brightness(Pattern(Chao(), GroundWet)),
               soaked = Brightness(Pattern(Chao(), GroundVeryWet));
  EXPECT_GT(dry, wet);
  EXPECT_GT(wet, soaked);
  // Yet close enough to the dry grass that the stored feature pictures, which
  // stand on it, do not show as bright squares on a rainy day.
  EXPECT_LT(dry - wet, 3 * 12.0);
  EXPECT_LT(dry - soaked, 3 * 25.0);
  // Very wet ground shows standing water.
  int puddle = 0;
  const TCanvas soakedTile = Pattern(Chao(), GroundVeryWet);
  for (TColour c : soakedTile.Pixels()) puddle += MaterialOf(c) == TMaterial::Water;
  EXPECT_GT(puddle, 20);
}

// Brightness of each quarter-tile block and of each row and column: a patch
// or a streak that stood out would repeat as a grid across the field.
TEST(Patterns, WetGroundHasNoPatchOrStreakToRepeat) {
  for (int ground : {GroundDry, GroundWet, GroundVeryWet}) {
    const TCanvas tile = Pattern(Chao(), ground);
    auto spread = [&](int w, int h) {
      double lo = 1e9, hi = 0;
      for (int y = 0; y < TilePixels; y += h)
        for (int x = 0; x < TilePixels; x += w) {
          const double b = Brightness(tile.Crop(x, y, w, h));
          lo = std::min(lo, b);
          hi = std::max(hi, b);
        }
      return hi - lo;
    };
    EXPECT_LT(spread(12, 12), 3 * 12.0) << "ground " << ground << ": a patch";
    EXPECT_LT(spread(TilePixels, 1), 3 * 20.0) << "ground " << ground << ": a row streak";
    EXPECT_LT(spread(1, TilePixels), 3 * 20.0) << "ground " << ground << ": a column streak";
  }
}

TEST(Patterns, OpenWaterShimmersBetweenItsTwoFrames) {
  const TCanvas a = Pattern(Chao(), OpenWater), b = Pattern(Chao(), OpenWaterShimmer);
  int changed = 0;
  for (std::size_t i = 0; i < a.Pixels().size(); ++i) changed += a.Pixels()[i] != b.Pixels()[i];
  EXPECT_GT(changed, 40);
  EXPECT_LT(changed, 400) << "the frames should differ by a shimmer, not be different pictures";
}

TEST(Patterns, EveryKindTellsApartFromTheOthersAt12Pixels) {
  const int kinds[] = {GroundDry, OpenWater, 25, FirstScenery, FirstTree, DirtRoadBase + 4, PavementBase + 4,
                       FenceBase + 4, GateWestEast, DuctBase + 4, DuctFittingWestEast, BridgeCrossing};
  for (int a : kinds)
    for (int b : kinds) {
      if (a >= b) continue;
      EXPECT_GT(DifferenceAt12(Pattern(Chao(), a), Pattern(Chao(), b)), 12.0) << a << " vs " << b;
    }
}

TEST(Patterns, EveryTreeAndSceneryPictureIsItsOwn) {
  std::set<std::vector<TColour>> seen;
  for (int i = FirstScenery; i < FirstTree + 4; ++i) EXPECT_TRUE(seen.insert(Pattern(Chao(), i).Pixels()).second) << i;
}

TEST(Patterns, WeatherIconsAreDistinctAndDarkenWithTheWeather) {
  const TCanvas status = MakeStatus();
  for (int a = 0; a < 5; ++a)
    for (int b = a + 1; b < 5; ++b) EXPECT_GT(DifferenceAt12(Pattern(status, a), Pattern(status, b)), 10.0) << a << " " << b;
  EXPECT_GT(Brightness(Pattern(status, 0)), Brightness(Pattern(status, 4)));
  EXPECT_GT(Brightness(Pattern(status, 2)), Brightness(Pattern(status, 3)));
}

TEST(Patterns, EquipmentAndConstructionsArePictures) {
  const std::vector<TCanvas> sheets = {MakeEquip(), MakeConstru()};
  for (const TCanvas& s : sheets)
    for (int i = 0; i < PatternCount(s); ++i) {
      const TCanvas tile = Pattern(s, i);
      const std::set<TColour> colours(tile.Pixels().begin(), tile.Pixels().end());
      EXPECT_GE(colours.size(), 8u) << "pattern " << i;
    }
}

}  // namespace
