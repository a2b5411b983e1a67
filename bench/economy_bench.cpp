// The ranch economy: one day on a full map of 20 pastures (target: at most
// 100 us) and finding the pastures again after one tile changes (at most
// 300 us).
#include <benchmark/benchmark.h>

#include "economy/Economy.h"
#include "map/MapaCodes.h"

namespace {

// Five by four fenced boxes fill the map; each has a gate, a pond for water,
// a few trees for shade and a herd of 20.
struct TFullRanch {
  TMapa map;
  TEconomy eco;

  TFullRanch() {
    for (int i = 0; i < MapSize; ++i) {
      for (const auto& [x, y] : {std::pair{i, 0}, {i, MapSize - 1}, {0, i}, {MapSize - 1, i}}) {
        map.Tile(x, y) = TTile{0, ImageOpenWater, tkWater};
      }
    }
    map.Record().funds = 10'000'000;
    for (int col = 0; col < 5; ++col) {  // columns 2..91, rows 2..93
      for (int row = 0; row < 4; ++row) Box(2 + col * 18, 2 + row * 23, 2 + col * 18 + 17, 2 + row * 23 + 22);
    }
    eco.Start(map, 1);
    for (const TPasture& pasture : std::vector<TPasture>(eco.Pastures())) {
      eco.Buy(map, TileX(pasture.id), TileY(pasture.id), 20);
    }
  }

  void Box(int x0, int y0, int x1, int y1) {
    for (int x = x0; x <= x1; ++x) {
      for (int y = y0; y <= y1; ++y) {
        if (x == x0 || x == x1 || y == y0 || y == y1) {
          map.PlaceLinear(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), BaseFence, TPlaceMode::Place);
        }
      }
    }
    map.PlaceFitting(static_cast<std::uint8_t>(x0 + 4), static_cast<std::uint8_t>(y1), FittingGate);
    map.Tile(x1 - 2, y1 - 2) = TTile{255, WaterJoinImage[0], tkWater};
    map.PlaceTree(static_cast<std::uint8_t>(x0 + 3), static_cast<std::uint8_t>(y0 + 3));
    map.PlaceTree(static_cast<std::uint8_t>(x0 + 9), static_cast<std::uint8_t>(y0 + 12));
  }
};

void BM_EconomyDay(benchmark::State& state) {
  TFullRanch ranch;
  if (ranch.eco.Pastures().size() != 20) state.SkipWithError("the ranch should have 20 pastures");
  ranch.map.Record().weather = wtRain;
  for (auto _ : state) {
    ranch.eco.Day(ranch.map);
    benchmark::DoNotOptimize(ranch.eco.Pastures().data());
  }
}
BENCHMARK(BM_EconomyDay)->Unit(benchmark::kMicrosecond);

void BM_EconomyMapChanged(benchmark::State& state) {
  TFullRanch ranch;
  bool tree = false;
  for (auto _ : state) {
    // A tree planted or cleared inside the first pasture.
    if (tree) {
      ranch.map.Bulldoze(10, 10);
    } else {
      ranch.map.PlaceTree(10, 10);
    }
    tree = !tree;
    ranch.eco.MapChanged(ranch.map);
    benchmark::DoNotOptimize(ranch.eco.Pastures().data());
  }
}
BENCHMARK(BM_EconomyMapChanged)->Unit(benchmark::kMicrosecond);

}  // namespace
