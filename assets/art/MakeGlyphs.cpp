// Writes the button glyphs, the window icon and the overview picture as PNG
// files, with the resource list that compiles them into the program, and the
// icon at every size of the desktop's icon theme, in that theme's folders.
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "assets/art/GlyphArt.h"
#include "assets/art/GlyphNames.h"

namespace {

bool SavePng(const art::TCanvas& c, const std::string& path) {
  QImage image(c.Width(), c.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) image.setPixel(x, y, c.Get(x, y));
  return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zv_makeglyphs OUTDIR\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  std::vector<std::pair<std::string, art::TCanvas>> files;
  for (auto name : art::ToolbarButtons) files.push_back({std::string(name), art::MakeGlyph(name)});
  for (auto name : art::PaletteButtons) files.push_back({std::string(name), art::MakeGlyph(name)});
  for (auto name : art::EconomyPaletteButtons) files.push_back({std::string(name), art::MakeGlyph(name)});
  files.push_back({"icon", art::MakeIcon()});
  files.push_back({"overview", art::MakeOverview()});

  std::ofstream qrc(dir + "glyphs.qrc");
  qrc << "<RCC>\n  <qresource prefix=\"/glyphs\">\n";
  for (const auto& [name, picture] : files) {
    if (!SavePng(picture, dir + name + ".png")) {
      std::fprintf(stderr, "zv_makeglyphs: cannot write %s%s.png\n", dir.c_str(), name.c_str());
      return 1;
    }
    qrc << "    <file>" << name << ".png</file>\n";
  }
  qrc << "  </qresource>\n</RCC>\n";
  if (!qrc) return 1;

  for (const int size : art::IconSizes) {
    const std::string folder = dir + "hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/apps/";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !SavePng(art::MakeIcon(size), folder + std::string(art::IconName) + ".png")) {
      std::fprintf(stderr, "zv_makeglyphs: cannot write the %d pixel icon in %s\n", size, folder.c_str());
      return 1;
    }
  }
  return 0;
}
