// The game's icon is drawn afresh at every size of the desktop's icon theme:
// each size is a whole, recognisable picture in the game's palette, not a
// blown-up copy of a smaller one, and the window shows the same picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <array>
#include <map>

#include "assets/art/GlyphArt.h"
#include "assets/art/GlyphNames.h"
#include "assets/art/Glyphs.h"
#include "assets/art/Palette.h"

namespace {

using art::TMaterial;

// Pixels of each material, counting the clear ones under None.
std::map<TMaterial, int> Materials(const art::TCanvas& icon) {
  std::map<TMaterial, int> count;
  for (const art::TColour p : icon.Pixels()) ++count[art::Alpha(p) == 0 ? TMaterial::None : art::MaterialOf(p)];
  return count;
}

TEST(Icon, EverySizeIsTheWholeSceneInTheGamePalette) {
  for (const int size : art::IconSizes) {
    SCOPED_TRACE(size);
    const art::TCanvas icon = art::MakeIcon(size);
    ASSERT_EQ(icon.Width(), size);
    ASSERT_EQ(icon.Height(), size);
    // A rounded badge: clear corners, everything else drawn, opaque.
    for (const auto& [x, y] : std::array<std::pair<int, int>, 4>{{{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}}}) {
      EXPECT_EQ(art::Alpha(icon.Get(x, y)), 0) << x << "," << y;
    }
    std::map<TMaterial, int> count = Materials(icon);
    EXPECT_LT(count[TMaterial::None], size * size / 20);
    for (const art::TColour p : icon.Pixels()) {
      if (art::Alpha(p) != 0) {
        ASSERT_EQ(art::Alpha(p), 255);
      }
    }
    // Sky, sun, meadow, the house's roof and walls, and wood for the fence and frame.
    for (const TMaterial m : {TMaterial::Sky, TMaterial::Gold, TMaterial::Grass, TMaterial::Red, TMaterial::Cream, TMaterial::Wood})
      EXPECT_GT(count[m], size * size / 100) << "material " << static_cast<int>(m);
    int offPalette = 0;
    for (const art::TColour p : icon.Pixels()) offPalette += art::Alpha(p) != 0 && art::MaterialOf(p) == TMaterial::None;
    EXPECT_EQ(offPalette, 0);
    // The wooden rim runs round the badge at mid height on both sides.
    EXPECT_EQ(art::MaterialOf(icon.Get(0, size / 2)), TMaterial::Wood);
    EXPECT_EQ(art::MaterialOf(icon.Get(size - 1, size / 2)), TMaterial::Wood);
  }
}

// Of the f x f blocks a picture blown up f times from a smaller one would
// fill with one colour each, how many hold more than one.
int MixedBlocks(const art::TCanvas& c, int f) {
  int mixed = 0;
  for (int by = 0; by + f <= c.Height(); by += f)
    for (int bx = 0; bx + f <= c.Width(); bx += f) {
      bool uniform = true;
      for (int y = by; y < by + f && uniform; ++y)
        for (int x = bx; x < bx + f && uniform; ++x) uniform = c.Get(x, y) == c.Get(bx, by);
      mixed += !uniform;
    }
  return mixed;
}

TEST(Icon, LargerSizesAreDrawnNotScaledUp) {
  for (const int small : art::IconSizes)
    for (const int large : art::IconSizes) {
      if (large <= small || large % small != 0) continue;
      const int f = large / small;
      ASSERT_EQ(MixedBlocks(art::MakeIcon(small).Scaled(f), f), 0);
      EXPECT_GT(MixedBlocks(art::MakeIcon(large), f), small * small / 10) << small << " -> " << large;
    }
}

TEST(Icon, SizesOutsideTheRangeGiveNothing) {
  for (const int size : {-64, 0, 1, 15, 1025, 1 << 30}) {
    const art::TCanvas icon = art::MakeIcon(size);
    EXPECT_EQ(icon.Width(), 0) << size;
    EXPECT_TRUE(icon.Pixels().empty()) << size;
  }
}

TEST(Icon, TheWindowShowsTheSamePicture) {
  InitGameGlyphs();
  const QImage window = QImage(QStringLiteral(":/glyphs/icon.png")).convertToFormat(QImage::Format_ARGB32);
  const art::TCanvas drawn = art::MakeIcon(art::IconSize);
  ASSERT_EQ(window.width(), drawn.Width());
  ASSERT_EQ(window.height(), drawn.Height());
  int differing = 0;
  for (int y = 0; y < drawn.Height(); ++y)
    for (int x = 0; x < drawn.Width(); ++x) differing += window.pixel(x, y) != drawn.Get(x, y);
  EXPECT_EQ(differing, 0);
}

}  // namespace
