// The ground image: every pattern the map names, at its number.
#include <array>

#include "assets/art/Ground.h"
#include "assets/art/JoinTables.h"
#include "assets/art/Sheets.h"

namespace art {

TCanvas Pattern(const TCanvas& sheet, int i) {
  const int columns = sheet.Width() / TilePixels;
  return sheet.Crop((i % columns) * TilePixels, (i / columns) * TilePixels, TilePixels, TilePixels);
}

namespace {

void Put(TCanvas& sheet, int i, const TCanvas& tile) {
  sheet.Draw(tile, (i % ChaoColumns) * TilePixels, (i / ChaoColumns) * TilePixels, false);
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
  return sheet;
}

}  // namespace art
