#include "shell/AssetLoading.h"

#include <array>
#include <string>
#include <string_view>

#include "datafiles/zolpackload.h"
#include "present/DXImageList.h"
#include "present/DXSound.h"
#include "present/Text.h"

namespace {
constexpr int PatternSize = 24;
constexpr int MarkerSize = 24;

// IMGChao's bitmaps, in item order.
constexpr std::array<const char*, 4> GroundEntries = {"chao.bmp", "casas.bmp", "equip.bmp", "constru.bmp"};
constexpr const char* StatusEntry = "status.bmp";
// The marker squares appended to IMGOutros after the status icons: white for a
// tool without a rule, red for a refusal, green for an allowed placement.
constexpr std::array<TColor, 3> MarkerColors = {RGBColor(255, 255, 255), RGBColor(255, 0, 0),
                                                RGBColor(0, 128, 0)};
// The wave list, in item order.
constexpr std::array<const char*, 8> WaveEntries = {"bulldoze.wav", "ops.wav",     "plop.wav",
                                                    "compra.wav",   "birds01.wav", "birds02.wav",
                                                    "birds03.wav",  "chuva01.wav"};

std::string Utf8(std::string_view windows1252) { return DecodeText(windows1252).toStdString(); }

// Every later use takes the items at fixed indices, so a missing or broken
// entry stops start-up here, naming it.
void ExtractEntry(TZolPackLoad& package, const std::string& name, TPictureCollection* pictures,
                  TWaveCollection* waves) {
  const int before = pictures ? pictures->Count() : waves->Count();
  std::string problem;
  try {
    if (!package.ExtrairArquivo(name, pictures, waves)) problem = Utf8(package.Erro());
  } catch (const std::exception& e) {
    problem = e.what();
  }
  const int after = pictures ? pictures->Count() : waves->Count();
  if (problem.empty() && after != before + 1) problem = "nenhum item foi lido";
  if (!problem.empty())
    throw EStartupError("Zol Vorn: falta o item " + name + " no pacote " + PackagePath + ": " + problem);
}

void AddMarkerSquare(TPictureCollection& pictures, TColor color) {
  TBitmap square;
  square.Width = MarkerSize;
  square.Height = MarkerSize;
  square.Pixels.assign(MarkerSize * MarkerSize, ColorToPixel(color));
  TPictureCollectionItem& item = pictures.Add();
  item.Picture = std::move(square);
  item.Transparent = false;
  item.RebuildPatterns();
}
}  // namespace

void LoadAssets(TZolPackLoad& package, TDXImageList& ground, TDXImageList& others, TWaveCollection& waves) {
  if (!package.AbrePacote(PackagePath))
    throw EStartupError("Zol Vorn: não foi possível abrir o pacote " + std::string(PackagePath) + ": " +
                        Utf8(package.Erro()));

  for (std::size_t i = 0; i < GroundEntries.size(); ++i) {
    ExtractEntry(package, GroundEntries[i], &ground.Items, nullptr);
    TPictureCollectionItem& item = ground.Items.Items(static_cast<int>(i));
    item.PatternHeight = PatternSize;
    item.PatternWidth = PatternSize;
    item.Transparent = true;
    item.SetTransparentColor(RGBColor(255, 0, 255));
  }

  ExtractEntry(package, StatusEntry, &others.Items, nullptr);
  TPictureCollectionItem& status = others.Items.Items(0);
  status.PatternHeight = PatternSize;
  status.PatternWidth = PatternSize;
  status.Transparent = false;

  for (TColor color : MarkerColors) AddMarkerSquare(others.Items, color);

  for (const char* wave : WaveEntries) ExtractEntry(package, wave, nullptr, &waves);

  package.Reseta();
}
