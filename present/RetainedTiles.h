#pragma once
// Drawing a grid of tiles that leaves alone the squares already showing what
// they would get. The surface keeps, beside its pixels, the picture layers
// each square of the grid was last drawn with; a square is drawn again when
// its layers change, when the grid changes (tile size or extent), when the
// pictures are cut again, or when anything else has drawn over it.
// Drawing layers twice over a square leaves it as drawing them once does, and
// a square drawn again gets its layers over what it shows, exactly as
// drawing every square every frame would: the pixels come out the same.
#include <array>
#include <cstdint>
#include <vector>

#include "present/DXImageList.h"

// One picture layer of a tile: pattern Pattern of Item, scaled into the
// tile's square.
struct TTileLayer {
  TPictureCollectionItem* Item;
  int Pattern;
};

// One frame of a grid of columns x rows squares of size pixels, square
// (0, 0) at the surface's top-left.
class TTileFrame {
 public:
  TTileFrame(TDirectDrawSurface& surface, int size, int columns, int rows);
  ~TTileFrame();
  TTileFrame(const TTileFrame&) = delete;
  TTileFrame& operator=(const TTileFrame&) = delete;

  static constexpr int MaxLayers = 4;
  // Draws the layers, bottom first, into square (column, row) unless it
  // already shows exactly them. More than MaxLayers are always drawn.
  void Draw(int column, int row, const TTileLayer* layers, int count);

 private:
  friend class TTileOverlay;
  class TMemo;
  TDirectDrawSurface& surface_;
  TMemo& memo_;
  int size_;
  bool skip_;
};

// Pictures laid over the squares of the tile frame just drawn, such as
// figures standing on the tiles. Each square remembers a key of what lies
// over its layers (0: nothing): a frame that brings every square the key it
// already shows draws nothing at all, and a square whose key changed gets
// its layers again before the new pictures go over it, in the same frame.
// What is drawn between Begin calls counts as the memo's own drawing, so it
// does not make the next tile frame draw those squares again.
class TTileOverlay {
 public:
  // The grid must be the one of the tile frame drawn last on the surface;
  // on another, every square is drawn over and left for the next tile frame
  // to draw afresh.
  TTileOverlay(TDirectDrawSurface& surface, int size, int columns, int rows);
  ~TTileOverlay();
  TTileOverlay(const TTileOverlay&) = delete;
  TTileOverlay& operator=(const TTileOverlay&) = delete;

  // Call for every square that shows or showed something over its layers.
  // True when the caller must now draw what `key` stands for over square
  // (column, row): the square then shows its layers alone.
  bool Begin(int column, int row, std::uint64_t key);
  // The squares (column, row) the tile frame drew afresh, bare of what lay
  // over them; null when the grid is not that frame's. When nothing that
  // goes over the squares changed, these are the only ones to visit.
  const std::vector<std::array<int, 2>>* Laid() const;

 private:
  TDirectDrawSurface& surface_;
  TTileFrame::TMemo* memo_;  // null when the grid is not the last tile frame's
  int size_;
  bool skip_;
};
