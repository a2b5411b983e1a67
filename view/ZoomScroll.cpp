#include "view/ZoomScroll.h"

#include <algorithm>
#include <cmath>

#include "map/Mapa.h"
#include "shell/defines.h"

namespace {
// Tile pixels at each step as a share of the base size, indexed by step.
constexpr double ZoomScale[LastZoom + 1] = {0, 0.5, 1 / 1.5, 1, 1.5, 2};
static_assert(sizeof(ZoomScale) / sizeof(ZoomScale[0]) == sizeof(ZoomSizes) / sizeof(ZoomSizes[0]));
// The house stands in this column and row of the view at the start.
constexpr int StartPlace = 3;
}  // namespace

void BuildZoomTable() {
  TileSize = BaseTileSize;
  for (int step = FirstZoom; step <= LastZoom; ++step)
    ZoomSizes[step] = static_cast<unsigned char>(std::lround(BaseTileSize * ZoomScale[step]));
  ZoomIndex = StartZoom;
}

bool ZoomStepValid() { return ZoomIndex >= FirstZoom && ZoomIndex <= LastZoom; }

void StepZoom(int steps) {
  if (!ZoomStepValid()) return;
  ZoomIndex = static_cast<unsigned char>(std::clamp(ZoomIndex + steps, FirstZoom, LastZoom));
}

int ScrollKeeping(int tile, int pixel, int tileSize) {
  if (tileSize <= 0) return 0;
  return tile - 1 - pixel / tileSize;
}

int CentredScroll(int tile, int viewPixels, int tileSize) {
  if (tileSize <= 0) return 0;
  // The tile's middle lies (tile - 1/2) tiles in; the view's middle half the
  // view further on. Rounded to the nearest whole tile.
  const long long twice = (2LL * tile - 1) * tileSize - viewPixels;
  const long long divisor = 2LL * tileSize;
  const long long rounded = twice >= 0 ? (twice + tileSize) / divisor : -((-twice + tileSize) / divisor);
  return static_cast<int>(std::clamp<long long>(rounded, -MapSize, MapSize));
}

int StartScroll(int start) { return start > StartPlace ? start - StartPlace : 0; }
