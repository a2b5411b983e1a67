// The reference version of the pixel routines, which every processor runs.
#include "present/PixelPaths.h"

#include "present/PixelKernels.h"

namespace {

// The reference version: one pixel at a time.
struct TPlainRows {
  static void Copy(std::uint32_t* to, const std::uint32_t* from, int count) {
    for (int x = 0; x < count; ++x) to[x] = from[x];
  }
  static void Keyed(std::uint32_t* to, const std::uint32_t* from, int count, std::uint32_t key) {
    for (int x = 0; x < count; ++x)
      if (from[x] != key) to[x] = from[x];
  }
  static void Blend(std::uint32_t* to, const std::uint32_t* from, int count, std::uint32_t alpha, bool keyed,
                    std::uint32_t key) {
    BlendPixels(to, from, count, alpha, keyed, key);
  }
};

constexpr TPixelRoutines PlainRoutines = TKernels<TPlainRows>::Routines(TPixelPath::Plain);
}  // namespace

const TPixelRoutines& PlainPixelRoutines() { return PlainRoutines; }
