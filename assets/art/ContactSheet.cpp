// Writes one PNG that shows every picture the build made: each pattern at
// twice its size with its number, the glyphs, and sample scenes at three zooms.
#include <QImage>
#include <cstdio>
#include <string>

#include "assets/art/Font.h"
#include "assets/art/GlyphNames.h"
#include "assets/art/JoinTables.h"
#include "assets/art/Palette.h"
#include "assets/art/Scene.h"
#include "assets/art/Sheets.h"

namespace {

using art::TCanvas;
using art::TColour;

constexpr TColour Backdrop = 0xFF2B2B2Eu;
constexpr TColour Ink = 0xFFE8E4D8u;
constexpr TColour Dim = 0xFF9A968Cu;
constexpr TColour ButtonFace = 0xFFD4D0C8u;
constexpr int Margin = 16;

TCanvas Load(const std::string& path) {
  QImage image(QString::fromStdString(path));
  if (image.isNull()) return {};
  image = image.convertToFormat(QImage::Format_ARGB32);
  TCanvas c(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) c.Set(x, y, image.pixel(x, y));
  return c;
}

class TSheet {
 public:
  explicit TSheet(int width) : canvas_(width, 16000, Backdrop) {}

  void Heading(const std::string& text) {
    y_ += 8;
    art::DrawText(canvas_, Margin, y_, text, Ink, 3);
    y_ += 24;
  }

  // Every 24 x 24 pattern of a picture at twice its size, numbered.
  void Patterns(const TCanvas& sheet, int perRow) {
    const int count = (sheet.Width() / 24) * (sheet.Height() / 24);
    for (int i = 0; i < count; ++i) {
      const int x = Margin + (i % perRow) * 52, y = y_ + (i / perRow) * 64;
      canvas_.Draw(art::Pattern(sheet, i).Scaled(2), x, y, false);
      art::DrawText(canvas_, x + 24 - art::TextWidth(std::to_string(i), 2) / 2, y + 51, std::to_string(i), Ink, 2);
    }
    y_ += ((count + perRow - 1) / perRow) * 64 + 4;
  }

  // Pictures side by side with captions; the row is as tall as the tallest.
  void Row(const std::vector<std::pair<std::string, TCanvas>>& items, TColour behind) {
    int x = Margin, tallest = 0;
    for (const auto& [caption, picture] : items) {
      canvas_.FillRect(x - 2, y_ - 2, picture.Width() + 4, picture.Height() + 4, behind);
      canvas_.Draw(picture, x, y_);
      art::DrawText(canvas_, x, y_ + picture.Height() + 6, caption, Dim, 1);
      tallest = std::max(tallest, picture.Height());
      x += std::max(picture.Width(), art::TextWidth(caption)) + 14;
    }
    y_ += tallest + 18;
  }

  TCanvas Finish() const { return canvas_.Crop(0, 0, canvas_.Width(), y_ + Margin); }

 private:
  TCanvas canvas_;
  int y_ = Margin;
};

std::string Missing(const art::TSceneMap& a, const art::TSceneMap& b) {
  std::vector<int> used = art::ScenePatterns(a);
  const std::vector<int> more = art::ScenePatterns(b);
  used.insert(used.end(), more.begin(), more.end());
  std::string missing;
  for (int base : {art::DirtRoadBase, art::PavementBase, art::FenceBase, art::DuctBase})
    for (int i = base; i < base + 11; ++i)
      if (std::find(used.begin(), used.end(), i) == used.end()) {
        missing += ' ';
        missing += std::to_string(i);
      }
  return missing;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: zv_contactsheet ARTDIR GLYPHDIR OUT.png\n");
    return 2;
  }
  const std::string artDir = std::string(argv[1]) + "/", glyphDir = std::string(argv[2]) + "/";
  const TCanvas chao = Load(artDir + "chao.bmp"), casas = Load(artDir + "casas.bmp");
  if (chao.Width() == 0 || casas.Width() == 0) {
    std::fprintf(stderr, "zv_contactsheet: no chao.bmp or casas.bmp in %s\n", argv[1]);
    return 1;
  }
  TSheet sheet(1600);
  sheet.Heading("CHAO.BMP");
  sheet.Patterns(chao, 16);
  for (const char* name : {"casas.bmp", "equip.bmp", "constru.bmp", "status.bmp"}) {
    std::string title = name;
    for (char& ch : title) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    sheet.Heading(title);
    sheet.Patterns(Load(artDir + name), 16);
  }
  sheet.Heading("HOUSE AT 48 PX");
  sheet.Row({{"CASAS 0-3", casas.Scaled(2)}}, Backdrop);

  sheet.Heading("GLYPHS AT 2X ON A BUTTON FACE");
  std::vector<std::pair<std::string, TCanvas>> toolbar, palette;
  for (auto name : art::ToolbarButtons) toolbar.push_back({std::string(name.substr(3)), Load(glyphDir + std::string(name) + ".png").Scaled(2)});
  for (auto name : art::PaletteButtons) palette.push_back({std::string(name.substr(3)), Load(glyphDir + std::string(name) + ".png").Scaled(2)});
  std::vector<std::pair<std::string, TCanvas>> economy;
  for (auto name : art::EconomyPaletteButtons)
    economy.push_back({std::string(name.substr(3)), Load(glyphDir + std::string(name) + ".png").Scaled(2)});
  sheet.Row(toolbar, ButtonFace);
  sheet.Row(palette, ButtonFace);
  sheet.Row(economy, ButtonFace);
  sheet.Row({{"ICON", Load(glyphDir + "icon.png")}, {"OVERVIEW", Load(glyphDir + "overview.png")}}, Backdrop);

  const art::TSceneMap roads = art::RoadsAndWater(), fences = art::FencesAndDucts();
  sheet.Heading("SCENES AT 48 PX");
  sheet.Row({{"ROADS WATER BRIDGE", art::RenderScene(roads, chao, casas, 48)},
             {"FENCES DUCTS HOUSE CROSSING", art::RenderScene(fences, chao, casas, 48)}}, Backdrop);
  sheet.Heading("AT 24 PX AND 12 PX");
  sheet.Row({{"24", art::RenderScene(roads, chao, casas, 24)},
             {"24", art::RenderScene(fences, chao, casas, 24)},
             {"12", art::RenderScene(roads, chao, casas, 12)},
             {"12", art::RenderScene(fences, chao, casas, 12)}}, Backdrop);
  const art::TSceneMap ranch = art::RanchSample(48, 24);
  sheet.Heading("A STRETCH OF RANCH AT 24 PX");
  sheet.Row({{"AS A NEW GAME LAYS IT OUT", art::RenderScene(ranch, chao, casas, 24)}}, Backdrop);

  // The same scenes on the wet days, as stored and with the detailed terrain.
  constexpr TGroundWetness Dry = TGroundWetness::Dry, Damp = TGroundWetness::Damp, Soaked = TGroundWetness::Soaked;
  auto scene = [&](const art::TSceneMap& m, int size, TGroundWetness ground, bool detailed) {
    return art::RenderScene(m, chao, casas, size, ground, detailed);
  };
  const art::TSceneMap bends = art::BridgesAndBends();
  sheet.Heading("BRIDGES CROSSINGS AND RIVER BENDS AT 48 PX");
  sheet.Row({{"STORED PICTURES", scene(bends, 48, Dry, false)}, {"DETAILED TERRAIN", scene(bends, 48, Dry, true)}}, Backdrop);
  sheet.Row({{"SOAKED GROUND STORED", scene(bends, 48, Soaked, false)}, {"SOAKED GROUND DETAILED", scene(bends, 48, Soaked, true)}},
            Backdrop);
  sheet.Heading("AT 24 PX AND 12 PX");
  sheet.Row({{"DAMP STORED", scene(bends, 24, Damp, false)},
             {"DAMP DETAILED", scene(bends, 24, Damp, true)},
             {"SOAKED DETAILED", scene(bends, 24, Soaked, true)}}, Backdrop);
  sheet.Row({{"DRY STORED", scene(bends, 12, Dry, false)},
             {"DRY DETAILED", scene(bends, 12, Dry, true)},
             {"DAMP STORED", scene(bends, 12, Damp, false)},
             {"DAMP DETAILED", scene(bends, 12, Damp, true)},
             {"SOAKED STORED", scene(bends, 12, Soaked, false)},
             {"SOAKED DETAILED", scene(bends, 12, Soaked, true)}}, Backdrop);
  for (TGroundWetness ground : {Damp, Soaked}) {
    const std::string wet = ground == Damp ? "DAMP" : "SOAKED";
    sheet.Heading(wet + " GROUND AT 48 PX: STORED PICTURES, THEN DETAILED TERRAIN");
    sheet.Row({{"ROADS WATER BRIDGE", scene(roads, 48, ground, false)},
               {"FENCES DUCTS HOUSE CROSSING", scene(fences, 48, ground, false)}}, Backdrop);
    sheet.Row({{"DETAILED", scene(roads, 48, ground, true)}, {"DETAILED", scene(fences, 48, ground, true)}}, Backdrop);
    sheet.Heading(wet + " GROUND AT 24 PX AND 12 PX");
    sheet.Row({{"STORED", scene(roads, 24, ground, false)},
               {"DETAILED", scene(roads, 24, ground, true)},
               {"STORED", scene(roads, 12, ground, false)},
               {"DETAILED", scene(roads, 12, ground, true)},
               {"STORED", scene(fences, 12, ground, false)},
               {"DETAILED", scene(fences, 12, ground, true)}}, Backdrop);
    sheet.Heading("THE RANCH ON " + wet + " GROUND AT 24 PX");
    sheet.Row({{"STORED PICTURES", scene(ranch, 24, ground, false)}}, Backdrop);
    sheet.Row({{"DETAILED TERRAIN", scene(ranch, 24, ground, true)}}, Backdrop);
  }
  // The ranch economy's pictures in a pasture: a small herd gathered, the
  // next day moved, and a herd that fills every tile, in sun and in rain.
  const art::TSceneMap pasture = art::PastureSample();
  auto herd = [&](int size, TGroundWetness ground, std::uint32_t head, int day) {
    return art::RenderRanchScene(pasture, chao, casas, size, ground, 2, 3, head, day);
  };
  sheet.Heading("CATTLE TROUGHS AND PLANTED GRASS AT 48 PX: SUN, THEN RAIN");
  sheet.Row({{"12 HEAD DAY 1", herd(48, Dry, 12, 1)}, {"12 HEAD DAY 2", herd(48, Dry, 12, 2)}}, Backdrop);
  sheet.Row({{"40 HEAD DAMP", herd(48, Damp, 40, 3)}, {"150 HEAD SOAKED", herd(48, Soaked, 150, 4)}}, Backdrop);
  sheet.Heading("AT 24 PX: SUN, DAMP, SOAKED");
  sheet.Row({{"12 HEAD", herd(24, Dry, 12, 1)}, {"12 HEAD NEXT DAY", herd(24, Dry, 12, 2)},
             {"40 HEAD DAMP", herd(24, Damp, 40, 3)}, {"150 HEAD SOAKED", herd(24, Soaked, 150, 4)}}, Backdrop);
  sheet.Heading("AT 12 PX: SUN, DAMP, SOAKED");
  sheet.Row({{"12", herd(12, Dry, 12, 1)}, {"12 NEXT DAY", herd(12, Dry, 12, 2)}, {"40 DAMP", herd(12, Damp, 40, 3)},
             {"40 SOAKED", herd(12, Soaked, 40, 3)}, {"150 SOAKED", herd(12, Soaked, 150, 4)}}, Backdrop);

  const std::string missing = Missing(roads, fences);
  if (!missing.empty()) std::fprintf(stderr, "zv_contactsheet: scenes lack pieces%s\n", missing.c_str());

  const TCanvas out = sheet.Finish();
  QImage image(out.Width(), out.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) image.setPixel(x, y, out.Get(x, y) | 0xFF000000u);
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "zv_contactsheet: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
