// Drawing of the visible part of the map, once per frame. Kept apart from the
// rest of the map so that the map logic links without the drawing layer.
#include <algorithm>

#include "map/Mapa.h"
#include "map/TerrainDetail.h"
#include "present/DXImageList.h"
#include "shell/defines.h"

namespace {
constexpr int LastTile = 96;
constexpr int GroundItem = 0;  // IMGChao item of every tile but the house
constexpr int HouseItem = 1;
constexpr std::uint8_t WaterFrameA = 23;
constexpr std::uint8_t WaterFrameB = 24;
constexpr std::uint8_t ClearingFirst = 120;
constexpr std::uint8_t ClearingLast = 128;

bool IsRainy(std::uint8_t weather) { return weather == wtRain || weather == wtHeavyRain; }

int GroundPattern(const TMapaRecord& record) {
  if (!IsRainy(record.weather)) return 0;
  return IsRainy(record.weatherYesterday) ? 10 : 5;
}

// Whether a tile shows more than the day's bare ground (and the clearing dust).
bool ShowsFeature(const TTile& tile) {
  if (tile.kind == tkHouse) return true;
  return tile.image != 0 && (tile.image < ClearingFirst || tile.image > ClearingLast);
}

// The detailed terrain's picture of a tile: its pattern, then what lies over it.
void DrawDetailed(const TDetailedPicture& picture, TDirectDrawSurface& surface, const TRect& square,
                  TPictureCollectionItem& groundImage, TPictureCollectionItem& houseImage) {
  (picture.house ? houseImage : groundImage).DrawScaled(surface, square, picture.pattern);
  if (picture.overlay >= 0) groundImage.DrawScaled(surface, square, picture.overlay);
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
  const int ground = GroundPattern(record_);

  TPictureCollection& items = images.Items;
  if (items.Count() <= HouseItem) return;
  TPictureCollectionItem& groundImage = items.Items(GroundItem);
  TPictureCollectionItem& houseImage = items.Items(HouseItem);

  for (int i = 1; i <= rows; ++i) {
    const int y = viewY + i;
    if (y > LastTile) break;
    const int top = (i - 1) * size;
    for (int j = 1; j <= columns; ++j) {
      const int x = viewX + j;
      if (x > LastTile) break;
      const int left = (j - 1) * size;
      const TRect square{left, top, left + size, top + size};
      TTile& tile = record_.tiles[x][y];

      if (waterFrame && tile.kind == tkWater) {
        if (tile.image == WaterFrameA) tile.image = WaterFrameB;
        else if (tile.image == WaterFrameB) tile.image = WaterFrameA;
      }

      if (DetailedTerrain && ShowsFeature(tile)) {
        DrawDetailed(DetailedPicture(record_, x, y, ground), surface, square, groundImage, houseImage);
      } else if (tile.kind == tkHouse) {
        houseImage.DrawScaled(surface, square, tile.image);
      } else if (tile.image == 0) {
        groundImage.DrawScaled(surface, square, ground);
      } else if (tile.image >= ClearingFirst && tile.image <= ClearingLast) {
        groundImage.DrawScaled(surface, square, ground);
        tile.image = tile.image == ClearingLast ? 0 : tile.image + 1;
        groundImage.DrawScaled(surface, square, tile.image);
      } else {
        groundImage.DrawScaled(surface, square, tile.image);
      }
    }
  }
}
