// The map view's frame with the ranch economy on: the map, then troughs,
// planted grass and the herds' cattle over it, at each zoom on the view's
// own 640 x 507 back surface and on a 1920 x 1080 one. Standing still on one
// day, the frame must cost what the map alone costs; on a new day every
// square of a herd is laid again. The pictures are the game's own, from the
// package in data/ when the benchmark runs in the build folder (a cow's
// shadow fills few of its square's rows, which the drawing relies on), and
// a stand-in sheet otherwise.
#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "datafiles/zolpackload.h"
#include "economy/Economy.h"
#include "map/Mapa.h"
#include "map/MapaCodes.h"
#include "shell/defines.h"
#include "tests/view/DrawFixture.h"
#include "view/RanchFigures.h"

namespace {

using bench::TBar;

void RanchArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"zoom", "width"});
  b->ArgsProduct({{12, 16, 24, 36, 48}, {640, 1920}});
}

// Bare ground with a 4 x 3 grid of fenced boxes of 12 x 12 tiles, each with
// a gate, a pond, a water and a feed trough, planted rows and a herd big
// enough to fill it.
void BuildRanch(TMapa& map, TEconomy& eco) {
  for (int bx = 0; bx < 4; ++bx)
    for (int by = 0; by < 3; ++by) {
      const int x0 = 2 + bx * 13, y0 = 2 + by * 13;
      for (int x = x0; x <= x0 + 12; ++x)
        for (int y = y0; y <= y0 + 12; ++y)
          if (x == x0 || x == x0 + 12 || y == y0 || y == y0 + 12)
            map.PlaceLinear(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), BaseFence, TPlaceMode::Place);
      map.PlaceFitting(static_cast<std::uint8_t>(x0 + 6), static_cast<std::uint8_t>(y0 + 12), FittingGate);
      map.Record().tiles[x0 + 11][y0 + 11] = {0, ImageOpenWater, tkWater};
    }
  map.Record().funds = 50'000'000;
  eco.Start(map, 1);
  for (int bx = 0; bx < 4; ++bx)
    for (int by = 0; by < 3; ++by) {
      const int x0 = 2 + bx * 13, y0 = 2 + by * 13;
      eco.ToolAction(map, tlAgua, x0 + 2, y0 + 2);
      eco.ToolAction(map, tlComida, x0 + 4, y0 + 2);
      for (int x = x0 + 2; x < x0 + 8; ++x) eco.ToolAction(map, tlPlant, x, y0 + 6);
      eco.Buy(map, x0 + 5, y0 + 5, 150 + 40 * bx);
    }
}

// IMGChao's ground and house pictures as the game cuts them, from the
// package; false when there is none here.
bool LoadGameGround(TDXImageList& list) {
  TZolPackLoad pack;
  if (!pack.AbrePacote("data/data.dpf")) return false;
  for (const char* entry : {"chao.bmp", "casas.bmp"}) {
    if (!pack.ExtrairArquivo(entry, &list.Items, nullptr)) return false;
    TPictureCollectionItem& item = list.Items.Items(list.Items.Count() - 1);
    item.PatternWidth = item.PatternHeight = 24;
    item.Transparent = true;
    item.SetTransparentColor(0x00FF00FF);
  }
  return true;
}

void RunRanchFrames(benchmark::State& state, bool newDayEachFrame) {
  bench::EnsureGuiApplication();
  ResetGameGlobals();
  TileSize = static_cast<unsigned char>(state.range(0));
  const int width = static_cast<int>(state.range(1)), height = width == 640 ? 507 : 1080;
  THeadlessDevice device(width, height);
  TDXImageList ground;
  const bool gameArt = LoadGameGround(ground);
  if (!gameArt) {
    FillGroundList(ground, true);
    // The ground image as the game holds it: the ranch's pictures after the
    // detailed terrain's, see-through round what they show.
    ground.Items.Items(0).Picture = PatternSheet(16, 23, [](int i) { return GroundPixel(i); }, 120);
  }
  state.SetLabel(gameArt ? "game art" : "stand-in art");
  device.Start();
  ground.SetDXDraw(&device);

  TMapa map;
  TEconomy eco;
  BuildRanch(map, eco);
  TRanchFigures figures;
  TBar horizontal, vertical;
  TDirectDrawSurface& back = device.Back();
  int day = 1;
  for (auto _ : state) {
    if (newDayEachFrame) ++day;
    map.Draw(back, back.Width(), back.Height(), 0, 0, ground, horizontal, vertical);
    figures.Draw(back, &eco, map, ground, back.Width(), back.Height(), 0, 0, TileSize, day);
    benchmark::DoNotOptimize(back.Row(0));
  }
  ground.SetDXDraw(nullptr);
}

void BM_RanchFrame(benchmark::State& state) { RunRanchFrames(state, false); }
BENCHMARK(BM_RanchFrame)->Apply(RanchArgs)->Unit(benchmark::kMicrosecond);

void BM_RanchFrameNewDay(benchmark::State& state) { RunRanchFrames(state, true); }
BENCHMARK(BM_RanchFrameNewDay)->Apply(RanchArgs)->Unit(benchmark::kMicrosecond);

}  // namespace
