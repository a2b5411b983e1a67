// Drawing of the visible part of the map, once per frame. Kept apart from the
// rest of the map so that the map logic links without the drawing layer.
#include <algorithm>

#include "map/GroundWetness.h"
#include "map/Mapa.h"
#include "map/MapaCodes.h"
#include "map/TerrainDetail.h"
#include "present/DXImageList.h"
#include "present/RetainedTiles.h"
#include "shell/defines.h"

namespace {
constexpr int LastTile = 96;
constexpr int GroundItem = 0;  // IMGChao item of every tile but the house
constexpr int HouseItem = 1;

// Whether a tile shows more than the day's bare ground (and the clearing dust).
bool ShowsFeature(const TTile& tile) {
  if (tile.kind == tkHouse) return true;
  return tile.image != ImageBareGround && !IsClearingImage(tile.image);
}

// The detailed terrain's picture of a tile: its pattern, then what lies over
// it. Returns the number of layers.
int DetailedLayers(const TDetailedPicture& picture, TPictureCollectionItem* groundImage,
                   TPictureCollectionItem* houseImage, TTileLayer* layers) {
  layers[0] = {picture.house ? houseImage : groundImage, picture.pattern};
  if (picture.overlay < 0) return 1;
  layers[1] = {groundImage, picture.overlay};
  return 2;
}

// Keeps a scroll bar inside the map: `limit` is the last position at which
// the map still fills the view.
void LimitScrollBar(IScrollBar& bar, int limit) {
  if (limit < bar.Position()) bar.SetPosition(limit - 1);
  bar.SetMax(limit < 1 ? 1 : limit);
}
}  // namespace

// Only whole tiles count, so that the last column and row can be brought
// fully into view, not just their partly visible first pixels; a view
// narrower than a tile still shows column 96 at the end.
int ScrollLimit(int pixels, int tileSize) {
  return tileSize <= 0 ? LastTile : LastTile - std::max(pixels / tileSize, 1);
}

void TMapa::Draw(TDirectDrawSurface& surface, int width, int height, int viewX, int viewY,
                 TDXImageList& images, IScrollBar& horizontal, IScrollBar& vertical) {
  const int size = TileSize;
  if (size <= 0) return;
  const int columns = width / size + 1;
  const int rows = height / size + 1;
  if (columns < 1 || rows < 1) return;
  if (viewX < 0) viewX = 0;
  if (viewY < 0) viewY = 0;

  LimitScrollBar(horizontal, ScrollLimit(width, size));
  LimitScrollBar(vertical, ScrollLimit(height, size));

  bool waterFrame = false;
  if (++frameCounter > 7) {
    frameCounter = 0;
    waterFrame = true;
  }
  const TGroundWetness wetness = GroundWetnessOf(record_);
  const int ground = GroundImage(wetness);

  TPictureCollection& items = images.Items;
  if (items.Count() <= HouseItem) return;
  TPictureCollectionItem* groundImage = &items.Items(GroundItem);
  TPictureCollectionItem* houseImage = &items.Items(HouseItem);

  // Squares that already show their tile are left as they are.
  TTileFrame frame(surface, size, columns, rows);
  for (int i = 1; i <= rows; ++i) {
    const int y = viewY + i;
    if (y > LastTile) break;
    for (int j = 1; j <= columns; ++j) {
      const int x = viewX + j;
      if (x > LastTile) break;
      TTile& tile = record_.tiles[x][y];

      if (waterFrame && tile.kind == tkWater && IsOpenWaterImage(tile.image))
        tile.image = OtherWaterFrame(tile.image);

      TTileLayer layers[2];
      int count = 1;
      if (DetailedTerrain && ShowsFeature(tile)) {
        count = DetailedLayers(DetailedPicture(record_, x, y, wetness), groundImage, houseImage, layers);
      } else if (tile.kind == tkHouse) {
        layers[0] = {houseImage, tile.image};
      } else if (tile.image == ImageBareGround) {
        layers[0] = {groundImage, ground};
      } else if (IsClearingImage(tile.image)) {
        tile.image = tile.image == ImageClearingLast ? ImageBareGround : tile.image + 1;
        layers[0] = {groundImage, ground};
        layers[1] = {groundImage, tile.image};
        count = 2;
      } else {
        layers[0] = {groundImage, tile.image};
      }
      frame.Draw(j - 1, i - 1, layers, count);
    }
  }
}
