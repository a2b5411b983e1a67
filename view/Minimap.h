#pragma once
// The minimap's picture: one colour per playable tile, kept in a plain pixel
// buffer and brought up to date cell by cell from the map's record, plus the
// arithmetic between the minimap and the map view (the outline of what the
// view shows, the scroll position that centres the view on a tile). No window
// toolkit here; the overview window paints the buffer.
#include <array>
#include <cstdint>

#include "map/GroundWetness.h"
#include "map/Mapa.h"

// The minimap colour (0xFFRRGGBB) of a tile on ground as wet as `ground`; a
// kind no tile can have gets MinimapUnknownColor.
std::uint32_t MinimapColor(const TTile& tile, TGroundWetness ground);
inline constexpr std::uint32_t MinimapUnknownColor = 0xFF000000u;

// A rectangle in minimap pixels; right and bottom exclusive.
struct TMinimapArea {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr bool Empty() const { return Left >= Right || Top >= Bottom; }
  friend constexpr bool operator==(const TMinimapArea&, const TMinimapArea&) = default;
};

class TMinimap {
 public:
  static constexpr int Side = MapSize - 2;  // the playable tiles 1..96

  // Every cell starts black, so the first Refresh paints them all.
  TMinimap();

  // Brings every cell in line with the record and returns the bounding box
  // of the cells that changed, in cells (empty when none did). Animation
  // frames of water and clearings keep their colour, so they cost nothing.
  TMinimapArea Refresh(const TMapaRecord& record);

  // Row-major Side x Side pixels; cell (0, 0) is tile (1, 1).
  const std::uint32_t* Pixels() const { return pixels_.data(); }
  // The colour of tile (x, y), 1..96.
  std::uint32_t Pixel(int x, int y) const;

 private:
  std::array<std::uint32_t, Side * Side> pixels_;
};

// What the map view shows: its scroll origin in tiles, its tile size and its
// surface in pixels.
struct TViewport {
  int ViewX = 0, ViewY = 0;
  int TileSize = 0;
  int Width = 0, Height = 0;
};

// The part of the map the view shows, in minimap pixels at `cell` pixels a
// tile, cut to the map. A partly shown column or row counts in proportion.
TMinimapArea MinimapViewArea(const TViewport& view, int cell);
