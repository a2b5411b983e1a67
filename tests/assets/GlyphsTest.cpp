// The glyphs reach the program as resources, at the sizes the buttons expect.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "assets/art/GlyphNames.h"
#include "assets/art/Glyphs.h"
#include "assets/art/Palette.h"

namespace {

QImage Resource(std::string_view name) {
  InitGameGlyphs();
  return QImage(QStringLiteral(":/glyphs/") + QString::fromLatin1(name.data(), static_cast<int>(name.size())) + ".png");
}

// A glyph leaves the button face showing round it and draws something inside.
void CheckGlyph(std::string_view name, int size) {
  const QImage image = Resource(name);
  ASSERT_FALSE(image.isNull()) << name;
  EXPECT_EQ(image.width(), size) << name;
  EXPECT_EQ(image.height(), size) << name;
  EXPECT_TRUE(image.hasAlphaChannel()) << name;
  int drawn = 0, offPalette = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) == 0) continue;
      ++drawn;
      offPalette += art::MaterialOf(p) == art::TMaterial::None;
    }
  EXPECT_GT(drawn, size * size / 6) << name;
  EXPECT_LT(drawn, size * size) << name << " hides the whole button face";
  EXPECT_EQ(offPalette, 0) << name;
}

TEST(Glyphs, ToolbarAndPaletteButtonsHaveTheirGlyphs) {
  for (auto name : art::ToolbarButtons) CheckGlyph(name, art::ToolbarGlyphSize);
  for (auto name : art::PaletteButtons) CheckGlyph(name, art::PaletteGlyphSize);
}

// The palette shows them only while the ranch economy runs; the resources
// are there for it.
TEST(Glyphs, TheEconomyToolsHaveTheirGlyphs) {
  for (auto name : art::EconomyPaletteButtons) CheckGlyph(name, art::PaletteGlyphSize);
  EXPECT_TRUE(Resource("BotNenhum").isNull());
}

TEST(Glyphs, IconAndOverviewPicture) {
  const QImage icon = Resource("icon");
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.width(), art::IconSize);
  EXPECT_EQ(icon.height(), art::IconSize);
  const QImage overview = Resource("overview");
  ASSERT_FALSE(overview.isNull());
  EXPECT_EQ(overview.width(), art::OverviewWidth);
  EXPECT_EQ(overview.height(), art::OverviewHeight);
  // Light parchment in the middle, a darker wooden frame at the rim.
  EXPECT_GT(qGray(overview.pixel(160, 120)), 180);
  EXPECT_LT(qGray(overview.pixel(4, 120)), 140);
  EXPECT_EQ(qAlpha(overview.pixel(0, 0)), 255);
}

}  // namespace
