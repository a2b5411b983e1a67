// Rocks, bushes, the termite mound, trees and the dust of a bulldozed tile.
#include <algorithm>
#include <cmath>

#include "assets/art/Ground.h"
#include "assets/art/JoinTables.h"
#include "assets/art/Paint.h"
#include "assets/art/TileNoise.h"

namespace art {

namespace {

constexpr int T = TilePixels;

struct TBlob {
  float x, y, r;
};

// A clump of lit balls, drawn from the back (bottom right) to the front, with
// the shadow of the whole clump cast down and to the right.
void Clump(TCanvas& l, std::initializer_list<TBlob> blobs, TMaterial m, int lo, int hi, float shadow) {
  for (const TBlob& b : blobs) ShadowDisc(l, b.x + shadow, b.y + shadow, b.r, b.r * 0.9f);
  std::vector<TBlob> order(blobs);
  std::sort(order.begin(), order.end(), [](const TBlob& a, const TBlob& b) { return a.x + a.y > b.x + b.y; });
  for (const TBlob& b : order) LitDisc(l, b.x, b.y, b.r, m, lo, hi, true);
}

void Specks(TCanvas& l, int seed, int count, float cx, float cy, float r, TColour colour) {
  for (int k = 0; k < count; ++k) {
    const float a = HashBelow(k, seed, 600, 360) * 3.14159f / 180, d = r * HashBelow(k, seed, 601, 100) / 100.0f;
    l.Set(static_cast<int>(cx + std::cos(a) * d), static_cast<int>(cy + std::sin(a) * d), colour);
  }
}

TCanvas Pine() {
  TCanvas l(T, T);
  auto radius = [](float a) { return 9.0f + 1.7f * std::cos(7 * a); };
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      const float dx = x + 0.5f - 14.5f, dy = y + 0.5f - 14.5f;
      if (std::hypot(dx, dy) < radius(std::atan2(dy, dx)) + 0.5f) l.Set(x, y, ShadowMark);
    }
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      const float dx = x + 0.5f - 11.5f, dy = y + 0.5f - 11.5f;
      const float d = std::hypot(dx, dy), r = radius(std::atan2(dy, dx));
      if (d >= r) continue;
      // Tiers of branches: each ring is lit on its top-left side.
      const float tier = std::fmod(d, 3.2f) / 3.2f;
      float b = SphereLight(dx / 10, dy / 10) * 0.8f + 0.25f * (1 - tier);
      if (d > r - 1.0f && dx + dy > -2) b = 0;
      l.Set(x, y, DitherShade(TMaterial::Leaf, b, x, y, 0, 4));
    }
  l.Set(11, 11, Shade(TMaterial::Leaf, 5));
  return l;
}

}  // namespace

TCanvas SceneryTile(int k, TWetness ground) {
  TCanvas l(T, T);
  switch (k) {
    case 0:  // a boulder with a crack
      Clump(l, {{10.5f, 11.5f, 6.5f}, {15.0f, 14.0f, 5.0f}, {8.5f, 15.0f, 4.0f}}, TMaterial::Stone, 1, 5, 2.0f);
      Line(l, 11, 9, 13, 13, Shade(TMaterial::Stone, 1));
      Line(l, 13, 13, 12, 16, Shade(TMaterial::Stone, 1));
      break;
    case 1:  // three stones
      Clump(l, {{7.0f, 8.0f, 3.6f}}, TMaterial::Stone, 1, 5, 1.5f);
      Clump(l, {{16.0f, 11.0f, 3.0f}}, TMaterial::Stone, 1, 5, 1.5f);
      Clump(l, {{10.0f, 17.0f, 2.6f}}, TMaterial::Sandstone, 0, 4, 1.2f);
      break;
    case 2:  // a bush with red berries
      Clump(l, {{9.0f, 10.0f, 5.0f}, {14.0f, 12.0f, 5.0f}, {11.0f, 15.0f, 4.5f}}, TMaterial::Leaf, 0, 5, 1.8f);
      Specks(l, 2, 9, 11.5f, 12.0f, 6.5f, Shade(TMaterial::Red, 3));
      Specks(l, 3, 5, 11.0f, 11.0f, 5.5f, Shade(TMaterial::Red, 5));
      break;
    default:  // a termite mound of clay, tall enough for a long shadow
      ShadowDisc(l, 15.5f, 16.0f, 7.0f, 5.5f);
      Clump(l, {{11.0f, 13.0f, 6.5f}, {11.5f, 9.5f, 4.5f}, {10.5f, 6.5f, 3.0f}}, TMaterial::Earth, 0, 5, 0.0f);
      Specks(l, 4, 10, 11.0f, 11.0f, 6.0f, Shade(TMaterial::Red, 1));
      break;
  }
  return OnGround(l, ground);
}

TCanvas TreeTile(int k, TWetness ground) {
  TCanvas l(T, T);
  switch (k) {
    case 0:  // a broad shade tree
      Clump(l, {{11.5f, 11.0f, 9.0f}, {6.5f, 7.5f, 5.0f}, {16.0f, 7.5f, 5.0f}, {7.0f, 15.5f, 5.0f}, {16.0f, 15.5f, 5.0f}},
            TMaterial::Leaf, 0, 5, 3.0f);
      break;
    case 1:
      l = Pine();
      break;
    case 2:  // two young trees
      Clump(l, {{8.0f, 8.0f, 6.5f}, {5.5f, 5.5f, 3.5f}}, TMaterial::Leaf, 0, 5, 2.5f);
      Clump(l, {{16.0f, 16.0f, 6.0f}, {17.5f, 13.5f, 3.2f}}, TMaterial::Leaf, 0, 5, 2.5f);
      break;
    default:  // a yellow flowering tree
      Clump(l, {{11.5f, 11.5f, 8.5f}, {7.5f, 8.5f, 5.0f}, {15.5f, 9.0f, 4.5f}, {11.0f, 16.0f, 5.0f}}, TMaterial::Gold, 0, 5, 3.0f);
      Specks(l, 7, 10, 12.0f, 12.0f, 7.0f, Shade(TMaterial::Leaf, 2));
      break;
  }
  return OnGround(l, ground);
}

// Frame 0..7 after a bulldozer: a dust cloud with flying clods that spreads,
// thins out and settles. Drawn over bare ground, so its background is the key.
TCanvas ClearingTile(int frame) {
  TCanvas c(T, T, Magenta);
  const float t = frame / 7.0f;
  TCanvas l(T, T);
  for (int k = 0; k < 9; ++k) {
    const float a = HashBelow(k, 0, 620, 360) * 3.14159f / 180;
    const float spread = 2.0f + t * (4.0f + HashBelow(k, 0, 621, 40) / 10.0f);
    const float r = (5.2f - 3.8f * t) * (0.65f + HashBelow(k, 0, 622, 35) / 100.0f);
    if (r < 1.0f) continue;
    LitDisc(l, 12 + std::cos(a) * spread, 12.5f + std::sin(a) * spread, r, TMaterial::Sandstone, 1, 5, false);
  }
  // Late frames: the dust thins into a dither and vanishes.
  const float thin = std::max(0.0f, (frame - 3) / 5.0f);
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x)
      if (Alpha(l.Get(x, y)) == 255 && Bayer(x, y) >= thin) c.Set(x, y, l.Get(x, y));
  if (frame < 6) {
    const int clods = 10 - frame;
    for (int k = 0; k < clods; ++k) {
      const float a = HashBelow(k, 1, 623, 360) * 3.14159f / 180;
      const float d = 3.0f + t * 14.0f + HashBelow(k, 1, 624, 4);
      const int x = static_cast<int>(12 + std::cos(a) * d), y = static_cast<int>(12 + std::sin(a) * d);
      const TColour colour = k % 3 == 0 ? Shade(TMaterial::Wood, 1) : k % 3 == 1 ? Shade(TMaterial::Earth, 1) : Shade(TMaterial::Grass, 1);
      c.Set(x, y, colour);
      if (frame < 3) c.Set(x + 1, y, Darken(colour, -1));
    }
  }
  return c;
}

}  // namespace art
