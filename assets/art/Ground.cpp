// Bare ground and water with its banks.
#include "assets/art/Ground.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/art/JoinTables.h"
#include "assets/art/Paint.h"
#include "assets/art/TileNoise.h"
#include "map/TerrainDetail.h"

namespace art {

namespace {

constexpr int T = TilePixels;

// Every weather shows the same field: the same blades, a little darker and
// damper as the rain goes on, so that the stored feature pictures, which
// stand on the dry grass, still look at home beside wet ground.
constexpr int FieldSeed = 10;

float WetnessLevel(TWetness w) { return w == TWetness::VeryWet ? 2.85f : 3.0f; }

// Grass with darker roots under light blade tips; wetter ground is darker.
TColour GrassAt(int x, int y, float level, int seed) {
  x = Wrap(x);
  y = Wrap(y);
  // Mostly fine grain: broad blotches would repeat visibly from tile to tile.
  const float n = 0.3f * TileNoise(x, y, 6, seed) + 0.3f * TileNoise(x, y, 3, seed + 1) + 0.4f * Hash01(x, y, seed + 3);
  const bool tip = Hash01(x, y, seed + 2) < 0.07f;
  const bool underTip = Hash01(x, y - 1, seed + 2) < 0.07f;
  int i = static_cast<int>(std::floor(level - 0.75f + 1.5f * n + 0.5f * Bayer(x, y)));
  if (tip) i = static_cast<int>(level) + 2;
  else if (underTip) i = std::min(i, static_cast<int>(level)) - 1;
  return Shade(TMaterial::Grass, std::clamp(i, 0, 5));
}

// A small puddle reflecting the sky: shaded under its top-left rim, lit at
// the far one, ringed by mud. Drawn with wrapped coordinates, so a puddle
// on a tile edge runs on into the next tile and the tile grid hides.
void Puddle(TCanvas& c, float cx, float cy, float rx, float ry) {
  for (int y = static_cast<int>(cy - ry - 2); y <= static_cast<int>(cy + ry + 2); ++y)
    for (int x = static_cast<int>(cx - rx - 2); x <= static_cast<int>(cx + rx + 2); ++x) {
      const float nx = (x + 0.5f - cx) / rx, ny = (y + 0.5f - cy) / ry;
      const float d = std::sqrt(nx * nx + ny * ny);
      const float side = (nx + ny) / std::max(d, 0.01f);
      const float rim = 1.0f / std::min(rx, ry);
      TColour colour;
      if (d < 1.0f - rim && side < -0.5f) colour = Shade(TMaterial::Water, 2);
      else if (d < 1.0f) colour = Shade(TMaterial::Water, d < 0.45f && side > 0 ? 4 : 3);
      else if (d < 1.0f + rim && side > -0.3f) colour = Shade(TMaterial::Earth, side > 0.5f ? 1 : 2);
      else continue;
      c.Set(Wrap(x), Wrap(y), colour);
    }
}

// Standing water between the blades: many pools a pixel or two across,
// each shaded at its west end and edged with mud below, kept apart from one
// another so that no cluster marks out the tiles.
void Pools(TCanvas& c, int count) {
  std::vector<std::pair<int, int>> placed;
  auto apart = [&](int x, int y) {
    for (const auto& [px, py] : placed) {
      const int dx = std::min(Wrap(x - px), Wrap(px - x)), dy = std::min(Wrap(y - py), Wrap(py - y));
      if (dx < 4 && dy < 3) return false;
    }
    return true;
  };
  for (int k = 0; static_cast<int>(placed.size()) < count && k < 400; ++k) {
    const int x = HashBelow(k, 0, FieldSeed + 30, T), y = HashBelow(k, 1, FieldSeed + 30, T);
    if (!apart(x, y)) continue;
    placed.push_back({x, y});
    const bool wide = HashBelow(k, 2, FieldSeed + 30, 10) < 6;
    c.Set(x, y, Shade(TMaterial::Water, 2));
    if (wide) c.Set(Wrap(x + 1), y, Shade(TMaterial::Water, HashBelow(k, 3, FieldSeed + 30, 10) < 4 ? 4 : 3));
    c.Set(Wrap(x + (wide ? 1 : 0)), Wrap(y + 1), Shade(TMaterial::Earth, 1));
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
float BankDistance(int mask, float px, float py) {
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

// Signed distance to the land of a bank turned round a tile corner (positive
// on the land): a bank-wide square in the corner that runs on into both
// neighbours, its one corner towards the water rounded.
float CornerLand(int corner, float px, float py) {
  const float big = 1000.0f, b = BankWidth, r = 2.5f;
  const bool west = corner == CornerNW || corner == CornerSW, north = corner == CornerNW || corner == CornerNE;
  const float x0 = west ? -big : T - b, x1 = west ? b : T + big;
  const float y0 = north ? -big : T - b, y1 = north ? b : T + big;
  const float qx = std::fabs(px - (x0 + x1) / 2) - ((x1 - x0) / 2 - r);
  const float qy = std::fabs(py - (y0 + y1) / 2) - ((y1 - y0) / 2 - r);
  return -(std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - r);
}

float WaterDistance(int mask, int corners, float px, float py) {
  float d = BankDistance(mask, px, py);
  for (int corner : {CornerNW, CornerNE, CornerSW, CornerSE})
    if (corners & corner) d = std::max(d, CornerLand(corner, px, py));
  return d;
}

// Ripples that run every three rows; the second frame moves them on.
TColour WaterAt(int x, int y, int frame, bool sparkles) {
  x = Wrap(x);
  y = Wrap(y);
  const int band = y / 3;
  const int rippleRow = frame == 0 ? 1 : 2;
  const int shift = frame == 0 ? 0 : 2;
  // Flat water with a few darker specks; the ripples give it its texture.
  int i = Hash01(x, y, 300) < 0.1f ? 1 : 2;
  if (y % 3 == rippleRow)
    for (int k = 0; k < 2; ++k) {
      const int start = HashBelow(band, k, 301, T), length = 3 + HashBelow(band, k, 302, 3);
      const int along = Wrap(x - start - shift);
      if (along < length) i = along == 1 ? 4 : 3;
      if (along == length) i = 1;
    }
  if (sparkles && x >= 2 && x < T - 2 && y >= 2 && y < T - 2 && Hash01(x, y, 310 + frame) < 0.012f) i = 5;
  return Shade(TMaterial::Water, std::clamp(i, 0, 5));
}

}  // namespace

TColour Grass(int x, int y) { return GrassAt(x, y, WetnessLevel(TWetness::Dry), FieldSeed); }

TCanvas GroundTile(TWetness wetness, int variant) {
  TCanvas c(T, T);
  const bool wet = wetness != TWetness::Dry, soaked = wetness == TWetness::VeryWet;
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      TColour g = GrassAt(x, y, WetnessLevel(wetness), FieldSeed);
      // Damp darkens single blades at random: patches of any size would
      // repeat from tile to tile.
      const float d = Hash01(x, y, FieldSeed + 20);
      if (wet && d < (soaked ? 0.45f : 0.3f)) g = Darken(g, soaked && d < 0.08f ? 2 : 1);
      // Drops on the blades catch the light; bare mud shows between them.
      const float h = Hash01(x, y, FieldSeed + 22);
      if (wet && h < 0.012f) g = Shade(TMaterial::Water, 4);
      else if (wet && h > (soaked ? 0.985f : 0.992f)) g = Shade(TMaterial::Earth, soaked ? 1 : 2);
      c.Set(x, y, g);
    }
  if (soaked) Pools(c, 22);
  if (wetness != TWetness::Dry && variant > 0) Puddle(c, 4.5f + variant * 4, 6.5f + variant * 3, 2.6f, 1.6f);
  if (variant > 0) Decorate(c, variant);
  return c;
}

TCanvas OnGround(const TCanvas& layer, TWetness ground) {
  TCanvas c = GroundTile(ground, 0);
  Compose(c, layer);
  return c;
}

TCanvas WaterTile(int mask, int frame, int corners) {
  TCanvas c(T, T);
  const bool open = mask == (North | West | East | South);
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float d = WaterDistance(mask, corners, px, py);
      // Which way the bank slopes at this point: towards the water.
      const float gx = WaterDistance(mask, corners, px - 0.5f, py) - WaterDistance(mask, corners, px + 0.5f, py);
      const float gy = WaterDistance(mask, corners, px, py - 0.5f) - WaterDistance(mask, corners, px, py + 0.5f);
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
