// Generation of a new ranch: the fenced homestead with its house, the water
// border with trees and scenery, and one river across the whole map. The
// order of the random draws is part of what a seed reproduces.
#include "map/Mapa.h"
#include "map/MapaCodes.h"

namespace {

constexpr int HomesteadSide = 23;  // tiles along each edge of the fenced square
constexpr int HomesteadStep = 8;   // the square's corner lies on a multiple of 8, plus 1

}  // namespace

void TMapa::Generate() {
  PlaceHomestead();
  PlaceBorderAndVegetation();
  PlaceRiver();
}

void TMapa::PlaceHomestead() {
  const int a = RandomInt(9);
  const int b = RandomInt(9);
  const int left = HomesteadStep * a + 1;
  const int top = HomesteadStep * b + 1;
  const int right = left + HomesteadSide - 1;
  const int bottom = top + HomesteadSide - 1;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      if (x == left || x == right || y == top || y == bottom) {
        PlaceLinear(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), BaseFence,
                    TPlaceMode::Place);
      }
    }
  }
  PlaceHouse(left + 1, top + 1, 0);
  record_.startX = static_cast<std::uint8_t>(left + 1);
  record_.startY = static_cast<std::uint8_t>(top + 1);
}

void TMapa::PlaceHouse(int x, int y, std::uint8_t firstImage) {
  if (!InGrid(x, y) || !InGrid(x + 1, y + 1)) return;
  Tile(x, y) = TTile{Tile(x, y).spare, firstImage, tkHouse};
  Tile(x + 1, y) = TTile{Tile(x + 1, y).spare, static_cast<std::uint8_t>(firstImage + 1), tkHouse};
  Tile(x, y + 1) = TTile{Tile(x, y + 1).spare, static_cast<std::uint8_t>(firstImage + 2), tkHouse};
  Tile(x + 1, y + 1) =
      TTile{Tile(x + 1, y + 1).spare, static_cast<std::uint8_t>(firstImage + 3), tkHouse};
}

void TMapa::PlaceBorderAndVegetation() {
  for (int x = 0; x < MapSize; ++x) {
    for (int y = 0; y < MapSize; ++y) {
      if (!InPlayable(x, y)) {
        Tile(x, y).image = ImageOpenWater;
        Tile(x, y).kind = tkWater;
        continue;
      }
      const int r = RandomInt(200);
      if (r < 11) {
        PlaceTree(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
      } else if (r <= 15) {
        PlaceScenery(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
      }
    }
  }
}

void TMapa::PlaceRiver() {
  const bool northSouth = RandomInt(2) == 1;
  int centre = RandomInt(93) + 3;
  int remaining = 0;
  int drift = 0;
  int width = 0;
  for (int s = 1; s <= MapSize - 2; ++s) {
    if (remaining == 0) {
      remaining = RandomInt(2) + 1;
      drift = RandomInt(3) - 1;
      width = RandomInt(3) + 2;
    }
    for (int k = 0; k < width; ++k) {
      // The centre drifts freely, so the cross coordinate may leave the
      // grid; PlaceWater skips such cells.
      const int cross = centre - width / 2 + k;
      if (northSouth) {
        PlaceWater(cross, s, TPlaceMode::Place);
      } else {
        PlaceWater(s, cross, TPlaceMode::Place);
      }
    }
    --remaining;
    centre += drift;
  }
}
