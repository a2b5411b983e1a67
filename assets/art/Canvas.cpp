#include "assets/art/Canvas.h"

#include <algorithm>

namespace art {

TCanvas::TCanvas(int width, int height, TColour fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(std::max(width, 0)) * std::max(height, 0), fill) {}

void TCanvas::Fill(TColour c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void TCanvas::FillRect(int x, int y, int w, int h, TColour c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void TCanvas::Draw(const TCanvas& src, int dx, int dy, bool skipClear) {
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) {
      const TColour c = src.Get(x, y);
      if (skipClear && Alpha(c) == 0) continue;
      Set(dx + x, dy + y, c);
    }
}

TCanvas TCanvas::Crop(int x, int y, int w, int h) const {
  TCanvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (Inside(x + i, y + j)) out.Set(i, j, Get(x + i, y + j));
  return out;
}

TCanvas TCanvas::Scaled(int factor) const {
  TCanvas out(width_ * factor, height_ * factor);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.Set(x, y, Get(x / factor, y / factor));
  return out;
}

std::uint32_t Hash(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u ^
                    static_cast<std::uint32_t>(y) * 0xd8163841u ^
                    static_cast<std::uint32_t>(seed) * 0xcb1ab31fu;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return h;
}

int HashBelow(int x, int y, int seed, int n) {
  return static_cast<int>(Hash(x, y, seed) % static_cast<std::uint32_t>(n));
}

}  // namespace art
