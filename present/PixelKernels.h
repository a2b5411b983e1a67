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
  // Blocks as wide as a whole tile at one of the game's tile sizes get a loop
  // of their own, in which the row operations know their width and unroll.
  template <int Width>
  static void CopyRows(const TPixelBlock& b) {
    std::uint32_t* to = b.To;
    const std::uint32_t* from = b.From;
    for (int row = 0; row < b.Height; ++row, to += b.ToStride, from += b.FromStride) Rows::Copy(to, from, Width);
  }

  template <int Width>
  static void KeyedRows(const TPixelBlock& b, std::uint32_t key) {
    std::uint32_t* to = b.To;
    const std::uint32_t* from = b.From;
    for (int row = 0; row < b.Height; ++row, to += b.ToStride, from += b.FromStride)
      Rows::Keyed(to, from, Width, key);
  }

  static void Copy(const TPixelBlock& b) {
    switch (b.Width) {
      case 12: return CopyRows<12>(b);
      case 16: return CopyRows<16>(b);
      case 24: return CopyRows<24>(b);
      case 36: return CopyRows<36>(b);
      case 48: return CopyRows<48>(b);
      default: break;
    }
    std::uint32_t* to = b.To;
    const std::uint32_t* from = b.From;
    for (int row = 0; row < b.Height; ++row, to += b.ToStride, from += b.FromStride) Rows::Copy(to, from, b.Width);
  }

  static void Keyed(const TPixelBlock& b, std::uint32_t key) {
    switch (b.Width) {
      case 12: return KeyedRows<12>(b, key);
      case 16: return KeyedRows<16>(b, key);
      case 24: return KeyedRows<24>(b, key);
      case 36: return KeyedRows<36>(b, key);
      case 48: return KeyedRows<48>(b, key);
      default: break;
    }
    std::uint32_t* to = b.To;
    const std::uint32_t* from = b.From;
    for (int row = 0; row < b.Height; ++row, to += b.ToStride, from += b.FromStride)
      Rows::Keyed(to, from, b.Width, key);
  }

  static void Blend(const TPixelBlock& b, std::uint32_t alpha, bool keyed, std::uint32_t key) {
    std::uint32_t* to = b.To;
    const std::uint32_t* from = b.From;
    for (int row = 0; row < b.Height; ++row, to += b.ToStride, from += b.FromStride)
      Rows::Blend(to, from, b.Width, alpha, keyed, key);
  }

  static constexpr TPixelRoutines Routines(TPixelPath path) { return {path, Copy, Keyed, Blend}; }
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
