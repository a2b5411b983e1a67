// Pattern drawing against the floor (a plain copy of the same surface) and
// against a frame drawn tile by tile with QPainter, for the map view's own
// 640 x 507 surface and for a 1920 x 1080 one. Arguments: tile size, width.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cstring>

#include "present/DXImageList.h"

namespace {

// The surface height that goes with a benchmark's width argument.
int ViewHeight(std::int64_t width) { return width == 640 ? 507 : 1080; }

void ViewSizes(benchmark::internal::Benchmark* b) {
  for (int width : {640, 1920})
    for (int zoom : {12, 16, 24, 36, 48}) b->Args({zoom, width});
}

constexpr int Pattern = 24;
constexpr int PatternColumns = 10;
constexpr int PatternRows = 3;
constexpr std::uint32_t Key = 0xFF000000u;

// A 240 x 72 picture of 30 tiles; every tile has a keyed corner, like the
// trees and fences drawn over the ground.
TBitmap TilePicture() {
  TBitmap b;
  b.Width = Pattern * PatternColumns;
  b.Height = Pattern * PatternRows;
  b.Pixels.resize(static_cast<std::size_t>(b.Width) * b.Height);
  for (int y = 0; y < b.Height; ++y) {
    for (int x = 0; x < b.Width; ++x) {
      const int tx = x % Pattern, ty = y % Pattern;
      const bool keyed = tx + ty < 8;
      b.Pixels[static_cast<std::size_t>(y) * b.Width + x] =
          keyed ? Key : 0xFF000000u | static_cast<std::uint32_t>((x * 7) << 16 | (y * 5) << 8 | (x ^ y));
    }
  }
  return b;
}

struct TileList {
  TileList(int width, int height) {
    device.AutoSize = true;
    device.BoundsChanged(width, height);
    device.StartDevice();
    list.SetDXDraw(&device);
    TPictureCollectionItem& item = list.Items.Add();
    item.Picture = TilePicture();
    item.PatternWidth = Pattern;
    item.PatternHeight = Pattern;
    item.RebuildPatterns();
  }
  TPictureCollectionItem& Item() { return list.Items.Items(0); }
  TSurfaceDevice device;
  TDXImageList list;
};

void BM_DrawScaledView(benchmark::State& state) {
  const int zoom = static_cast<int>(state.range(0));
  const int width = static_cast<int>(state.range(1)), height = ViewHeight(width);
  TileList tiles(width, height);
  TPictureCollectionItem& item = tiles.Item();
  TDirectDrawSurface& back = *tiles.device.BackSurface();
  const int columns = (width + zoom - 1) / zoom, rows = (height + zoom - 1) / zoom;
  for (auto _ : state) {
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < columns; ++x)
        item.DrawScaled(back, {x * zoom, y * zoom, x * zoom + zoom, y * zoom + zoom}, (x + y * 7) % 30);
    benchmark::DoNotOptimize(back.Row(0));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawScaledView)->Apply(ViewSizes);

void BM_SurfaceCopy(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = ViewHeight(width);
  TDirectDrawSurface from(width, height), to(width, height);
  from.Fill(0xFF336699u);
  for (auto _ : state) {
    std::memcpy(to.Row(0), from.Row(0), static_cast<std::size_t>(width) * height * 4);
    benchmark::DoNotOptimize(to.Row(0));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SurfaceCopy)->Arg(640)->Arg(1920);

void BM_QPainterView(benchmark::State& state) {
  const int zoom = static_cast<int>(state.range(0));
  const int width = static_cast<int>(state.range(1)), height = ViewHeight(width);
  const TBitmap picture = TilePicture();
  // What a direct port would do: the key turned into alpha once, then one
  // drawImage per tile.
  QImage source(picture.Width, picture.Height, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) {
      const std::uint32_t p = picture.Pixels[static_cast<std::size_t>(y) * picture.Width + x];
      source.setPixel(x, y, p == Key ? 0u : p);
    }
  QImage back(width, height, QImage::Format_RGB32);
  back.fill(Qt::black);
  const int columns = (width + zoom - 1) / zoom, rows = (height + zoom - 1) / zoom;
  for (auto _ : state) {
    QPainter painter(&back);
    for (int y = 0; y < rows; ++y)
      for (int x = 0; x < columns; ++x) {
        const int i = (x + y * 7) % 30;
        painter.drawImage(QRect(x * zoom, y * zoom, zoom, zoom), source,
                          QRect((i % PatternColumns) * Pattern, (i / PatternColumns) * Pattern, Pattern, Pattern));
      }
    painter.end();
    benchmark::DoNotOptimize(back.bits());
  }
}
BENCHMARK(BM_QPainterView)->Apply(ViewSizes);

void BM_DrawBlendedMarker(benchmark::State& state) {
  TileList tiles(640, 507);
  TPictureCollectionItem& item = tiles.Item();
  TDirectDrawSurface& back = *tiles.device.BackSurface();
  for (auto _ : state) {
    item.DrawBlended(back, {300, 200, 348, 248}, 5, 96);
    benchmark::DoNotOptimize(back.Row(0));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawBlendedMarker);

}  // namespace
