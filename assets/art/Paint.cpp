#include "assets/art/Paint.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {
constexpr int BayerMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

bool FindShade(TColour c, TMaterial& m, int& index) {
  c |= 0xFF000000u;
  for (const TRamp& ramp : Ramps)
    for (int i = 0; i < 6; ++i)
      if (ramp.shades[static_cast<std::size_t>(i)] == c) {
        m = ramp.material;
        index = i;
        return true;
      }
  return false;
}
}  // namespace

float Bayer(int x, int y) { return BayerMatrix[y & 3][x & 3] / 16.0f; }

TColour DitherShade(TMaterial m, float brightness, int x, int y, int lo, int hi) {
  const float v = lo + std::clamp(brightness, 0.0f, 1.0f) * (hi - lo);
  const int i = static_cast<int>(std::floor(v + Bayer(x, y) - 0.25f));
  return Shade(m, std::clamp(i, lo, hi));
}

TColour Darken(TColour c, int steps) {
  TMaterial m;
  int i;
  if (!FindShade(c, m, i)) return c;
  return Shade(m, i - steps);
}

float SphereLight(float nx, float ny) {
  const float d2 = nx * nx + ny * ny;
  const float nz = d2 < 1.0f ? std::sqrt(1.0f - d2) : 0.0f;
  // Light from the top left and somewhat above.
  const float lx = -0.55f, ly = -0.55f, lz = 0.63f;
  return std::clamp(nx * lx + ny * ly + nz * lz, 0.0f, 1.0f);
}

void Compose(TCanvas& base, const TCanvas& layer, int dx, int dy) {
  for (int y = 0; y < layer.Height(); ++y)
    for (int x = 0; x < layer.Width(); ++x) {
      const TColour l = layer.Get(x, y);
      if (!base.Inside(dx + x, dy + y)) continue;
      if (Alpha(l) == 255)
        base.Set(dx + x, dy + y, l);
      else if (l == ShadowMark)
        base.Set(dx + x, dy + y, Darken(base.Get(dx + x, dy + y), 2));
    }
}

TCanvas Transposed(const TCanvas& c) {
  TCanvas out(c.Height(), c.Width());
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) out.Set(y, x, c.Get(x, y));
  return out;
}

void LitDisc(TCanvas& c, float cx, float cy, float r, TMaterial m, int lo, int hi, bool outline) {
  for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
    for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
      const float nx = (x + 0.5f - cx) / r, ny = (y + 0.5f - cy) / r;
      const float d = std::sqrt(nx * nx + ny * ny);
      if (d >= 1.0f) continue;
      if (outline && d > 1.0f - 1.0f / r && nx + ny > -0.2f)
        c.Set(x, y, Shade(m, lo));
      else
        c.Set(x, y, DitherShade(m, SphereLight(nx, ny), x, y, lo, hi));
    }
}

void ShadowDisc(TCanvas& c, float cx, float cy, float rx, float ry) {
  for (int y = static_cast<int>(cy - ry - 1); y <= static_cast<int>(cy + ry + 1); ++y)
    for (int x = static_cast<int>(cx - rx - 1); x <= static_cast<int>(cx + rx + 1); ++x) {
      const float nx = (x + 0.5f - cx) / rx, ny = (y + 0.5f - cy) / ry;
      if (nx * nx + ny * ny < 1.0f && c.Inside(x, y) && Alpha(c.Get(x, y)) == 0) c.Set(x, y, ShadowMark);
    }
}

void FillDisc(TCanvas& c, float cx, float cy, float r, TColour colour) {
  for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y)
    for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
      const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      if (dx * dx + dy * dy < r * r) c.Set(x, y, colour);
    }
}

void Line(TCanvas& c, int x0, int y0, int x1, int y1, TColour colour) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    c.Set(x0, y0, colour);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x0 += sx; }
    if (e2 <= dx) { err += dx; y0 += sy; }
  }
}

}  // namespace art
