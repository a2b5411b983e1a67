#pragma once
// Pieces the drawing benchmarks share: a GUI application for the fonts of
// the rate figure, a scroll bar without a widget, and a plain square picture.
#include <QGuiApplication>
#include <algorithm>
#include <cstdint>

#include "map/Mapa.h"
#include "present/Surface.h"

namespace bench {

// The rate figure needs fonts, and fonts need a GUI application.
inline void EnsureGuiApplication() {
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

inline TBitmap Square(std::uint32_t pixel) {
  TBitmap square;
  square.Width = square.Height = 24;
  square.Pixels.assign(24 * 24, pixel);
  return square;
}

}  // namespace bench
