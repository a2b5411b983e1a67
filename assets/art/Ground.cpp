// Bare ground and water with its banks.
#include "assets/art/Ground.h"

#include <algorithm>
#include <cmath>

#include "assets/art/JoinTables.h"
#include "assets/art/Paint.h"
#include "assets/art/TileNoise.h"

namespace art {

namespace {

constexpr int T = TilePixels;

float WetnessLevel(TWetness w) { return w == TWetness::Dry ? 3.0f : w == TWetness::Wet ? 2.2f : 1.7f; }

// Grass with darker roots under light blade tips; wetter ground is darker.
TColour GrassAt(int x, int y, float level, int seed) {
  x = Wrap(x);
  y = Wrap(y);
  const float n = 0.6f * TileNoise(x, y, 6, seed) + 0.4f * TileNoise(x, y, 3, seed + 1);
  const bool tip = Hash01(x, y, seed + 2) < 0.07f;
  const bool underTip = Hash01(x, y - 1, seed + 2) < 0.07f;
  int i = static_cast<int>(std::floor(level - 0.9f + 1.8f * n + 0.5f * Bayer(x, y)));
  if (tip) i = static_cast<int>(level) + 2;
  else if (underTip) i = std::min(i, static_cast<int>(level)) - 1;
  return Shade(TMaterial::Grass, std::clamp(i, 0, 5));
}

// A puddle reflecting the sky, darker where its rim shades it from the top left.
void Puddle(TCanvas& c, float cx, float cy, float rx, float ry) {
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      const float nx = (x + 0.5f - cx) / rx, ny = (y + 0.5f - cy) / ry;
      const float d = std::sqrt(nx * nx + ny * ny);
      const float side = (nx + ny) / std::max(d, 0.01f);
      if (d < 1.0f) {
        if (d > 0.55f && side < -0.4f) c.Set(x, y, Shade(TMaterial::Water, 2));
        else if (d < 0.6f && Hash01(x, y, 77) < 0.15f) c.Set(x, y, Shade(TMaterial::Water, 5));
        else c.Set(x, y, Shade(TMaterial::Water, 4));
      } else if (d < 1.0f + 1.2f / std::min(rx, ry)) {
        c.Set(x, y, Shade(TMaterial::Earth, side < 0 ? 1 : 3));
      }
    }
}

// Flowers, pebbles and clover that make the ground variants differ.
void Decorate(TCanvas& c, int variant) {
  const int kind = variant % 4;
  const int count = 2 + variant % 3;
  for (int k = 0; k < count; ++k) {
    const int x = 3 + HashBelow(k, variant, 91, T - 7), y = 3 + HashBelow(k, variant, 92, T - 7);
    switch (kind) {
      case 0:  // white flowers with a yellow heart
        c.Set(x, y - 1, Shade(TMaterial::Cream, 5));
        c.Set(x - 1, y, Shade(TMaterial::Cream, 4));
        c.Set(x + 1, y, Shade(TMaterial::Cream, 5));
        c.Set(x, y + 1, Shade(TMaterial::Cream, 3));
        c.Set(x, y, Shade(TMaterial::Gold, 3));
        break;
      case 1:  // pebbles
        c.Set(x, y, Shade(TMaterial::Stone, 4));
        c.Set(x + 1, y, Shade(TMaterial::Stone, 3));
        c.Set(x + 1, y + 1, Shade(TMaterial::Stone, 1));
        c.Set(x, y + 1, Shade(TMaterial::Stone, 2));
        break;
      case 2:  // clover
        c.Set(x, y, Shade(TMaterial::Leaf, 5));
        c.Set(x + 1, y, Shade(TMaterial::Leaf, 4));
        c.Set(x, y + 1, Shade(TMaterial::Leaf, 4));
        c.Set(x + 1, y + 1, Shade(TMaterial::Leaf, 2));
        break;
      default:  // yellow wild flowers
        c.Set(x, y, Shade(TMaterial::Gold, 4));
        c.Set(x + 1, y + 1, Shade(TMaterial::Grass, 1));
        c.Set(x + 2, y - 1, Shade(TMaterial::Gold, 3));
        break;
    }
  }
}

// Signed distance to the open water of a tile (negative inside), with
// rounded corners where two banks meet.
float WaterDistance(int mask, float px, float py) {
  const float big = 1000.0f;
  const bool pond = mask == 0;
  const float b = BankWidth;
  const float L = (mask & West) ? -big : b, R = (mask & East) ? T + big : T - b;
  const float Tp = (mask & North) ? -big : b, B = (mask & South) ? T + big : T - b;
  const float rc = pond ? 7.0f : 4.0f;
  const bool landN = !(mask & North), landS = !(mask & South), landW = !(mask & West), landE = !(mask & East);
  struct Corner { bool on; float cx, cy; int sx, sy; };
  const Corner corners[4] = {{landN && landW, L + rc, Tp + rc, -1, -1}, {landN && landE, R - rc, Tp + rc, 1, -1},
                             {landS && landW, L + rc, B - rc, -1, 1}, {landS && landE, R - rc, B - rc, 1, 1}};
  for (const Corner& k : corners)
    if (k.on && (px - k.cx) * k.sx > 0 && (py - k.cy) * k.sy > 0)
      return std::hypot(px - k.cx, py - k.cy) - rc;
  const float dx = std::max({L - px, 0.0f, px - R}), dy = std::max({Tp - py, 0.0f, py - B});
  if (dx > 0 || dy > 0) return std::hypot(dx, dy);
  return -std::min({px - L, R - px, py - Tp, B - py});
}

// Ripples that run every three rows; the second frame moves them on.
TColour WaterAt(int x, int y, int frame, bool sparkles) {
  x = Wrap(x);
  y = Wrap(y);
  const int band = y / 3;
  const int rippleRow = frame == 0 ? 1 : 2;
  const int shift = frame == 0 ? 0 : 2;
  const float n = TileNoise(x, y, 6, 300);
  int i = static_cast<int>(std::floor(1.5f + 1.2f * n + 0.5f * Bayer(x, y)));
  if (y % 3 == rippleRow) {
    const int start = HashBelow(band, 0, 301, T), length = 3 + HashBelow(band, 1, 301, 3);
    const int along = Wrap(x - start - shift);
    if (along < length) i = along == 1 ? 4 : 3;
    if (along == length) i = 1;
  }
  if (sparkles && x >= 2 && x < T - 2 && y >= 2 && y < T - 2 && Hash01(x, y, 310 + frame) < 0.025f) i = 5;
  return Shade(TMaterial::Water, std::clamp(i, 0, 5));
}

}  // namespace

TColour Grass(int x, int y) { return GrassAt(x, y, WetnessLevel(TWetness::Dry), 10); }

TCanvas GroundTile(TWetness wetness, int variant) {
  TCanvas c(T, T);
  const int seed = wetness == TWetness::Dry ? 10 : wetness == TWetness::Wet ? 20 : 30;
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      TColour g = GrassAt(x, y, WetnessLevel(wetness), seed);
      // Damp hollows on wet days.
      if (wetness != TWetness::Dry && TileNoise(x, y, 12, seed + variant) > 0.72f) g = Darken(g, 1);
      c.Set(x, y, g);
    }
  if (wetness == TWetness::Wet && variant % 2 == 1) Puddle(c, 14.5f, 15.5f, 2.6f, 1.6f);
  if (wetness == TWetness::VeryWet) {
    Puddle(c, 8.0f + variant % 3, 8.5f, 4.2f, 2.6f);
    Puddle(c, 16.5f, 16.0f - variant % 2, 3.4f, 2.2f);
  }
  if (variant > 0) Decorate(c, variant);
  return c;
}

TCanvas WaterTile(int mask, int frame) {
  TCanvas c(T, T);
  const bool open = mask == (North | West | East | South);
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float d = WaterDistance(mask, px, py);
      // Which way the bank slopes at this point: towards the water.
      const float gx = WaterDistance(mask, px - 0.5f, py) - WaterDistance(mask, px + 0.5f, py);
      const float gy = WaterDistance(mask, px, py - 0.5f) - WaterDistance(mask, px, py + 0.5f);
      const float glen = std::max(std::hypot(gx, gy), 0.01f);
      // Banks facing the top left catch the light; the others lie in shade.
      const float lit = 0.5f - 0.5f * (gx + gy) / glen * 0.7071f;
      if (d < 0) {
        TColour w = WaterAt(x, y, open ? frame : 0, open || d < -2.5f);
        if (d > -1.5f) w = Shade(TMaterial::Water, lit > 0.5f ? 1 : 4);
        c.Set(x, y, w);
      } else if (d < 1.0f) {
        c.Set(x, y, Shade(TMaterial::Earth, lit > 0.5f ? 2 : 1));
      } else if (d < 3.0f) {
        c.Set(x, y, DitherShade(TMaterial::Earth, lit, x, y, 2, 5));
      } else if (d < 4.0f) {
        c.Set(x, y, Darken(Grass(x, y), 1));
      } else {
        c.Set(x, y, Grass(x, y));
      }
    }
  return c;
}

}  // namespace art
