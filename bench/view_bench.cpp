// One frame of the map view's drawing: the map, the frame-rate figure and the
// hover marker, at each zoom, on the view's own 640 x 507 back surface and on
// a 1920 x 1080 one, on a dry day and on the second day of rain, without and
// with the detailed terrain.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>
#include <string>

#include "bench/bench_support.h"
#include "map/Mapa.h"
#include "present/Surface.h"
#include "shell/defines.h"
#include "tests/view/DrawFixture.h"

namespace {

using bench::EnsureGuiApplication;
using bench::Square;
using bench::TBar;

void FrameArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"zoom", "width", "rain", "detailed"});
  b->ArgsProduct({{12, 16, 24, 36, 48}, {640, 1920}, {0, 1}, {0, 1}});
}

// A generated ranch drawn as the view draws it; the view scrolls by
// scrollStep columns every frame (0: it stands still).
void RunFrames(benchmark::State& state, int scrollStep) {
  EnsureGuiApplication();
  ResetGameGlobals();
  TileSize = static_cast<unsigned char>(state.range(0));
  const int width = static_cast<int>(state.range(1)), height = width == 640 ? 507 : 1080;
  const bool rain = state.range(2) != 0;
  DetailedTerrain = state.range(3) != 0;

  THeadlessDevice device(width, height);
  TDXImageList ground;
  FillGroundList(ground, true);
  TDXImageList others;
  others.Items.Add().Picture = Square(0xFF808080);  // stands in for the status icons
  for (std::uint32_t pixel : {0xFFFFFFFFu, 0xFFFF0000u, 0xFF008000u}) {
    TPictureCollectionItem& marker = others.Items.Add();
    marker.Picture = Square(pixel);
    marker.Transparent = false;
  }
  device.Start();
  ground.SetDXDraw(&device);
  others.SetDXDraw(&device);

  RandomSeed(7);
  TMapa map;
  map.Generate();
  map.Record().weather = rain ? wtHeavyRain : wtSunny;
  map.Record().weatherYesterday = rain ? wtRain : wtSunny;
  TBar horizontal, vertical;
  TDirectDrawSurface& back = device.Back();
  const int size = TileSize;
  const TRect marker{5 * size, 4 * size, 6 * size, 5 * size};

  int frame = 0;
  for (auto _ : state) {
    const int viewX = 10 + scrollStep * (frame++ % 2);
    map.Draw(back, back.Width(), back.Height(), viewX, 10, ground, horizontal, vertical);
    back.Canvas().TextOut(0, 0, std::to_string(15));
    back.Canvas().ReleaseCanvas();
    others.Items.Items(3).DrawBlended(back, marker, 0, 96);
    benchmark::DoNotOptimize(back.Row(0));
  }
  ground.SetDXDraw(nullptr);
  others.SetDXDraw(nullptr);
  DetailedTerrain = false;
}

// The frame of a view standing still: squares that show what they would
// get are left alone.
void BM_Frame(benchmark::State& state) { RunFrames(state, 0); }
BENCHMARK(BM_Frame)->Apply(FrameArgs)->Unit(benchmark::kMicrosecond);

// Scrolling one column every frame, as with an arrow key held.
void BM_FrameScrolling(benchmark::State& state) { RunFrames(state, 1); }
BENCHMARK(BM_FrameScrolling)->Apply(FrameArgs)->Unit(benchmark::kMicrosecond);

// Every square drawn every frame, as if all of them had changed.
void BM_FrameFull(benchmark::State& state) {
  SetSkipUnchanged(false);
  RunFrames(state, 0);
  SetSkipUnchanged(true);
}
BENCHMARK(BM_FrameFull)->Apply(FrameArgs)->Unit(benchmark::kMicrosecond);

}  // namespace
