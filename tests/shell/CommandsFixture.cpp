#include "CommandsFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTest>
#include <array>
#include <cstdint>
#include <vector>

#include "CommandsTestApp.h"
#include "datafiles/zolpackformat.h"
#include "map/Mapa.h"
#include "shell/Principal.h"
#include "shell/defines.h"
#include "view/ToolsUnit.h"

namespace {
using TBytes = std::vector<std::uint8_t>;

void Put16(TBytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(TBytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A 24-bit bitmap file of width x height pixels in a few colours.
TBytes Bitmap(int width, int height) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  TBytes out = {'B', 'M'};
  Put32(out, static_cast<std::uint32_t>(54 + rowBytes * height));
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, 24);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      out.push_back(static_cast<std::uint8_t>(x * 5));
      out.push_back(static_cast<std::uint8_t>(y * 3));
      out.push_back(static_cast<std::uint8_t>(x + y));
    }
    out.resize(out.size() + static_cast<std::size_t>(rowBytes - width * 3), 0);
  }
  return out;
}

// A short 8-bit mono wave.
TBytes Wave() {
  TBytes out = {'R', 'I', 'F', 'F'};
  Put32(out, 36 + 64);
  for (char c : std::string("WAVEfmt ")) out.push_back(static_cast<std::uint8_t>(c));
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, 8000);
  Put32(out, 8000);
  Put16(out, 1);
  Put16(out, 8);
  for (char c : std::string("data")) out.push_back(static_cast<std::uint8_t>(c));
  Put32(out, 64);
  for (int i = 0; i < 64; ++i) out.push_back(static_cast<std::uint8_t>(128 + (i % 8) * 4));
  return out;
}

// Entry name and picture size in patterns of 24 pixels (0: a wave).
struct TEntry {
  const char* Name;
  int Columns, Rows;
};
constexpr std::array<TEntry, 13> Entries = {{
    {"chao.bmp", 10, 16}, {"casas.bmp", 4, 4}, {"equip.bmp", 1, 1}, {"constru.bmp", 1, 1},
    {"status.bmp", 5, 1}, {"bulldoze.wav", 0, 0}, {"ops.wav", 0, 0}, {"plop.wav", 0, 0},
    {"compra.wav", 0, 0}, {"birds01.wav", 0, 0}, {"birds02.wav", 0, 0}, {"birds03.wav", 0, 0},
    {"chuva01.wav", 0, 0},
}};
static_assert(Entries.size() == 13);

void WriteFile(const QString& path, const char* data, qint64 size) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(data, size);
}
}  // namespace

void WriteTestPackage(const QString& folder) {
  std::vector<TZolPackStoredEntry> stored;
  for (const TEntry& entry : Entries) {
    const TBytes plain = entry.Columns == 0 ? Wave() : Bitmap(entry.Columns * 24, entry.Rows * 24);
    stored.push_back({entry.Name, ZolPackEncode(plain, TZolPackFlags{})});
  }
  const TBytes package = ZolPackBuild(ZolPackVersionOf(TZolPackFlags{}), stored);
  WriteFile(folder + "/data/data.dpf", reinterpret_cast<const char*>(package.data()),
            static_cast<qint64>(package.size()));
}

void WriteLanguageFile(const QString& folder, const std::string& name, const std::string& bytes) {
  WriteFile(folder + "/data/lang/" + QString::fromStdString(name), bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string NumberedLanguage(const std::string& prefix, const char* end) {
  std::string text;
  for (int line = 1; line <= 60; ++line) {
    text += prefix;
    text += std::to_string(line);
    if (line < 60) text += end;
  }
  return text;
}

TGameFolder::TGameFolder() : previous_(QDir::currentPath()) {
  TestApp();
  WriteTestPackage(dir_.path());
  QDir::setCurrent(dir_.path());
  ResetGameGlobals();
}

TGameFolder::~TGameFolder() {
  QDir::setCurrent(previous_);
  ResetGameGlobals();
}

std::unique_ptr<TForm1> TGameFolder::StartGame() {
  auto form = std::make_unique<TForm1>();
  form->CreateMapView();
  form->CreatePalette();
  form->show();
  form->activateWindow();
  static_cast<void>(QTest::qWaitForWindowActive(form.get()));
  return form;
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray RecordBytes(const TMapa& map) {
  return QByteArray(reinterpret_cast<const char*>(&map.Record()), sizeof(TMapaRecord));
}

std::string Utf8(const QString& text) { return text.toStdString(); }
