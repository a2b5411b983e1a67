#include "shell/ForecastStrip.h"

#include <QLabel>
#include <QPixmap>
#include <cstdlib>

#include "present/DXImageList.h"

namespace {
constexpr int IconSize = 24;
constexpr QRgb MarkColor = 0xFFFF0000;
}  // namespace

void TForecastStrip::SetControl(QLabel* dias) {
  dias_ = dias;
  canvas_ = QImage(Width, Height, QImage::Format_RGB32);
  canvas_.fill(Qt::white);
  Show();
}

void TForecastStrip::Cell(int cell, std::uint8_t weather) {
  if (cell < 0 || cell >= Cells || icons_.Items.Count() == 0) return;
  TPictureCollectionItem& icons = icons_.Items.Items(0);
  const TRect source = icons.PatternRect(weather);
  const TDirectDrawSurface* surface = icons.PatternSurface(weather);
  if (!surface || source.Empty()) return;
  const int left = IconSize * cell;
  for (int y = 0; y < source.Height() && y < canvas_.height(); ++y) {
    const int sy = source.Top + y;
    if (sy < 0 || sy >= surface->Height()) continue;
    const std::uint32_t* from = surface->Line(sy);
    auto* to = reinterpret_cast<QRgb*>(canvas_.scanLine(y));
    for (int x = 0; x < source.Width() && left + x < canvas_.width(); ++x) {
      const int sx = source.Left + x;
      if (sx >= 0 && sx < surface->Width()) to[left + x] = from[sx];
    }
  }
  Show();
}

void TForecastStrip::Line(int x1, int y1, int x2, int y2) {
  // Bresenham's line, the end point left out as a pen line leaves it.
  const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
  const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  int x = x1, y = y1;
  while (x != x2 || y != y2) {
    if (canvas_.rect().contains(x, y)) canvas_.setPixel(x, y, MarkColor);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
  Show();
}

void TForecastStrip::Clear() { canvas_.fill(Qt::white); }

void TForecastStrip::Show() {
  if (dias_) dias_->setPixmap(QPixmap::fromImage(canvas_));
}
