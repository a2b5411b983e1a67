#pragma once
// The pixel routines behind pattern drawing, in one version per instruction
// set: plain C++, SSE2 and AVX2. The game takes the widest one the processor
// has; test and benchmark programs may ask for another, so every version is
// checked against the plain one and measured on one machine.
//
// No version uses masked stores: some processor families execute them
// slowly. Keyed pixels are left out by blending with the destination
// instead, and only for patterns that hold the key at all.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

enum class TPixelPath : std::uint8_t { Plain, Sse2, Avx2 };

// A 1:1 copy of a block of source pixels onto a surface; strides in pixels.
struct TPixelBlock {
  std::uint32_t* To;
  std::ptrdiff_t ToStride;
  const std::uint32_t* From;
  std::ptrdiff_t FromStride;
  int Width;
  int Height;
};

// Which rows of a block to draw how: rows from SolidTop to before KeyTop and
// from KeyBottom to before SolidBottom hold no key and are copied, rows from
// KeyTop to before KeyBottom are copied leaving the key out, all others are
// left alone. Rows count from the block's first.
struct TRowBands {
  int SolidTop;
  int KeyTop;
  int KeyBottom;
  int SolidBottom;
};

struct TPixelRoutines {
  TPixelPath Path;
  void (*Copy)(const TPixelBlock& block);
  // Source pixels equal to key are left out.
  void (*Keyed)(const TPixelBlock& block, std::uint32_t key);
  // The rows of the block as bands says.
  void (*Bands)(const TPixelBlock& block, const TRowBands& bands, std::uint32_t key);
  // Each channel becomes round((source * alpha + dest * (255 - alpha)) / 255),
  // alpha 1..254; with keyed set, key pixels of the source are left out.
  void (*Blend)(const TPixelBlock& block, std::uint32_t alpha, bool keyed, std::uint32_t key);
};

// The routines drawing uses now.
extern const TPixelRoutines* ActivePixelRoutines;  // null until first asked for
const TPixelRoutines& PickPixelRoutines();
inline const TPixelRoutines& PixelRoutines() {
  return ActivePixelRoutines != nullptr ? *ActivePixelRoutines : PickPixelRoutines();
}

bool PixelPathSupported(TPixelPath path);
// The widest path this processor runs.
TPixelPath BestPixelPath();
// Switches every drawing routine to path; false (and nothing changes) when
// the processor cannot run it.
bool SetPixelPath(TPixelPath path);
TPixelPath CurrentPixelPath();

std::string_view PixelPathName(TPixelPath path);  // "plain", "sse2", "avx2"
std::optional<TPixelPath> ParsePixelPath(std::string_view name);

// The versions themselves; null where the build has none.
const TPixelRoutines& PlainPixelRoutines();
const TPixelRoutines* Sse2PixelRoutines();
const TPixelRoutines* Avx2PixelRoutines();
