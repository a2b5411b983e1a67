// Arbitrary bytes decoded as a bitmap file: a picture or EBitmapError.
#include <cstdint>

#include "datafiles/zolbitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const TBitmap bitmap = ZolLoadBitmap(data, size);
    if (bitmap.Pixels.size() != std::size_t(bitmap.Width) * std::size_t(bitmap.Height)) __builtin_trap();
  } catch (const EBitmapError&) {
  }
  return 0;
}
