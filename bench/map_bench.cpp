// Map core: generation, a long placement with joining, a year of days.
#include <benchmark/benchmark.h>

#include "map/Mapa.h"
#include "map/MapaCodes.h"
#include "shell/defines.h"

namespace {

class TSilentHost : public IMapHost {
 public:
  void ShowFunds(std::int32_t) override {}
  void ShowDate(std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
  void ForecastCell(int, std::uint8_t) override {}
  void ForecastLine(int, int, int, int) override {}
  void PlayWave(int) override {}
};

void BM_Generate(benchmark::State& state) {
  RandomSeed(1);
  for (auto _ : state) {
    TMapa map;
    map.Generate();
    benchmark::DoNotOptimize(map.Record().tiles);
  }
}
BENCHMARK(BM_Generate);

void BM_PlaceLinearFence(benchmark::State& state) {
  const TMapa blank;
  TMapa map;
  for (auto _ : state) {
    state.PauseTiming();
    map.Record() = blank.Record();
    state.ResumeTiming();
    for (int x = 1; x <= 94; ++x) {
      map.PlaceLinear(static_cast<std::uint8_t>(x), 48, BaseFence, TPlaceMode::Place);
    }
    benchmark::DoNotOptimize(map.Record().tiles);
  }
  state.SetItemsProcessed(state.iterations() * 94);
}
BENCHMARK(BM_PlaceLinearFence);

void BM_TickYear(benchmark::State& state) {
  TSilentHost host;
  WeekWord.Assign("Semana", 6);
  MonthWord.Assign("de", 2);
  MonthNames[1].Assign("Janeiro", 7);
  SoundOn = true;
  GameSpeed = 4;
  RandomSeed(1);
  TMapa map(&host);
  map.Generate();
  map.AdvanceForecast();
  for (auto _ : state) {
    for (int day = 0; day < 288; ++day) map.Tick(1);
    benchmark::DoNotOptimize(map.Record().moisture);
  }
  ResetGameGlobals();
}
BENCHMARK(BM_TickYear);

}  // namespace
