// Scaled, colour-keyed and blended pattern drawing on tiny images.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <limits>
#include <utility>

#include "present/DXImageList.h"
#include "tests/present/PresentTestSupport.h"

namespace {

constexpr std::uint32_t Red = 0xFFFF0000u, Green = 0xFF00FF00u, Blue = 0xFF0000FFu;
constexpr std::uint32_t Black = 0xFF000000u, White = 0xFFFFFFFFu, Grey = 0xFF808080u;

// A 4 x 2 picture of two 2 x 2 patterns:  R G | W K
//                                          B K | K W
struct TinyList {
  TinyList() {
    device.StartDevice();
    list.SetDXDraw(&device);
    item = &list.Items.Add();
    item->Picture.Width = 4;
    item->Picture.Height = 2;
    item->Picture.Pixels = {Red, Green, White, Black, Blue, Black, Black, White};
    item->PatternWidth = 2;
    item->PatternHeight = 2;
    item->RebuildPatterns();
  }
  TSurfaceDevice device;
  TDXImageList list;
  TPictureCollectionItem* item = nullptr;
};

std::vector<std::uint32_t> Pixels(const TDirectDrawSurface& s) {
  return std::vector<std::uint32_t>(s.Bits(), s.Bits() + s.Width() * s.Height());
}

TEST(DrawScaled, UnscaledCopyLeavesTheColourKeyOut) {
  TinyList f;
  TDirectDrawSurface dest(2, 2);
  dest.Fill(Grey);
  f.item->DrawScaled(dest, {0, 0, 2, 2}, 0);
  EXPECT_EQ(Pixels(dest), (std::vector<std::uint32_t>{Red, Green, Blue, Grey}));
  f.item->Transparent = false;
  f.item->DrawScaled(dest, {0, 0, 2, 2}, 0);
  EXPECT_EQ(Pixels(dest)[3], Black);
}

TEST(DrawScaled, UpAndDownScalingPicksNearestPixels) {
  TinyList f;
  TDirectDrawSurface dest(4, 4);
  f.item->DrawScaled(dest, {0, 0, 4, 4}, 0);
  EXPECT_EQ(Pixels(dest), (std::vector<std::uint32_t>{Red, Red, Green, Green, Red, Red, Green, Green,
                                                      Blue, Blue, Black, Black, Blue, Blue, Black, Black}));
  TDirectDrawSurface small(1, 1);
  f.item->DrawScaled(small, {0, 0, 1, 1}, 1);  // the centre sample of W K / K W
  EXPECT_EQ(small.Bits()[0], White);
  // A different pattern at an already used size is scaled from its own pixels.
  dest.Fill(Grey);
  f.item->DrawScaled(dest, {0, 0, 4, 4}, 1);
  EXPECT_EQ(Pixels(dest), (std::vector<std::uint32_t>{White, White, Grey, Grey, White, White, Grey, Grey,
                                                      Grey, Grey, White, White, Grey, Grey, White, White}));
}

TEST(DrawScaled, ClippedToTheDestination) {
  TinyList f;
  TDirectDrawSurface dest(3, 3);
  dest.Fill(Grey);
  f.item->DrawScaled(dest, {-1, -1, 1, 1}, 0);  // only the bottom-right quarter shows
  EXPECT_EQ(Pixels(dest), (std::vector<std::uint32_t>{Grey, Grey, Grey, Grey, Grey, Grey, Grey, Grey, Grey}));
  f.item->Transparent = false;
  f.item->DrawScaled(dest, {-1, -1, 1, 1}, 0);
  EXPECT_EQ(dest.Bits()[0], Black);
  f.item->DrawScaled(dest, {2, 2, 6, 6}, 0);
  EXPECT_EQ(dest.Bits()[8], Red);
  f.item->DrawScaled(dest, {3, 3, 5, 5}, 0);  // wholly outside
  f.item->DrawScaled(dest, {-9, 0, -3, 2}, 0);
  EXPECT_EQ(dest.Bits()[1], Grey);
}

TEST(DrawScaled, NothingForEmptyRectsBadIndicesOrUnattachedItems) {
  TinyList f;
  TDirectDrawSurface dest(2, 2);
  dest.Fill(Grey);
  f.item->DrawScaled(dest, {0, 0, 0, 2}, 0);
  f.item->DrawScaled(dest, {1, 1, 0, 0}, 0);
  f.item->DrawScaled(dest, {0, 0, 2, 2}, 2);
  f.item->DrawScaled(dest, {0, 0, 2, 2}, -1);
  f.list.Items.DetachDevice();
  f.item->DrawScaled(dest, {0, 0, 2, 2}, 0);
  EXPECT_EQ(Pixels(dest), std::vector<std::uint32_t>(4, Grey));
}

TEST(DrawScaled, NewTransparentColourTakesEffectWithoutRecutting) {
  TinyList f;
  TDirectDrawSurface scratch(4, 4);
  f.item->DrawScaled(scratch, {0, 0, 4, 4}, 0);
  TDirectDrawSurface* before = f.item->PatternSurface(0);
  f.item->SetTransparentColor(RGBColor(255, 0, 0));
  EXPECT_EQ(f.item->PatternSurface(0), before);
  TDirectDrawSurface dest(2, 2);
  dest.Fill(Grey);
  f.item->DrawScaled(dest, {0, 0, 2, 2}, 0);
  EXPECT_EQ(Pixels(dest), (std::vector<std::uint32_t>{Grey, Green, Blue, Black}));
  // Scaled copies made before the change follow the new key too.
  dest.SetSize(4, 4);
  dest.Fill(Grey);
  f.item->DrawScaled(dest, {0, 0, 4, 4}, 0);
  EXPECT_EQ(dest.Bits()[0], Grey);
  EXPECT_EQ(dest.Bits()[15], Black);
}

TEST(DrawScaled, WideKeyedRowsMatchAPixelByPixelCopy) {
  // Wide enough for the vector paths, with keys scattered over every lane.
  TSurfaceDevice device;
  device.StartDevice();
  TDXImageList list;
  list.SetDXDraw(&device);
  TPictureCollectionItem& item = list.Items.Add();
  item.Picture.Width = 37;
  item.Picture.Height = 5;
  for (int i = 0; i < 37 * 5; ++i) item.Picture.Pixels.push_back(i % 3 == 0 || i % 7 == 0 ? Black : 0xFF000000u | (0x000101u * i));
  item.RebuildPatterns();
  TDirectDrawSurface dest(40, 8);
  for (int i = 0; i < 40 * 8; ++i) dest.Bits()[i] = 0xFF000000u | (0x10101u * (i % 200 + 1));
  std::vector<std::uint32_t> expected = Pixels(dest);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 37; ++x) {
      const std::uint32_t s = item.Picture.Pixels[y * 37 + x];
      if (x + 2 < 40 && s != Black) expected[(y + 1) * 40 + x + 2] = s;
    }
  item.DrawScaled(dest, {2, 1, 39, 6}, 0);
  EXPECT_EQ(Pixels(dest), expected);
}

TEST(DrawScaled, SolidMixedAndAllKeyPatternsMatchANearestPixelReference) {
  // Three 24 x 24 patterns: solid, keyed in a corner, and nothing but key,
  // drawn at tile sizes, unscaled and scaled, whole and cut by every edge.
  TSurfaceDevice device;
  device.StartDevice();
  TDXImageList list;
  list.SetDXDraw(&device);
  TPictureCollectionItem& item = list.Items.Add();
  item.Picture.Width = 72;
  item.Picture.Height = 24;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 72; ++x) {
      const int pattern = x / 24, tx = x % 24;
      const bool key = pattern == 2 || (pattern == 1 && tx + y < 10);
      item.Picture.Pixels.push_back(key ? Black : 0xFF000080u | static_cast<std::uint32_t>(x << 16 | y << 8 | pattern));
    }
  item.PatternWidth = 24;
  item.PatternHeight = 24;
  item.RebuildPatterns();
  const auto reference = [&](std::vector<std::uint32_t> pixels, int width, int height, const TRect& r, int pattern) {
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, height); ++y)
      for (int x = std::max(r.Left, 0); x < std::min(r.Right, width); ++x) {
        const int sx = pattern * 24 + ((x - r.Left) * 2 + 1) * 24 / (2 * r.Width());
        const int sy = ((y - r.Top) * 2 + 1) * 24 / (2 * r.Height());
        const std::uint32_t s = item.Picture.Pixels[sy * 72 + sx] | 0xFF000000u;
        if (s != Black) pixels[y * width + x] = s;
      }
    return pixels;
  };
  TDirectDrawSurface dest(40, 30);
  for (int size : {12, 16, 24, 36}) {
    for (int pattern = 0; pattern < 3; ++pattern) {
      // Twice each, so the second draw takes what the first one kept.
      for (const TRect& r : {TRect{3, 2, 3 + size, 2 + size}, TRect{-5, -7, size - 5, size - 7},
                             TRect{40 - size + 5, 30 - size + 3, 45, 33}, TRect{3, 2, 3 + size, 2 + size}}) {
        for (int i = 0; i < 40 * 30; ++i) dest.Bits()[i] = 0xFF000000u | (0x10101u * (i % 200 + 1));
        const std::vector<std::uint32_t> expected = reference(Pixels(dest), 40, 30, r, pattern);
        item.DrawScaled(dest, r, pattern);
        EXPECT_EQ(Pixels(dest), expected) << "size " << size << " pattern " << pattern << " at " << r.Left;
      }
    }
  }
  // A new key reaches sizes already drawn: the solid pattern's pixel that
  // lands on (0, 0) at 12 x 12 becomes the key and is left out.
  const std::uint32_t sampled = item.Picture.Pixels[1 * 72 + 1];
  item.SetTransparentColor(RGBColor(sampled >> 16 & 0xFF, sampled >> 8 & 0xFF, sampled & 0xFF));
  dest.Fill(Grey);
  item.DrawScaled(dest, {0, 0, 12, 12}, 0);
  EXPECT_EQ(dest.Bits()[0], Grey);
  EXPECT_EQ(dest.Bits()[1], item.Picture.Pixels[1 * 72 + 3]);
}

TEST(DrawBlended, MixesByAlphaOutOf255) {
  TinyList f;
  TDirectDrawSurface dest(2, 2);
  dest.Fill(Blue);
  f.item->DrawBlended(dest, {0, 0, 2, 2}, 0, 96);
  // Red at 96/255 over blue: red 96, blue 255 * 159 / 255 = 159.
  EXPECT_EQ(dest.Bits()[0], 0xFF60009Fu);
  EXPECT_EQ(dest.Bits()[1], 0xFF00609Fu);
  EXPECT_EQ(dest.Bits()[3], Blue);  // key pixel left out
}

TEST(DrawBlended, AlphaZeroDrawsNothingAndFullAlphaCopies) {
  TinyList f;
  TDirectDrawSurface blended(4, 4), scaled(4, 4);
  blended.Fill(Grey);
  scaled.Fill(Grey);
  f.item->DrawBlended(blended, {0, 0, 4, 4}, 0, 0);
  f.item->DrawBlended(blended, {0, 0, 4, 4}, 0, -20);
  EXPECT_EQ(Pixels(blended), std::vector<std::uint32_t>(16, Grey));
  f.item->DrawBlended(blended, {0, 0, 4, 4}, 0, 255);
  f.item->DrawScaled(scaled, {0, 0, 4, 4}, 0);
  EXPECT_EQ(Pixels(blended), Pixels(scaled));
  f.item->DrawBlended(blended, {0, 0, 4, 4}, 0, 400);
  EXPECT_EQ(Pixels(blended), Pixels(scaled));
}

TEST(DrawBlended, ScaledAndClippedLikeDrawScaled) {
  TinyList f;
  TDirectDrawSurface dest(3, 3);
  dest.Fill(Black);
  f.item->Transparent = false;
  f.item->DrawBlended(dest, {1, 1, 5, 5}, 1, 128);
  // White at 128/255 over black is 128 in every channel.
  EXPECT_EQ(dest.Bits()[4], 0xFF808080u);
  EXPECT_EQ(dest.Bits()[0], Black);
  TDirectDrawSurface none;
  f.item->DrawBlended(none, {0, 0, 2, 2}, 0, 128);
}

// A shadow or a figure: key above and below a band of rows and left of a
// band of columns. Blended or copied at tile sizes it leaves the key alone
// and draws the rest, whole or cut by any edge of the surface.
TEST(DrawBlended, APatternWithRowsAndColumnsOfKeyMatchesAPerPixelReference) {
  TSurfaceDevice device;
  device.StartDevice();
  TDXImageList list;
  list.SetDXDraw(&device);
  TPictureCollectionItem& item = list.Items.Add();
  item.Picture.Width = item.Picture.Height = 24;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x)
      item.Picture.Pixels.push_back(y < 14 || y >= 20 || x < 4 || x >= 19 ? Black
                                                                           : 0xFF204060u + static_cast<std::uint32_t>(x));
  item.PatternWidth = item.PatternHeight = 24;
  item.RebuildPatterns();
  TDirectDrawSurface dest(30, 30);
  const auto mix = [](std::uint32_t s, std::uint32_t d) {
    std::uint32_t mixed = 0xFF000000u;
    for (int shift : {0, 8, 16})
      mixed |= static_cast<std::uint32_t>(std::lround(((s >> shift & 255) * 96 + (d >> shift & 255) * 159) / 255.0))
               << shift;
    return mixed;
  };
  for (int size : {12, 24})
    for (const TRect& r : {TRect{2, 2, 2 + size, 2 + size}, TRect{2, -size / 2 - 2, 2 + size, size / 2 - 2},
                           TRect{2, 30 - size / 2 - 3, 2 + size, 30 + size / 2 - 3},
                           TRect{-size / 2 + 1, 3, size / 2 + 1, 3 + size},
                           TRect{30 - size / 2 - 1, 3, 30 + size / 2 - 1, 3 + size}}) {
      dest.Fill(Grey);
      std::vector<std::uint32_t> blended = Pixels(dest), copied = Pixels(dest);
      for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, 30); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, 30); ++x) {
          const std::uint32_t s = item.Picture.Pixels[((y - r.Top) * 2 + 1) * 24 / (2 * size) * 24 +
                                                      ((x - r.Left) * 2 + 1) * 24 / (2 * size)];
          if (s == Black) continue;
          blended[y * 30 + x] = mix(s, Grey);
          copied[y * 30 + x] = s;
        }
      // Twice each: the second draw takes the scaled copy the first one kept.
      for (int pass = 0; pass < 2; ++pass) {
        dest.Fill(Grey);
        item.DrawBlended(dest, r, 0, 96);
        EXPECT_EQ(Pixels(dest), blended) << "size " << size << " at " << r.Left << "," << r.Top << " pass " << pass;
        dest.Fill(Grey);
        item.DrawScaled(dest, r, 0);
        EXPECT_EQ(Pixels(dest), copied) << "size " << size << " at " << r.Left << "," << r.Top << " pass " << pass;
      }
    }
}

TEST(Canvas, CopiesRectanglesAndWritesTextInABox) {
  TestApp();
  TDirectDrawSurface src(2, 2), dest(80, 40);
  src.Bits()[0] = Red;
  src.Bits()[1] = Green;
  src.Bits()[2] = Blue;
  src.Bits()[3] = White;
  dest.Canvas().CopyRect({1, 1, 3, 3}, src, {0, 0, 2, 2});
  EXPECT_EQ(dest.Line(1)[1], Red);
  EXPECT_EQ(dest.Line(2)[2], White);
  dest.Canvas().CopyRect({-1, 0, 1, 2}, src, {0, 0, 2, 2});
  EXPECT_EQ(dest.Line(0)[0], Green);
  dest.Canvas().CopyRect({0, 0, 2, 2}, src, {1, 1, 3, 3});  // source outside: refused
  EXPECT_EQ(dest.Line(0)[0], Green);

  dest.Fill(Grey);
  dest.Canvas().TextOut(2, 2, "FPS 15");
  dest.Canvas().ReleaseCanvas();
  int white = 0, dark = 0;
  for (int i = 0; i < dest.Width() * dest.Height(); ++i) {
    const std::uint32_t p = dest.Bits()[i] & 0xFFFFFFu;
    white += p == 0xFFFFFF;
    dark += (p & 0xFF) < 0x40;
  }
  EXPECT_GT(white, 20);
  EXPECT_GT(dark, 5);
  EXPECT_EQ(dest.Line(0)[0], Grey);
}

// Text written again is copied from its last drawing; either way the pixels
// are those of a white box with the text drawn into it in place, edges of
// the surface and glyphs reaching past the box included.
TEST(Canvas, TextCopiedOrDrawnGivesThePixelsOfDrawingInPlace) {
  TestApp();
  TDirectDrawSurface dest(80, 40);
  const auto background = [&] {
    for (int i = 0; i < 80 * 40; ++i) dest.Row(0)[i] = 0xFF000000u | (0x10305u * (i % 97));
  };
  const auto pixels = [&] {
    return QImage(reinterpret_cast<const uchar*>(std::as_const(dest).Bits()), 80, 40, 80 * 4, QImage::Format_RGB32)
        .copy();
  };
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{5, 3}, std::pair{-4, -3}, std::pair{70, 35}}) {
    for (const char* text : {"255", "17", "255", "Data \xC0\xE9 7"}) {
      background();
      QImage expected = pixels();
      {
        QPainter painter(&expected);
        painter.setPen(Qt::black);
        const QString line = QString::fromLatin1(text);
        const QFontMetrics metrics = painter.fontMetrics();
        painter.fillRect(QRect(x, y, metrics.horizontalAdvance(line), metrics.height()), Qt::white);
        painter.drawText(x, y + metrics.ascent(), line);
      }
      for (int twice = 0; twice < 2; ++twice) {
        background();
        dest.Canvas().TextOut(x, y, text);
        dest.Canvas().ReleaseCanvas();
        EXPECT_EQ(pixels(), expected) << text << " at " << x << ", " << y;
      }
    }
  }
}

}  // namespace

// A rectangle far larger than the surface, or with extreme coordinates, is
// scaled only where it shows: same pixels as a small one, no giant buffer.
TEST(DrawScaled, HugeRectanglesDrawOnlyTheirVisiblePart) {
  TinyList f;
  TDirectDrawSurface dest(4, 4);
  dest.Fill(Grey);
  f.item->DrawScaled(dest, {-999998, -999998, 1000002, 1000002}, 0);
  EXPECT_EQ(Pixels(dest), (std::vector<std::uint32_t>{Red, Red, Green, Green, Red, Red, Green, Green,
                                                      Blue, Blue, Grey, Grey, Blue, Blue, Grey, Grey}));
  constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t Max = std::numeric_limits<std::int32_t>::max();
  dest.Fill(Grey);
  f.item->Transparent = false;
  f.item->DrawScaled(dest, {Min, Min, Max, Max}, 1);
  EXPECT_EQ(dest.Bits()[0], White);  // the visible corner samples the lower right of W K / K W
  f.item->DrawBlended(dest, {Min, Min, Max, Max}, 0, 255);
  EXPECT_EQ(dest.Bits()[5], Black);
  f.item->DrawBlended(dest, {Min, Min, Max, Max}, 1, 128);
}

namespace {

// A fill writes only where it is asked to and says so; filling the same
// area again with the same pixel changes nothing and is left out, unless
// something else wrote there in between.
TEST(FillRect, FillsTheVisiblePartAndSkipsARepeat) {
  TDirectDrawSurface dest(6, 4);
  dest.TakeChanges();
  dest.FillRect({4, -2, 9, 2}, Red);
  EXPECT_EQ(dest.TakeChanges(), (std::vector<TRect>{{4, 0, 6, 2}}));
  EXPECT_EQ(std::as_const(dest).Line(1)[4], Red);
  EXPECT_EQ(std::as_const(dest).Line(1)[3], Black);
  EXPECT_EQ(std::as_const(dest).Line(2)[5], Black);

  dest.FillRect({4, 0, 6, 2}, Red);
  dest.FillRect({5, 1, 6, 2}, Red);
  EXPECT_TRUE(dest.TakeChanges().empty());
  dest.FillRect({4, 0, 6, 2}, Blue);
  EXPECT_EQ(dest.TakeChanges().size(), 1u);

  TDirectDrawSurface dot(1, 1);
  dest.Canvas().CopyRect({5, 1, 6, 2}, dot, {0, 0, 1, 1});
  dest.TakeChanges();
  dest.FillRect({4, 0, 6, 2}, Blue);
  EXPECT_EQ(dest.TakeChanges().size(), 1u);
  EXPECT_EQ(std::as_const(dest).Line(1)[5], Blue);

  // Two fills of one pixel that overlap, as the bands right of and below
  // the map do, are both left out when repeated; another pixel counts.
  for (int round = 0; round < 2; ++round) {
    dest.FillRect({3, 0, 6, 4}, Grey);
    dest.FillRect({0, 2, 6, 4}, Grey);
    EXPECT_EQ(dest.TakeChanges().empty(), round == 1) << "round " << round;
  }
  dest.FillRect({0, 3, 1, 4}, Red);
  dest.TakeChanges();
  dest.FillRect({0, 2, 6, 4}, Grey);
  EXPECT_EQ(dest.TakeChanges().size(), 1u);
  EXPECT_EQ(std::as_const(dest).Line(3)[0], Grey);
}

}  // namespace
