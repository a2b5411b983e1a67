#pragma once
// Windows bitmap files (as they come out of the package) decoded into the
// picture of an image-list item.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "present/Surface.h"

class EBitmapError : public std::runtime_error {  // a stream that is not a bitmap
  using std::runtime_error::runtime_error;
};

// Largest picture accepted, in pixels; bigger headers are refused before any
// pixel memory is taken.
constexpr std::int64_t ZolMaxBitmapPixels = std::int64_t(4096) * 4096;

// Decodes a complete bitmap file ("BM" header): 1, 4, 8, 16, 24 and 32 bits
// per pixel, RLE-compressed 4 and 8 bits, bit-field masks, bottom-up or
// top-down rows, and the old core header. Raises EBitmapError for anything
// else, including an uncompressed file whose pixel rows are cut short.
TBitmap ZolLoadBitmap(const std::uint8_t* data, std::size_t size);
