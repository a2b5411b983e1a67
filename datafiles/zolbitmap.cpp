#include "datafiles/zolbitmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <array>
#include <cstdlib>
#include <bit>

namespace {

constexpr const char* NotABitmap = "Bitmap image is not valid";

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

// Channel masks of a 16- or 32-bit file (red, green, blue); none for other
// depths. The masks follow a 40-byte header and sit inside larger ones.
std::array<std::uint32_t, 3> ChannelMasks(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t InfoHeader = 14;
  if (size < InfoHeader + 20) return {};
  const unsigned bits = data[InfoHeader + 14] | data[InfoHeader + 15] << 8;
  const std::uint32_t compression = Le32(data + InfoHeader + 16);
  constexpr std::uint32_t BitFields = 3;
  if (compression == BitFields && size >= InfoHeader + 40 + 12)
    return {Le32(data + 54), Le32(data + 58), Le32(data + 62)};
  if (bits == 16) return {0x7C00, 0x03E0, 0x001F};
  return {};
}

// The image reader widens a channel of fewer than 8 bits by shifting, so a
// full 5-bit red comes out as 0xF8. Stretch it to the whole range instead,
// so that white stays white and colour keys match exactly.
void StretchNarrowChannels(TBitmap& bitmap, const std::array<std::uint32_t, 3>& masks) {
  std::array<std::array<std::uint8_t, 256>, 3> tables;
  bool needed = false;
  for (int c = 0; c < 3; ++c) {
    const int width = std::popcount(masks[c]);
    for (int value = 0; value < 256; ++value) tables[c][value] = static_cast<std::uint8_t>(value);
    if (width == 0 || width >= 8) continue;
    needed = true;
    const int top = (1 << width) - 1;
    for (int value = 0; value < 256; ++value) {
      const int level = value >> (8 - width);
      tables[c][value] = static_cast<std::uint8_t>((level * 255 + top / 2) / top);
    }
  }
  if (!needed) return;
  for (std::uint32_t& pixel : bitmap.Pixels)
    pixel = 0xFF000000u | std::uint32_t(tables[0][pixel >> 16 & 0xFF]) << 16 |
            std::uint32_t(tables[1][pixel >> 8 & 0xFF]) << 8 | tables[2][pixel & 0xFF];
}

}  // namespace

TBitmap ZolLoadBitmap(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || data[0] != 'B' || data[1] != 'M' || size > std::size_t(0x7FFFFFFF))
    throw EBitmapError(NotABitmap);
  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  reader.setDecideFormatFromContent(false);
  // Top-down files declare a negative height.
  const QSize declared = reader.size();
  const std::int64_t width = declared.width(), height = std::abs(std::int64_t(declared.height()));
  if (width <= 0 || height <= 0 || width * height > ZolMaxBitmapPixels)
    throw EBitmapError(NotABitmap);
  QImage image;
  if (!reader.read(&image) || image.isNull()) throw EBitmapError(NotABitmap);

  // The colour key works on exact colours, so keep the stored RGB values and
  // ignore any alpha the file carries.
  image = image.convertToFormat(QImage::Format_ARGB32);
  TBitmap bitmap;
  bitmap.Width = image.width();
  bitmap.Height = image.height();
  bitmap.Pixels.resize(std::size_t(bitmap.Width) * bitmap.Height);
  for (int y = 0; y < bitmap.Height; ++y) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    std::uint32_t* out = bitmap.Pixels.data() + std::size_t(y) * bitmap.Width;
    for (int x = 0; x < bitmap.Width; ++x) out[x] = line[x] | 0xFF000000u;
  }
  StretchNarrowChannels(bitmap, ChannelMasks(data, size));
  return bitmap;
}
