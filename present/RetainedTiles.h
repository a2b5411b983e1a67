#pragma once
// Drawing a grid of tiles that leaves alone the squares already showing what
// they would get. The surface keeps, beside its pixels, the picture layers
// each square of the grid was last drawn with; a square is drawn again when
// its layers change, when the grid changes (tile size or extent), when the
// pictures are cut again, or when anything else has drawn over it.
// Drawing layers twice over a square leaves it as drawing them once does, and
// a square drawn again gets its layers over what it shows, exactly as
// drawing every square every frame would: the pixels come out the same.
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
  class TMemo;
  TDirectDrawSurface& surface_;
  TMemo& memo_;
  int size_;
  bool skip_;
};
