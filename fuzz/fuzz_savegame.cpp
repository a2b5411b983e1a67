// Bytes read as a saved game: the loader either takes a record that stays
// sound through play, or leaves the game byte for byte as it was. Any bytes
// at all (as the inspection tool takes them) must still be safe to play on:
// drawn at every zoom, with and without the detailed terrain, run through
// days at every speed and edited with every tool.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "map/Mapa.h"
#include "map/MapaCheck.h"
#include "map/Tools.h"
#include "present/DXImageList.h"
#include "present/SurfaceDevice.h"
#include "shell/defines.h"

namespace {
constexpr int PatternSide = 24;
constexpr int FramesPerInput = 64;
// Small, so that one input stays quick while every zoom still shows tiles.
constexpr int SurfaceWidth = 60;
constexpr int SurfaceHeight = 48;
// Days per step at speeds 1..6, as the frame loop runs them.
constexpr std::array<std::uint8_t, 6> DaysAtSpeed = {2, 1, 1, 1, 1, 0};
static_assert(DaysAtSpeed.size() == 6);
// Coordinates the tools are tried on: the ring, the playable edges, the
// middle and bytes far outside the map.
constexpr std::array<std::uint8_t, 9> ToolSpots = {0, 1, 2, 47, 95, 96, 97, 98, 255};
static_assert(ToolSpots.size() == 9);

// Reads every text and code the map hands over, so a bad one shows up.
class TCheckingHost : public IMapHost {
 public:
  void ShowFunds(std::int32_t funds) override { sink_ ^= static_cast<std::uint32_t>(funds); }
  void ShowDate(std::string_view text) override {
    for (char c : text) sink_ += static_cast<unsigned char>(c);
  }
  void ForecastCell(int cell, std::uint8_t weather) override {
    if (cell < 0 || cell > 2) __builtin_trap();
    sink_ += weather;
  }
  void ForecastLine(int x1, int y1, int x2, int y2) override { sink_ += x1 + y1 + x2 + y2; }
  void PlayWave(int index) override {
    if (index < 0 || index > 7) __builtin_trap();
  }

 private:
  std::uint32_t sink_ = 0;
};

// Scroll bars as the view keeps them: position clamped to [0, Max].
class TFakeScrollBar : public IScrollBar {
 public:
  int Position() const override { return position_; }
  void SetPosition(int position) override { position_ = position < 0 ? 0 : (position > max_ ? max_ : position); }
  int Max() const override { return max_; }
  void SetMax(int max) override { max_ = max; }

 private:
  int position_ = 0;
  int max_ = 96;
};

TBitmap Checkered(int columns, int rows) {
  TBitmap bitmap;
  bitmap.Width = columns * PatternSide;
  bitmap.Height = rows * PatternSide;
  bitmap.Pixels.resize(static_cast<std::size_t>(bitmap.Width) * bitmap.Height);
  for (int y = 0; y < bitmap.Height; ++y)
    for (int x = 0; x < bitmap.Width; ++x)
      bitmap.Pixels[static_cast<std::size_t>(y) * bitmap.Width + x] = 0xFF000000u | static_cast<std::uint32_t>(x * 7 + y * 13);
  return bitmap;
}

// The drawing side, made once: a started surface and an image list with a
// ground item of 64 patterns and a house item of 4, so that tile images both
// inside and past the patterns are drawn.
struct TDrawing {
  TSurfaceDevice Device;
  TDXImageList Images;
  TDrawing() {
    for (auto [columns, rows] : {std::pair{8, 8}, std::pair{2, 2}}) {
      TPictureCollectionItem& item = Images.Items.Add();
      item.Picture = Checkered(columns, rows);
      item.PatternWidth = PatternSide;
      item.PatternHeight = PatternSide;
      item.SetTransparentColor(RGBColor(255, 0, 255));
    }
    Images.SetDXDraw(&Device);
    Device.AutoSize = false;
    Device.BoundsChanged(SurfaceWidth, SurfaceHeight);
    Device.StartDevice();
  }
};

void SetGlobals() {
  const unsigned char sizes[6] = {0, 12, 16, 24, 36, 48};
  std::memcpy(ZoomSizes, sizes, sizeof sizes);
  SoundOn = true;
  for (int month = 1; month <= 12; ++month) MonthNames[month].Assign("abcdefghijklmnopqrstuvwxyz", 26);
  WeekWord.Assign("Semana", 6);
  MonthWord.Assign("de", 2);
}

void DrawFrames(TMapa& map, TDrawing& drawing) {
  TDirectDrawSurface* back = drawing.Device.BackSurface();
  if (back == nullptr) return;
  TFakeScrollBar horizontal, vertical;
  for (int frame = 0; frame < FramesPerInput; ++frame) {
    ZoomIndex = static_cast<unsigned char>(frame % 5 + 1);
    TileSize = ZoomSizes[ZoomIndex];
    // Spread the view over the whole map, edges included.
    const int viewX = (frame * 37) % 97;
    const int viewY = (frame * 53) % 97;
    // Every other frame with the detailed terrain, which reads the neighbours too.
    DetailedTerrain = frame % 2 == 1;
    map.Draw(*back, SurfaceWidth, SurfaceHeight, viewX, viewY, drawing.Images, horizontal, vertical);
  }
  DetailedTerrain = false;
}

void RunDays(TMapa& map) {
  for (std::size_t speed = 0; speed < DaysAtSpeed.size(); ++speed) {
    GameSpeed = static_cast<unsigned char>(speed + 1);
    if (DaysAtSpeed[speed] != 0) map.Tick(DaysAtSpeed[speed]);
  }
}

void UseEveryTool(TMapa& map) {
  for (int tool = 0; tool < ToolKindCount; ++tool) {
    const auto kind = static_cast<TToolKind>(tool);
    for (std::uint8_t x : ToolSpots)
      for (std::uint8_t y : ToolSpots) {
        if (x < MapSize && y < MapSize) ToolVerdict(kind, map.Record().tiles[x][y], map.Record().funds);
        if (ToolAction(map, kind, x, y)) map.ChangeFunds(-ToolCost[tool]);
      }
  }
}

void Play(TMapa& map, TDrawing& drawing) {
  DrawFrames(map, drawing);
  RunDays(map);
  UseEveryTool(map);
  DrawFrames(map, drawing);
}

// The loader's side: a refusal changes nothing, and what it takes stays
// acceptable however it is played.
void Load(const std::uint8_t* data, std::size_t size, TDrawing& drawing, IMapHost& host) {
  auto map = std::make_unique<TMapa>(&host);
  TMapaRecord before;
  std::memcpy(&before, &map->Record(), sizeof before);
  const TRecordVerdict verdict = TakeRecord(data, size, map->Record());
  if (verdict != TRecordVerdict::Loaded) {
    if (std::memcmp(&before, &map->Record(), sizeof before) != 0) __builtin_trap();
    return;
  }
  if (!CheckRecord(map->Record()).empty()) __builtin_trap();
  Play(*map, drawing);
  if (!CheckRecord(map->Record()).empty()) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static TDrawing drawing;
  static TCheckingHost host;
  SetGlobals();
  RandomSeed(size);
  Load(data, size, drawing, host);

  auto map = std::make_unique<TMapa>(&host);
  std::memcpy(&map->Record(), data, size < sizeof(TMapaRecord) ? size : sizeof(TMapaRecord));
  Play(*map, drawing);
  return 0;
}
