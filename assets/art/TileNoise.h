#pragma once
// Noise that repeats every tile, so a texture continues into the next tile.
#include <cmath>

#include "assets/art/Canvas.h"
#include "assets/art/JoinTables.h"

namespace art {

inline int Wrap(int v) { return ((v % TilePixels) + TilePixels) % TilePixels; }

inline float Hash01(int x, int y, int seed) { return (Hash(Wrap(x), Wrap(y), seed) & 0xFFFF) / 65535.0f; }

inline float TileNoise(int x, int y, int cell, int seed) {
  const int period = TilePixels / cell;
  auto lattice = [&](int i, int j) {
    return (Hash(((i % period) + period) % period, ((j % period) + period) % period, seed) & 0xFFFF) / 65535.0f;
  };
  const float fx = (x + 0.5f) / cell - 0.5f, fy = (y + 0.5f) / cell - 0.5f;
  const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  float tx = fx - ix, ty = fy - iy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const float top = lattice(ix, iy) * (1 - tx) + lattice(ix + 1, iy) * tx;
  const float bottom = lattice(ix, iy + 1) * (1 - tx) + lattice(ix + 1, iy + 1) * tx;
  return top * (1 - ty) + bottom * ty;
}

}  // namespace art
