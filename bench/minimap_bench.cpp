// The minimap's cost per look at the map and per repaint. A frame of the map
// view on a full-HD surface is measured with the view's other frames
// (view_bench.cpp), a plain copy of such a surface with the surfaces
// (present_bench.cpp).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "map/Mapa.h"
#include "view/Minimap.h"

namespace {

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

}  // namespace
