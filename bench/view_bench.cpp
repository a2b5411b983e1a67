// One frame of the map view's drawing on a 640 x 507 back surface: the map,
// the frame-rate figure and the hover marker, at each zoom, on a dry day and
// on the second day of rain, without and with the detailed terrain.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>
#include <string>

#include "map/Mapa.h"
#include "shell/defines.h"
#include "tests/view/DrawFixture.h"

namespace {

// The rate figure needs fonts, and fonts need a GUI application.
void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "zolvorn_bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

class TBar : public IScrollBar {
 public:
  int Position() const override { return position_; }
  void SetPosition(int p) override { position_ = std::clamp(p, 0, max_); }
  int Max() const override { return max_; }
  void SetMax(int m) override {
    max_ = m;
    position_ = std::min(position_, max_);
  }

 private:
  int position_ = 0;
  int max_ = 100;
};

TBitmap Square(std::uint32_t pixel) {
  TBitmap square;
  square.Width = square.Height = 24;
  square.Pixels.assign(24 * 24, pixel);
  return square;
}

void BM_Frame(benchmark::State& state) {
  EnsureGuiApplication();
  ResetGameGlobals();
  TileSize = static_cast<unsigned char>(state.range(0));
  const bool rain = state.range(1) != 0;
  DetailedTerrain = state.range(2) != 0;

  THeadlessDevice device(640, 507);
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

  for (auto _ : state) {
    map.Draw(back, back.Width(), back.Height(), 10, 10, ground, horizontal, vertical);
    back.Canvas().TextOut(0, 0, std::to_string(15));
    back.Canvas().ReleaseCanvas();
    others.Items.Items(3).DrawBlended(back, marker, 0, 96);
    benchmark::DoNotOptimize(back.Bits());
  }
  ground.SetDXDraw(nullptr);
  others.SetDXDraw(nullptr);
  DetailedTerrain = false;
}
BENCHMARK(BM_Frame)
    ->ArgNames({"zoom", "rain", "detailed"})
    ->ArgsProduct({{12, 16, 24, 36, 48}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
