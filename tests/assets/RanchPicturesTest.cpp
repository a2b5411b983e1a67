// The ranch economy's pictures in the ground image: see-through round what
// they show, nothing stray, shadows of shadow ink only, figures inside their
// box and still there, apart from the ground, at 12 pixels a tile.
#include <gtest/gtest.h>

#include <set>

#include "assets/art/JoinTables.h"
#include "assets/art/Palette.h"
#include "assets/art/Sheets.h"
#include "view/RanchPictures.h"

namespace {

using namespace art;

const TCanvas& Chao() {
  static const TCanvas sheet = MakeChao();
  return sheet;
}

bool Keyed(TColour c) { return (c | 0xFF000000u) == Magenta; }

int Shown(const TCanvas& tile) {
  int n = 0;
  for (TColour c : tile.Pixels()) n += !Keyed(c);
  return n;
}

// Shown pixels not joined to the biggest group of them, corners counting.
int Stray(const TCanvas& tile) {
  std::vector<int> group(TilePixels * TilePixels, -1);
  std::vector<int> sizes;
  for (int start = 0; start < TilePixels * TilePixels; ++start) {
    if (group[start] >= 0 || Keyed(tile.Get(start % TilePixels, start / TilePixels))) continue;
    const int id = static_cast<int>(sizes.size());
    sizes.push_back(0);
    std::vector<int> stack{start};
    group[start] = id;
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      ++sizes[id];
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int x = at % TilePixels + dx, y = at / TilePixels + dy;
          if (!tile.Inside(x, y) || Keyed(tile.Get(x, y)) || group[y * TilePixels + x] >= 0) continue;
          group[y * TilePixels + x] = id;
          stack.push_back(y * TilePixels + x);
        }
    }
  }
  int total = 0, biggest = 0;
  for (int n : sizes) {
    total += n;
    biggest = std::max(biggest, n);
  }
  return total - biggest;
}

bool InsideBox(const TCanvas& tile) {
  for (int y = 0; y < TilePixels; ++y)
    for (int x = 0; x < TilePixels; ++x)
      if (!Keyed(tile.Get(x, y)) &&
          (x < CattleBoxFirst || x >= CattleBoxEnd || y < CattleBoxFirst || y >= CattleBoxEnd))
        return false;
  return true;
}

double Distance(TColour a, TColour b) {
  return (std::abs(Red(a) - Red(b)) + std::abs(Green(a) - Green(b)) + std::abs(Blue(a) - Blue(b))) / 3.0;
}

TEST(RanchPictures, FollowTheDetailedTerrainAndLeaveTheRestOfTheirRowsClear) {
  const int patterns = (Chao().Width() / TilePixels) * (Chao().Height() / TilePixels);
  EXPECT_GE(patterns, RanchPatternEnd);
  EXPECT_EQ(WaterTroughPattern, DetailPatternEnd);
  const auto used = [](int i) {
    return i < FirstPlantedPattern + 3 || (i >= FirstCattlePattern && i < RanchPatternEnd);
  };
  for (int i = WaterTroughPattern; i < patterns; ++i) {
    if (used(i)) continue;
    EXPECT_EQ(Shown(Pattern(Chao(), i)), 0) << i;
  }
  for (int i = WaterTroughPattern; i < RanchPatternEnd; ++i) {
    if (!used(i)) continue;
    const TCanvas tile = Pattern(Chao(), i);
    // Laid over a tile, each leaves the ground showing round it.
    EXPECT_GT(Shown(tile), 20) << i;
    EXPECT_GT(TilePixels * TilePixels - Shown(tile), 60) << i;
    EXPECT_TRUE(Keyed(tile.Get(0, 0)) || (i >= FirstPlantedPattern && i < FirstCattlePattern)) << i;
  }
}

TEST(RanchPictures, NothingStrayAndShadowsInShadowInkOnly) {
  for (int i : {WaterTroughPattern, FeedTroughPattern}) EXPECT_EQ(Stray(Pattern(Chao(), i)), 0) << i;
  for (int i = FirstCattlePattern; i < FirstCattleShadow; ++i) {
    const TCanvas figure = Pattern(Chao(), i);
    EXPECT_EQ(Stray(figure), 0) << "figure " << i;
    EXPECT_TRUE(InsideBox(figure)) << "figure " << i << " would leave its tile";
  }
  for (int i : {WaterTroughShadow, FeedTroughShadow}) {
    std::set<TColour> colours;
    const TCanvas shadow = Pattern(Chao(), i);
    for (TColour c : shadow.Pixels())
      if (!Keyed(c)) colours.insert(c);
    EXPECT_EQ(colours, (std::set<TColour>{Shade(TMaterial::Ink, 0)})) << i;
  }
  for (int i = FirstCattleShadow; i < RanchPatternEnd; ++i) {
    const TCanvas shadow = Pattern(Chao(), i);
    EXPECT_TRUE(InsideBox(shadow)) << "shadow " << i;
    for (TColour c : shadow.Pixels()) ASSERT_TRUE(Keyed(c) || c == Shade(TMaterial::Ink, 0)) << i;
  }
}

TEST(RanchPictures, FiguresKeepTheirShapeAndStandOutAt12Pixels) {
  const TCanvas dry = Pattern(Chao(), GroundDry), soaked = Pattern(Chao(), GroundVeryWet);
  std::set<std::vector<TColour>> seen;
  for (int i = FirstCattlePattern; i < FirstCattleShadow; ++i) {
    const TCanvas figure = Pattern(Chao(), i);
    EXPECT_TRUE(seen.insert(figure.Pixels()).second) << "figure " << i << " repeats another";
    // Every other pixel, as the smallest zoom draws it.
    int kept = 0;
    double apart = 0;
    for (int y = 0; y < TilePixels; y += 2)
      for (int x = 0; x < TilePixels; x += 2) {
        const TColour c = figure.Get(x, y);
        if (Keyed(c)) continue;
        ++kept;
        apart += std::min(Distance(c, dry.Get(x, y)), Distance(c, soaked.Get(x, y)));
      }
    EXPECT_GE(kept, 8) << "figure " << i << " all but vanishes at 12 pixels";
    EXPECT_GT(apart / std::max(kept, 1), 25.0) << "figure " << i << " blends into the ground";
  }
}

TEST(RanchPictures, PlantedGrassShowsRowsOnEveryGround) {
  std::set<std::vector<TColour>> seen;
  for (int w = 0; w < 3; ++w) {
    const TCanvas tile = Pattern(Chao(), FirstPlantedPattern + w);
    EXPECT_TRUE(seen.insert(tile.Pixels()).second) << w;
    int earth = 0, leaf = 0;
    for (int y = 0; y < TilePixels; y += 2)
      for (int x = 0; x < TilePixels; x += 2) {
        earth += MaterialOf(tile.Get(x, y)) == TMaterial::Earth;
        leaf += MaterialOf(tile.Get(x, y)) == TMaterial::Leaf;
      }
    EXPECT_GT(earth, 20) << "the furrows vanish at 12 pixels on ground " << w;
    EXPECT_GT(leaf, 20) << "the young grass vanishes at 12 pixels on ground " << w;
  }
}

}  // namespace
