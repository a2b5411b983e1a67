#include "datafiles/zolbitmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <array>
#include <bit>
#include <cstdlib>
#include <optional>

namespace {

constexpr const char* NotABitmap = "Bitmap image is not valid";

std::uint32_t Le16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t Le32(const std::uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }

// Compression codes of the info header.
constexpr std::uint32_t BiRgb = 0, BiBitFields = 3, BiAlphaBitFields = 6;

// What the file header and the info header say, as far as the checks below
// need it.
struct THeader {
  std::int64_t Width = 0;
  std::int64_t Height = 0;  // negative for rows stored top first
  std::uint32_t Bits = 0;
  std::uint32_t Compression = BiRgb;
  std::uint32_t PixelOffset = 0;
  std::array<std::uint32_t, 3> Masks = {};  // red, green, blue; 0 when not masked
};

std::optional<THeader> ReadHeader(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t Info = 14;
  if (size < Info + 12) return std::nullopt;
  THeader header;
  header.PixelOffset = Le32(data + 10);
  const std::uint32_t infoSize = Le32(data + Info);
  if (infoSize == 12) {  // the old core header: 16-bit sizes, no compression
    header.Width = Le16(data + Info + 4);
    header.Height = Le16(data + Info + 6);
    header.Bits = Le16(data + Info + 10);
    return header;
  }
  if (infoSize < 40 || size < Info + 40) return std::nullopt;
  header.Width = static_cast<std::int32_t>(Le32(data + Info + 4));
  header.Height = static_cast<std::int32_t>(Le32(data + Info + 8));
  header.Bits = Le16(data + Info + 14);
  header.Compression = Le32(data + Info + 16);
  // The masks follow a 40-byte header and sit at the same place inside the
  // larger ones.
  const bool masked = header.Compression == BiBitFields || header.Compression == BiAlphaBitFields;
  if (masked && size >= Info + 40 + 12)
    header.Masks = {Le32(data + Info + 40), Le32(data + Info + 44), Le32(data + Info + 48)};
  else if (header.Bits == 16)
    header.Masks = {0x7C00, 0x03E0, 0x001F};
  return header;
}

// Sizes a real picture can have, and for uncompressed files, pixel rows that
// are all present: a header cannot make us set aside memory the file does not
// back.
bool Plausible(const THeader& header, std::size_t size) {
  const std::int64_t height = std::abs(header.Height);
  if (header.Width <= 0 || height <= 0 || header.Width * height > ZolMaxBitmapPixels) return false;
  const bool uncompressed = header.Compression == BiRgb || header.Compression == BiBitFields ||
                            header.Compression == BiAlphaBitFields;
  if (!uncompressed || header.Bits == 0) return true;
  // The image reader takes every row with its padding; a short last row
  // would leave pixels it never wrote.
  const std::int64_t stride = (header.Width * header.Bits + 31) / 32 * 4;
  return std::int64_t(header.PixelOffset) + stride * height <= std::int64_t(size);
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

// Uncompressed 24-bit rows (what the package's pictures are), read straight
// into the bitmap: the image reader would first build a picture of its own
// and the pixels would then be copied out of it.
TBitmap ReadRgb24(const THeader& header, const std::uint8_t* data) {
  TBitmap bitmap;
  bitmap.Width = static_cast<int>(header.Width);
  bitmap.Height = static_cast<int>(std::abs(header.Height));
  bitmap.Pixels.resize(std::size_t(bitmap.Width) * bitmap.Height);
  const std::size_t stride = (std::size_t(bitmap.Width) * 3 + 3) / 4 * 4;
  for (int y = 0; y < bitmap.Height; ++y) {
    // Rows are stored bottom first unless the height is negative.
    const int row = header.Height > 0 ? bitmap.Height - 1 - y : y;
    const std::uint8_t* in = data + header.PixelOffset + stride * std::size_t(row);
    std::uint32_t* out = bitmap.Pixels.data() + std::size_t(y) * bitmap.Width;
    for (int x = 0; x < bitmap.Width; ++x, in += 3)
      out[x] = 0xFF000000u | std::uint32_t(in[2]) << 16 | std::uint32_t(in[1]) << 8 | in[0];
  }
  return bitmap;
}

}  // namespace

TBitmap ZolLoadBitmap(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || data[0] != 'B' || data[1] != 'M' || size > std::size_t(0x7FFFFFFF))
    throw EBitmapError(NotABitmap);
  const auto header = ReadHeader(data, size);
  if (!header || !Plausible(*header, size)) throw EBitmapError(NotABitmap);
  // Plausible has checked that every row lies inside the data.
  if (header->Bits == 24 && header->Compression == BiRgb) return ReadRgb24(*header, data);

  const QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "bmp");
  reader.setDecideFormatFromContent(false);
  QImage image;
  if (!reader.read(&image) || image.isNull()) throw EBitmapError(NotABitmap);

  // The colour key works on exact colours, so keep the stored RGB values and
  // ignore any alpha the file carries. Both formats below store a pixel as
  // 0xAARRGGBB already (the usual 24- and 32-bit files come as these).
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
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
  StretchNarrowChannels(bitmap, header->Masks);
  return bitmap;
}
