#pragma once
// The block loops shared by every version of the pixel routines. Each
// version's source file includes this with its own row operations and is
// compiled for its own instruction set, so everything here has internal
// linkage and calls no library templates: nothing compiled for a wider
// instruction set may be shared with, or picked by the linker for, the rest
// of the program.
#include "present/PixelPaths.h"

namespace {

// Rows supplies, for count >= 1 pixels:
//   Copy(to, from, count)
//   Keyed(to, from, count, key)
//   Blend(to, from, count, alpha, keyed, key)
template <class Rows>
struct TKernels {
  // Blocks as wide as a whole tile at one of the game's tile sizes get loops
  // of their own, in which the row operations know their width and unroll.
  template <int Width>
  static void BandRows(const TPixelBlock& b, const TRowBands& r, std::uint32_t key) {
    const std::ptrdiff_t toStride = b.ToStride, fromStride = b.FromStride;
    std::uint32_t* to = b.To + toStride * r.SolidTop;
    const std::uint32_t* from = b.From + fromStride * r.SolidTop;
    const int width = Width > 0 ? Width : b.Width;
    int row = r.SolidTop;
#pragma GCC unroll 2
    for (; row < r.KeyTop; ++row, to += toStride, from += fromStride) Rows::Copy(to, from, width);
#pragma GCC unroll 2
    for (; row < r.KeyBottom; ++row, to += toStride, from += fromStride) Rows::Keyed(to, from, width, key);
#pragma GCC unroll 2
    for (; row < r.SolidBottom; ++row, to += toStride, from += fromStride) Rows::Copy(to, from, width);
  }

  static void Bands(const TPixelBlock& b, const TRowBands& r, std::uint32_t key) {
    switch (b.Width) {
      case 12: return BandRows<12>(b, r, key);
      case 16: return BandRows<16>(b, r, key);
      case 24: return BandRows<24>(b, r, key);
      case 36: return BandRows<36>(b, r, key);
      case 48: return BandRows<48>(b, r, key);
      default: return BandRows<0>(b, r, key);
    }
  }

  static void Copy(const TPixelBlock& b) { Bands(b, {0, b.Height, b.Height, b.Height}, 0); }
  static void Keyed(const TPixelBlock& b, std::uint32_t key) { Bands(b, {0, 0, b.Height, b.Height}, key); }

  static void Blend(const TPixelBlock& b, std::uint32_t alpha, bool keyed, std::uint32_t key) {
    std::uint32_t* to = b.To;
    const std::uint32_t* from = b.From;
    for (int row = 0; row < b.Height; ++row, to += b.ToStride, from += b.FromStride)
      Rows::Blend(to, from, b.Width, alpha, keyed, key);
  }

  static constexpr TPixelRoutines Routines(TPixelPath path) { return {path, Copy, Keyed, Bands, Blend}; }
};

// round(x / 255) for two 16-bit lanes at once (x <= 255 * 255 in each lane).
inline std::uint32_t DivideLanesBy255(std::uint32_t lanes) {
  lanes += 0x00800080u;
  return ((lanes + ((lanes >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

inline std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, std::uint32_t alpha) {
  const std::uint32_t inverse = 255 - alpha;
  const std::uint32_t rb = (s & 0x00FF00FFu) * alpha + (d & 0x00FF00FFu) * inverse;
  const std::uint32_t g = ((s >> 8) & 0xFFu) * alpha + ((d >> 8) & 0xFFu) * inverse;
  return 0xFF000000u | DivideLanesBy255(rb) | (DivideLanesBy255(g) << 8);
}

inline void BlendPixels(std::uint32_t* to, const std::uint32_t* from, int count, std::uint32_t alpha, bool keyed,
                        std::uint32_t key) {
  for (int x = 0; x < count; ++x) {
    const std::uint32_t s = from[x];
    if (keyed && s == key) continue;
    to[x] = BlendPixel(s, to[x], alpha);
  }
}

}  // namespace
