#pragma once
// Pieces the drawing benchmarks share: a GUI application for the fonts of
// the rate figure, the tests' scroll bar without a widget, and a plain square
// picture.
#include <QGuiApplication>
#include <algorithm>
#include <cstdint>

#include "present/Surface.h"
#include "tests/view/DrawFixture.h"

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

using TBar = TFakeBar;

inline TBitmap Square(std::uint32_t pixel) {
  TBitmap square;
  square.Width = square.Height = 24;
  square.Pixels.assign(24 * 24, pixel);
  return square;
}

}  // namespace bench
