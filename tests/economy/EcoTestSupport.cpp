#include "EcoTestSupport.h"

#include <gtest/gtest.h>

#include "map/MapaCodes.h"
#include "tests/map/MapTestSupport.h"

void TEcoRanch::Days(int count) {
  for (int i = 0; i < count; ++i) {
    map.Tick(1);
    eco.Day(map);
  }
}

const TPasture& TEcoRanch::PastureAt(int x, int y) const {
  static const TPasture none{};
  const std::uint8_t index = eco.PastureAt(x, y);
  return index == NoPasture ? none : eco.Pastures()[index];
}

void FenceBox(TMapa& map, int x0, int y0, int x1, int y1) {
  for (int x = x0; x <= x1; ++x) {
    for (int y = y0; y <= y1; ++y) {
      if (x == x0 || x == x1 || y == y0 || y == y1) {
        map.PlaceLinear(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), BaseFence,
                        TPlaceMode::Place);
      }
    }
  }
}

void MakeBoxRanch(TEcoRanch& ranch, bool gate, bool pond) {
  MakeBorder(ranch.map);
  FenceBox(ranch.map, 20, 20, 29, 29);
  if (gate) ranch.map.PlaceFitting(24, 29, FittingGate);
  if (pond) Put(ranch.map, 28, 28, tkWater, WaterJoinImage[0]);
  ranch.eco.Start(ranch.map, 1);
}

namespace {

// Room beside the river: no water, house or fence in the box right of the
// bank, and the first water run in the row ends well inside the map.
bool SiteFits(const TMapa& map, int row, TRiverSite& site) {
  int x = 2;
  while (x < 40 && map.Tile(x, row).kind != tkWater) ++x;
  if (x == 40) return false;
  while (x < 60 && map.Tile(x, row).kind == tkWater) ++x;
  site.bank = x;
  if (site.bank + 22 > 94) return false;
  for (int bx = site.bank; bx <= site.bank + 22; ++bx) {
    for (int by = row; by <= row + 12; ++by) {
      const std::uint8_t kind = map.Tile(bx, by).kind;
      if (kind == tkWater || kind == tkHouse || kind == tkFence || kind == tkGate) return false;
    }
  }
  site.duct = row;
  site.x0 = site.bank + 4;
  site.x1 = site.bank + 16;
  site.y0 = row + 1;
  site.y1 = row + 8;
  site.troughX = site.x0 + 2;
  site.troughY = site.y0;
  return true;
}

TRiverSite FindSite(TMapa& map) {
  TRiverSite site{};
  for (std::uint64_t seed = 3;; ++seed) {
    RandomSeed(seed);
    map.Reset();
    map.Generate();
    map.AdvanceForecast();
    map.Tick(1);
    for (int row = 10; row <= 80; ++row) {
      if (SiteFits(map, row, site)) return site;
    }
  }
}

void Build(TMapa& map, TToolKind tool, int x, int y) {
  EXPECT_EQ(UseRanchTool(map, nullptr, tool, x, y), TToolOutcome::Applied)
      << ToolName(tool) << " at " << x << "," << y;
}

}  // namespace

TRiverSite MakeRiverRanch(TEcoRanch& ranch, bool trough) {
  TMapa& map = ranch.map;
  const TRiverSite site = FindSite(map);
  for (int x = site.bank; x <= site.x1 + 4; ++x) {
    for (int y = site.duct; y <= site.y1 + 2; ++y) {
      if (map.Tile(x, y).kind != tkEmpty) Build(map, tlBulldoze, x, y);
    }
  }
  for (int x = site.bank; x <= site.x1 + 2; ++x) Build(map, tlDuto, x, site.duct);
  for (int y = site.y0; y <= site.y1 + 1; ++y) {
    Build(map, tlCerca, site.x0 - 1, y);
    Build(map, tlCerca, site.x1 + 1, y);
  }
  for (int x = site.x0; x <= site.x1; ++x) Build(map, tlCerca, x, site.y1 + 1);
  Build(map, tlPorteira, site.x0 + 5, site.y1 + 1);
  ranch.eco.Start(map, 1);
  if (trough) {
    EXPECT_EQ(ranch.Use(tlAgua, site.troughX, site.troughY), TToolOutcome::Applied);
  }
  return site;
}
