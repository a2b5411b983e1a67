// Bitmap files in the depths and layouts real tools write, decoded to the
// exact colours, and streams that are not bitmaps refused by name.
#include <gtest/gtest.h>

#include "DataFilesTestSupport.h"
#include "datafiles/zolbitmap.h"

#include <QImage>
#include <string>

using namespace zvtest;

namespace {

struct TCase {
  const char* Label;
  int Bits;
  TBmpKind Kind;
  bool TopDown;
  int Colours;
};

// Every layout, with as many colours as its depth can hold exactly.
constexpr TCase Cases[] = {
    {"1-bit", 1, TBmpKind::Rgb, false, 2},
    {"4-bit", 4, TBmpKind::Rgb, false, 8},
    {"4-bit top-down", 4, TBmpKind::Rgb, true, 8},
    {"4-bit RLE", 4, TBmpKind::Rle, false, 8},
    {"8-bit", 8, TBmpKind::Rgb, false, 8},
    {"8-bit RLE", 8, TBmpKind::Rle, false, 8},
    {"16-bit 5-5-5", 16, TBmpKind::Rgb, false, 8},
    {"16-bit 5-6-5 bit fields", 16, TBmpKind::Bitfields, false, 8},
    {"24-bit", 24, TBmpKind::Rgb, false, 8},
    {"24-bit top-down", 24, TBmpKind::Rgb, true, 8},
    {"32-bit", 32, TBmpKind::Rgb, false, 8},
    {"32-bit bit fields", 32, TBmpKind::Bitfields, true, 8},
    {"32-bit V5 with alpha", 32, TBmpKind::V5Alpha, false, 8},
};

TEST(ZolBitmap, DecodesEveryDepthAndLayoutToTheExactColours) {
  for (const TCase& c : Cases) {
    SCOPED_TRACE(c.Label);
    // Odd sizes exercise row padding and half-filled bytes.
    const TTestImage image = StripedImage(13, 7, c.Colours);
    const TBitmap bitmap = ZolLoadBitmap(EncodeBmp(image, c.Bits, c.Kind, c.TopDown).data(),
                                         EncodeBmp(image, c.Bits, c.Kind, c.TopDown).size());
    ASSERT_EQ(bitmap.Width, 13);
    ASSERT_EQ(bitmap.Height, 7);
    for (std::size_t i = 0; i < image.Rgb.size(); ++i)
      ASSERT_EQ(bitmap.Pixels[i], 0xFF000000u | image.Rgb[i]) << "pixel " << i;
  }
}

TEST(ZolBitmap, KeepsArbitraryTrueColours) {
  TTestImage image{3, 2, {0x123456, 0xFEDCBA, 0x010203, 0x808080, 0xFFFFFF, 0x000000}};
  const Bytes bytes = EncodeBmp(image, 24, TBmpKind::Rgb, false);
  const TBitmap bitmap = ZolLoadBitmap(bytes.data(), bytes.size());
  for (std::size_t i = 0; i < image.Rgb.size(); ++i) EXPECT_EQ(bitmap.Pixels[i], 0xFF000000u | image.Rgb[i]);
}

TEST(ZolBitmap, ReadsTheOldCoreHeaderButNotShortRows) {
  // 2 x 2, 24 bits, rows bottom first, each padded to 8 bytes.
  Bytes core = {'B', 'M'};
  PutLe(core, 14 + 12 + 16, 4);
  PutLe(core, 0, 4);
  PutLe(core, 14 + 12, 4);
  for (std::uint32_t field : {12u, 2u, 2u, 1u, 24u}) PutLe(core, field, field == 12u ? 4 : 2);
  core.insert(core.end(), {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,    // bottom: red, green
                           0xFF, 0x00, 0x00, 0x10, 0x20, 0x30, 0, 0});  // top: blue, 0x302010
  TBitmap bitmap = ZolLoadBitmap(core.data(), core.size());
  EXPECT_EQ(bitmap.Pixels, (std::vector<std::uint32_t>{0xFF0000FF, 0xFF302010, 0xFFFF0000, 0xFF00FF00}));

  // Without the last row's padding the reader would leave pixels unwritten.
  core.resize(core.size() - 2);
  EXPECT_THROW(ZolLoadBitmap(core.data(), core.size()), EBitmapError);
}

// 24-bit files are read without the image reader; they must come out as it
// reads them, whatever the row padding, the order of rows or a gap before
// the pixels.
TEST(ZolBitmap, TwentyFourBitFilesReadAsTheImageReaderReadsThem) {
  for (int width = 1; width <= 9; ++width)
    for (bool topDown : {false, true})
      for (std::uint32_t gap : {0u, 5u}) {
        SCOPED_TRACE("width " + std::to_string(width) + (topDown ? " top-down" : "") + " gap " +
                     std::to_string(gap));
        TTestImage image{width, 3, {}};
        for (int i = 0; i < width * 3; ++i) image.Rgb.push_back(0x10305Bu * static_cast<std::uint32_t>(i + 1) & 0xFFFFFFu);
        Bytes bytes = EncodeBmp(image, 24, TBmpKind::Rgb, topDown);
        const std::uint32_t offset = bytes[10] | bytes[11] << 8 | bytes[12] << 16 | bytes[13] << 24;
        bytes.insert(bytes.begin() + offset, gap, 0xAB);
        for (int i = 0; i < 4; ++i) bytes[10 + i] = static_cast<std::uint8_t>((offset + gap) >> (8 * i));
        const QImage reference =
            QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(reference.isNull());
        const TBitmap bitmap = ZolLoadBitmap(bytes.data(), bytes.size());
        ASSERT_EQ(bitmap.Width, reference.width());
        ASSERT_EQ(bitmap.Height, reference.height());
        for (int y = 0; y < bitmap.Height; ++y)
          for (int x = 0; x < bitmap.Width; ++x)
            ASSERT_EQ(bitmap.Pixels[std::size_t(y) * bitmap.Width + x], reference.pixel(x, y)) << x << "," << y;
      }
}

std::string ErrorOf(const Bytes& bytes) {
  try {
    ZolLoadBitmap(bytes.data(), bytes.size());
  } catch (const EBitmapError& error) {
    return error.what();
  }
  return "decoded";
}

TEST(ZolBitmap, RefusesWhatIsNotABitmap) {
  EXPECT_EQ(ErrorOf({}), "Bitmap image is not valid");
  EXPECT_EQ(ErrorOf({'B'}), "Bitmap image is not valid");
  EXPECT_EQ(ErrorOf(MakeWave(1, 8000, {1, 2})), "Bitmap image is not valid");
  const Bytes good = EncodeBmp(StripedImage(4, 4, 2), 24, TBmpKind::Rgb, false);
  EXPECT_EQ(ErrorOf(Bytes(good.begin(), good.begin() + 20)), "Bitmap image is not valid");

  // A header that claims a picture far larger than the file could hold is
  // refused before any pixel memory is taken.
  Bytes huge = good;
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0x00;  // width 65535
  huge[22] = 0xFF, huge[23] = 0xFF, huge[24] = 0x00;  // height 65535
  EXPECT_EQ(ErrorOf(huge), "Bitmap image is not valid");
  EXPECT_EQ(ErrorOf(Bytes(good.begin(), good.end() - 12)), "Bitmap image is not valid");  // rows cut
  Bytes noWidth = good;
  noWidth[18] = noWidth[19] = 0;
  EXPECT_EQ(ErrorOf(noWidth), "Bitmap image is not valid");
}

}  // namespace
