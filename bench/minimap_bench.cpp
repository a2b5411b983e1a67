// The minimap's cost per look at the map, and one frame of the map view on a
// 1920 x 1080 surface (a large view on a full-HD screen) at each zoom against
// a plain copy of a surface that size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <string>

#include "bench/bench_support.h"
#include "map/Mapa.h"
#include "shell/defines.h"
#include "tests/view/DrawFixture.h"
#include "view/Minimap.h"

namespace {

constexpr int LargeWidth = 1920;
constexpr int LargeHeight = 1080;

TMapa GeneratedMap() {
  RandomSeed(7);
  TMapa map;
  map.Generate();
  return map;
}

// Arg 0: nothing changed since the last look; 1: one tile; 2: the weather,
// so every bare cell.
void BM_MinimapRefresh(benchmark::State& state) {
  TMapa map = GeneratedMap();
  TMinimap minimap;
  minimap.Refresh(map.Record());
  TMapaRecord& record = map.Record();
  int step = 0;
  for (auto _ : state) {
    ++step;
    if (state.range(0) == 1) record.tiles[40][40].kind = step % 2 ? tkTree : tkEmpty;
    if (state.range(0) == 2) record.weather = step % 2 ? wtRain : wtSunny;
    benchmark::DoNotOptimize(minimap.Refresh(record));
  }
}
BENCHMARK(BM_MinimapRefresh)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The overview repainting the whole minimap: 96 x 96 cells at 2 pixels.
void BM_MinimapPaint(benchmark::State& state) {
  TMapa map = GeneratedMap();
  TMinimap minimap;
  minimap.Refresh(map.Record());
  const QImage cells(reinterpret_cast<const uchar*>(minimap.Pixels()), TMinimap::Side, TMinimap::Side,
                     TMinimap::Side * 4, QImage::Format_RGB32);
  QImage target(2 * TMinimap::Side, 2 * TMinimap::Side, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&target);
    painter.drawImage(target.rect(), cells);
    painter.end();
    benchmark::DoNotOptimize(target.bits());
  }
}
BENCHMARK(BM_MinimapPaint)->Unit(benchmark::kMicrosecond);

using bench::EnsureGuiApplication;
using bench::Square;
using bench::TBar;

// As the view's frame: the map from the top-left corner, the rate figure and
// the hover marker.
void FrameLarge(benchmark::State& state, int zoom) {
  EnsureGuiApplication();
  ResetGameGlobals();
  TileSize = static_cast<unsigned char>(zoom);

  THeadlessDevice device(LargeWidth, LargeHeight);
  TDXImageList ground;
  FillGroundList(ground);
  TDXImageList others;
  others.Items.Add().Picture = Square(0xFF808080);
  TPictureCollectionItem& marker = others.Items.Add();
  marker.Picture = Square(0xFF008000);
  marker.Transparent = false;
  device.Start();
  ground.SetDXDraw(&device);
  others.SetDXDraw(&device);

  TMapa map = GeneratedMap();
  TBar horizontal, vertical;
  TDirectDrawSurface& back = device.Back();
  const TRect square{5 * zoom, 4 * zoom, 6 * zoom, 5 * zoom};
  for (auto _ : state) {
    map.Draw(back, back.Width(), back.Height(), 0, 0, ground, horizontal, vertical);
    back.Canvas().TextOut(0, 0, std::to_string(15));
    back.Canvas().ReleaseCanvas();
    others.Items.Items(1).DrawBlended(back, square, 0, 96);
    benchmark::DoNotOptimize(back.Bits());
  }
  ground.SetDXDraw(nullptr);
  others.SetDXDraw(nullptr);
}

void SurfaceCopyLarge(benchmark::State& state) {
  TDirectDrawSurface from(LargeWidth, LargeHeight), to(LargeWidth, LargeHeight);
  from.Fill(0xFF336699u);
  for (auto _ : state) {
    std::memcpy(to.Bits(), from.Bits(), static_cast<std::size_t>(LargeWidth) * LargeHeight * 4);
    benchmark::DoNotOptimize(to.Bits());
    benchmark::ClobberMemory();
  }
}

const bool Registered = [] {
  for (int zoom : {12, 16, 24, 36, 48})
    benchmark::RegisterBenchmark(("BM_Frame/1920x1080/" + std::to_string(zoom)).c_str(), FrameLarge, zoom)
        ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_SurfaceCopy/1920x1080", SurfaceCopyLarge)->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
