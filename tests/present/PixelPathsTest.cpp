// Every vector version of the pixel routines against the plain one: the same
// pixels for the keyed copy, the blend and the scaled copy, on the widths
// where vector steps overlap or stop short (1 to 9 pixels and past them),
// odd strides and rectangles clipped at every edge of the surface.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "present/DXImageList.h"
#include "present/PixelPaths.h"

namespace {

constexpr std::uint32_t Key = 0xFFFF00FFu;

std::vector<TPixelPath> VectorPaths() {
  std::vector<TPixelPath> paths;
  for (TPixelPath path : {TPixelPath::Sse2, TPixelPath::Avx2})
    if (PixelPathSupported(path)) paths.push_back(path);
  return paths;
}

// Random opaque pixels, about a third of them the key.
std::vector<std::uint32_t> Noise(std::size_t count, std::mt19937& random) {
  std::vector<std::uint32_t> pixels(count);
  for (std::uint32_t& p : pixels) p = random() % 3 == 0 ? Key : 0xFF000000u | (random() & 0xFFFFFFu);
  return pixels;
}

class PixelPaths : public ::testing::Test {
 protected:
  void TearDown() override { SetPixelPath(BestPixelPath()); }
};

TEST_F(PixelPaths, NamesParseAndThePlainPathAlwaysRuns) {
  for (TPixelPath path : {TPixelPath::Plain, TPixelPath::Sse2, TPixelPath::Avx2})
    EXPECT_EQ(ParsePixelPath(PixelPathName(path)), path);
  EXPECT_FALSE(ParsePixelPath("avx512"));
  EXPECT_FALSE(ParsePixelPath(""));
  ASSERT_TRUE(SetPixelPath(TPixelPath::Plain));
  EXPECT_EQ(CurrentPixelPath(), TPixelPath::Plain);
  EXPECT_TRUE(PixelPathSupported(BestPixelPath()));
#if defined(__x86_64__)
  EXPECT_TRUE(PixelPathSupported(TPixelPath::Sse2));  // every x86-64 processor has it
#endif
}

// The block routines themselves, on blocks with odd strides whose margins
// must stay untouched.
TEST_F(PixelPaths, BlockRoutinesMatchThePlainOnesAtEveryWidth) {
  const TPixelRoutines& plain = PlainPixelRoutines();
  std::mt19937 random(5);
  for (TPixelPath path : VectorPaths()) {
    ASSERT_TRUE(SetPixelPath(path));
    const TPixelRoutines& wide = PixelRoutines();
    for (int width = 1; width <= 70; width += width < 12 ? 1 : 7) {
      for (int height : {1, 3}) {
        const int toStride = width + 3, fromStride = width + 5;  // odd, so rows start unaligned
        const std::vector<std::uint32_t> source = Noise(static_cast<std::size_t>(fromStride) * height + 1, random);
        const std::vector<std::uint32_t> start = Noise(static_cast<std::size_t>(toStride) * height + 2, random);
        const auto run = [&](auto draw) {
          std::vector<std::uint32_t> expected = start, got = start;
          draw(plain, TPixelBlock{expected.data() + 1, toStride, source.data() + 1, fromStride, width, height});
          draw(wide, TPixelBlock{got.data() + 1, toStride, source.data() + 1, fromStride, width, height});
          return std::make_pair(expected, got);
        };
        const std::string where = std::string(PixelPathName(path)) + " width " + std::to_string(width) +
                                  " height " + std::to_string(height);
        auto copied = run([](const TPixelRoutines& r, const TPixelBlock& b) { r.Copy(b); });
        EXPECT_EQ(copied.first, copied.second) << "copy, " << where;
        auto keyed = run([](const TPixelRoutines& r, const TPixelBlock& b) { r.Keyed(b, Key); });
        EXPECT_EQ(keyed.first, keyed.second) << "keyed copy, " << where;
        for (std::uint32_t alpha : {1u, 96u, 128u, 254u}) {
          for (bool withKey : {false, true}) {
            auto blended = run([&](const TPixelRoutines& r, const TPixelBlock& b) { r.Blend(b, alpha, withKey, Key); });
            EXPECT_EQ(blended.first, blended.second) << "blend " << alpha << (withKey ? " keyed, " : ", ") << where;
          }
        }
      }
    }
  }
}

// A picture of noisy 7 x 5 patterns drawn through an image list.
struct NoisyList {
  NoisyList() {
    std::mt19937 random(11);
    item = &list.Items.Add();
    item->Picture.Width = 21;
    item->Picture.Height = 10;
    item->Picture.Pixels = Noise(21 * 10, random);
    item->PatternWidth = 7;
    item->PatternHeight = 5;
    item->SetTransparentColor(0x00FF00FF);
    device.StartDevice();
    list.SetDXDraw(&device);
  }
  TSurfaceDevice device;
  TDXImageList list;
  TPictureCollectionItem* item = nullptr;
};

// Draws the same rectangles on two surfaces, plain and on path, then compares.
TEST_F(PixelPaths, ScaledKeyedAndBlendedDrawingMatchesThePlainPathWhenClipped) {
  NoisyList f;
  std::mt19937 random(3);
  const std::vector<std::uint32_t> start = Noise(13 * 11, random);
  for (TPixelPath path : VectorPaths()) {
    for (int width = 1; width <= 9; ++width) {
      for (int height : {1, 4, 9}) {
        // Wholly inside, and hanging over each edge of a 13 x 11 surface.
        for (const auto& [left, top] : {std::pair{2, 1}, std::pair{-3, 2}, std::pair{9, 7}, std::pair{1, -2}}) {
          const TRect rect{left, top, left + width, top + height};
          for (bool transparent : {true, false}) {
            f.item->Transparent = transparent;
            std::vector<std::vector<std::uint32_t>> results;
            for (TPixelPath run : {TPixelPath::Plain, path}) {
              ASSERT_TRUE(SetPixelPath(run));
              TDirectDrawSurface dest(13, 11);  // odd width: every row starts unaligned
              std::copy(start.begin(), start.end(), dest.Row(0));
              f.item->DrawScaled(dest, rect, 1);
              f.item->DrawScaled(dest, {rect.Left + 1, rect.Top, rect.Right + 1, rect.Bottom}, 4);
              f.item->DrawBlended(dest, rect, 2, 96);
              f.item->DrawBlended(dest, {rect.Left, rect.Top + 1, rect.Right, rect.Bottom + 1}, 5, 255);
              results.emplace_back(dest.Row(0), dest.Row(0) + 13 * 11);
            }
            EXPECT_EQ(results[0], results[1]) << PixelPathName(path) << " " << width << " x " << height << " at "
                                              << left << ", " << top << (transparent ? " keyed" : "");
          }
        }
      }
    }
  }
}

}  // namespace
