#include "datafiles/zolbitmap.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstring>

namespace {

constexpr const char* NotABitmap = "Bitmap image is not valid";

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
  const QSize declared = reader.size();
  if (!declared.isValid() || declared.isEmpty() ||
      std::int64_t(declared.width()) * declared.height() > ZolMaxBitmapPixels)
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
  return bitmap;
}
