#pragma once
// A started surface device without a window, and a tiny hand-made ground and
// house image list whose patterns are each one flat, known colour.
#include <algorithm>
#include <cstdint>

#include "map/Mapa.h"

#include "present/DXImageList.h"
#include "present/SurfaceDevice.h"

class THeadlessDevice : public TSurfaceDevice {
 public:
  THeadlessDevice(int width, int height) : back_(width, height) {}
  TDirectDrawSurface* BackSurface() override { return started_ ? &back_ : nullptr; }
  void Start() {
    started_ = true;
    Notify(snStarted);
    Notify(snRestored);
  }
  TDirectDrawSurface& Back() { return back_; }

 private:
  TDirectDrawSurface back_;
};

// A scroll bar without a widget, keeping its position inside 0..max as a
// bar does; it counts the positions it was given.
class TFakeBar : public IScrollBar {
 public:
  int Position() const override { return position; }
  void SetPosition(int p) override {
    position = std::clamp(p, 0, max);
    ++positionSets;
  }
  int Max() const override { return max; }
  void SetMax(int m) override {
    max = m;
    position = std::min(position, max);
  }
  int position = 0;
  int max = 100;
  int positionSets = 0;
};

constexpr std::uint32_t KeyPixel = 0xFFFF00FF;  // magenta, left out when drawing

// The colour of ground pattern i; patterns from 120 on are see-through in
// their left half, so the ground drawn beneath them shows.
constexpr std::uint32_t GroundPixel(int i) { return 0xFF000000u | (0x10u << 16) | std::uint32_t(i) << 8 | 0x20u; }
constexpr std::uint32_t HousePixel(int i) { return 0xFF800000u | std::uint32_t(i) << 8 | 0x40u; }

inline TBitmap PatternSheet(int columns, int rows, std::uint32_t (*pixel)(int), int seeThroughFrom) {
  TBitmap sheet;
  sheet.Width = columns * 24;
  sheet.Height = rows * 24;
  sheet.Pixels.resize(static_cast<std::size_t>(sheet.Width) * sheet.Height);
  for (int y = 0; y < sheet.Height; ++y)
    for (int x = 0; x < sheet.Width; ++x) {
      const int index = (y / 24) * columns + x / 24;
      const bool seeThrough = index >= seeThroughFrom && x % 24 < 12;
      sheet.Pixels[static_cast<std::size_t>(y) * sheet.Width + x] = seeThrough ? KeyPixel : pixel(index);
    }
  return sheet;
}

// IMGChao as the game fills it: item 0 ground (130 patterns, or with
// `detailed` the 320 of the detailed terrain too), item 1 houses (4, or 12).
inline void FillGroundList(TDXImageList& list, bool detailed = false) {
  const auto ground = [](int i) { return GroundPixel(i); };
  const auto house = [](int i) { return HousePixel(i); };
  TPictureCollectionItem& groundItem = list.Items.Add();
  groundItem.Picture = detailed ? PatternSheet(16, 20, ground, 120) : PatternSheet(10, 13, ground, 120);
  TPictureCollectionItem& houseItem = list.Items.Add();
  houseItem.Picture = PatternSheet(detailed ? 2 : 4, detailed ? 6 : 1, house, 1000);
  for (TPictureCollectionItem* item : {&groundItem, &houseItem}) {
    item->PatternWidth = 24;
    item->PatternHeight = 24;
    item->Transparent = true;
    item->SetTransparentColor(0x00FF00FF);
  }
}
