// The ground image: every pattern the map names, at its number.
#include <array>

#include "assets/art/Ground.h"
#include "assets/art/JoinTables.h"
#include "assets/art/Ranch.h"
#include "assets/art/Sheets.h"
#include "map/TerrainDetail.h"

namespace art {

TCanvas Pattern(const TCanvas& sheet, int i) {
  const int columns = sheet.Width() / TilePixels;
  return sheet.Crop((i % columns) * TilePixels, (i / columns) * TilePixels, TilePixels, TilePixels);
}

namespace {

void Put(TCanvas& sheet, int i, const TCanvas& tile) {
  sheet.Draw(tile, (i % ChaoColumns) * TilePixels, (i / ChaoColumns) * TilePixels, false);
}

// The stored picture `image` drawn on plain ground of a wetness.
TCanvas FeatureOn(int image, TWetness ground) {
  if (image >= FirstScenery && image < FirstScenery + 4) return SceneryTile(image - FirstScenery, ground);
  if (image >= FirstTree && image < FirstTree + 4) return TreeTile(image - FirstTree, ground);
  for (int base : {DirtRoadBase, PavementBase, FenceBase, DuctBase}) {
    if (image < base || image >= base + 11) continue;
    const int arms = PieceArms[static_cast<std::size_t>(image - base)];
    if (base == FenceBase) return FenceTile(arms, ground);
    if (base == DuctBase) return DuctTile(arms, ground);
    return RoadTile(arms, base == PavementBase, ground);
  }
  switch (image) {
    case GateWestEast: return GateTile(false, ground);
    case GateNorthSouth: return GateTile(true, ground);
    case DuctFittingWestEast: return DuctFittingTile(false, ground);
    case DuctFittingNorthSouth: return DuctFittingTile(true, ground);
    case DuctWestEastAlt: return DuctClampTile(false, ground);
    default: return DuctClampTile(true, ground);
  }
}

static_assert(DetailPatternEnd <= ChaoPatterns, "the ground image must hold every detailed picture");
static_assert(RanchPatternEnd <= ChaoPatterns, "and every picture of the ranch economy");

// The detailed terrain's pictures, in the rows after the stored ones.
void PutDetailedTerrain(TCanvas& sheet) {
  for (std::size_t k = 0; k < WeatheredImages.size(); ++k) {
    Put(sheet, FirstDampFeature + static_cast<int>(k), FeatureOn(WeatheredImages[k], TWetness::Wet));
    Put(sheet, FirstSoakedFeature + static_cast<int>(k), FeatureOn(WeatheredImages[k], TWetness::VeryWet));
  }
  const TWetness levels[3] = {TWetness::Dry, TWetness::Wet, TWetness::VeryWet};
  for (int level = 0; level < 3; ++level)
    for (int paved = 0; paved < 2; ++paved)
      for (int northSouth = 0; northSouth < 2; ++northSouth)
        Put(sheet, FirstCrossing + 4 * level + 2 * paved + northSouth, CrossingTile(northSouth, paved, levels[level]));
  Put(sheet, BridgeDeckWestEast, BridgeDeck(false));
  Put(sheet, BridgeDeckNorthSouth, BridgeDeck(true));
  for (int mask = 0; mask < 16; ++mask)
    for (int corners = 1; corners < 16; ++corners) {
      const int still = BankCornerPattern(mask, corners, false);
      if (still < 0) continue;
      Put(sheet, still, WaterTile(mask, 0, corners));
      if (mask == 15) Put(sheet, BankCornerPattern(mask, corners, true), WaterTile(mask, 1, corners));
    }
}

}  // namespace

TCanvas MakeChao() {
  TCanvas sheet(ChaoColumns * TilePixels, ChaoRows * TilePixels);
  // Numbers the map never names hold dry ground with a little decoration.
  for (int i = 0; i < ChaoPatterns; ++i) Put(sheet, i, GroundTile(TWetness::Dry, 1 + i % 11));
  Put(sheet, GroundDry, GroundTile(TWetness::Dry, 0));
  Put(sheet, 120, GroundTile(TWetness::Dry, 0));
  for (int v = 1; v < 5; ++v) Put(sheet, GroundWet + v, GroundTile(TWetness::Wet, v));
  Put(sheet, GroundWet, GroundTile(TWetness::Wet, 0));
  for (int v = 1; v < 5; ++v) Put(sheet, GroundVeryWet + v, GroundTile(TWetness::VeryWet, v));
  Put(sheet, GroundVeryWet, GroundTile(TWetness::VeryWet, 0));

  for (int mask = 0; mask < 16; ++mask) Put(sheet, WaterImage[mask], WaterTile(mask, 0));
  Put(sheet, OpenWaterShimmer, WaterTile(North | West | East | South, 1));

  for (int k = 0; k < 4; ++k) {
    Put(sheet, FirstScenery + k, SceneryTile(k));
    Put(sheet, FirstTree + k, TreeTile(k));
  }
  for (int offset = 0; offset < 11; ++offset) {
    const int arms = PieceArms[offset];
    Put(sheet, DirtRoadBase + offset, RoadTile(arms, false));
    Put(sheet, PavementBase + offset, RoadTile(arms, true));
    Put(sheet, FenceBase + offset, FenceTile(arms));
    Put(sheet, DuctBase + offset, DuctTile(arms));
  }
  Put(sheet, GateWestEast, GateTile(false));
  Put(sheet, GateNorthSouth, GateTile(true));
  Put(sheet, DuctFittingWestEast, DuctFittingTile(false));
  Put(sheet, DuctFittingNorthSouth, DuctFittingTile(true));
  Put(sheet, DuctWestEastAlt, DuctClampTile(false));
  Put(sheet, DuctNorthSouthAlt, DuctClampTile(true));
  for (int f = FirstClearing; f <= LastClearing; ++f) Put(sheet, f, ClearingTile(f - FirstClearing));
  Put(sheet, BridgeCrossing, DeckTile());
  PutDetailedTerrain(sheet);
  PutRanchPictures(sheet, ChaoColumns);
  return sheet;
}

}  // namespace art
