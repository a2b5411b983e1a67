#pragma once
// The ranch economy on the map: water and feed troughs and planted grass
// from the economy's layer, and each herd as cattle figures in its pasture,
// drawn over the tiles the map has just drawn and before the frame-rate
// figure and the cursor marker. The figures' places follow from the pasture,
// the head and the day alone; what is kept here only spares working them
// out again every frame. Squares keep what was laid over them, so a frame in
// which nothing changed draws nothing.
#include <cstdint>
#include <vector>

#include "economy/Economy.h"
#include "map/GroundWetness.h"
#include "map/Mapa.h"
#include "present/DXImageList.h"
#include "present/RetainedTiles.h"

// A number that changes once per game day, from the record's calendar.
int RanchDay(const TMapaRecord& record);

class TRanchFigures {
 public:
  // Draws on `back` after TMapa::Draw drew the tiles with the same width,
  // height, view origin and tile size, from `images` (IMGChao: the ranch's
  // pictures are patterns of its ground image). With no economy nothing is
  // drawn, and squares that showed troughs or cattle get their tiles back.
  void Draw(TDirectDrawSurface& back, const TEconomy* eco, const TMapa& map, TDXImageList& images, int width,
            int height, int viewX, int viewY, int tileSize, int day);

 private:
  struct THerdKey {
    std::uint16_t id;
    std::uint32_t tiles;
    std::uint32_t head;
    friend bool operator==(const THerdKey&, const THerdKey&) = default;
  };
  // What the squares' keys were worked out from; while it stays the same,
  // only squares the map drew afresh need theirs again.
  struct TShown {
    bool economy = false;
    int day = 0, viewX = 0, viewY = 0, tileSize = 0, width = 0, height = 0;
    TGroundWetness wetness = TGroundWetness::Dry;
    friend bool operator==(const TShown&, const TShown&) = default;
  };
  // Works out how many figures stand on each tile, when the herds or the
  // day changed; true when it did.
  bool Spread(const TEconomy& eco, const TMapa& map, int day);
  // Screen square (column, row), tile (x, y): what lies over it, drawn
  // when it changed or the square was drawn afresh; true when something does.
  bool DrawSquare(TTileOverlay& overlay, TDirectDrawSurface& back, TPictureCollectionItem& ground,
                  const TEconomy* eco, const TMapaRecord& record, int column, int row, int x, int y) const;

  std::vector<THerdKey> herds_;                 // what the spread was worked out for
  int day_ = 0;
  bool spread_ = false;
  std::vector<std::uint8_t> figures_;           // per tile in column order
  std::vector<std::vector<std::array<int, 2>>> pastureTiles_;  // working lists, kept for their memory
  bool overlaid_ = false;                       // something was drawn over the tiles
  TShown shown_;
  bool drawn_ = false;                          // shown_ holds a frame's
  TLayer layer_{};                              // the economy's layer as last drawn
};
