#pragma once
// Detailed terrain: pictures that stand in on screen for a tile's stored
// image when the player asks for them. Feature pictures on the day's wet
// ground, bridges and crossings drawn in their direction, and water whose
// bank turns round a corner where only the diagonal neighbour is land. The
// stored images and the joining never change; these patterns of the ground
// image are numbered after every pattern a saved map can name, and the art
// programs paint them from the same numbers. No toolkit header here.
#include <array>
#include <cstdint>

#include "map/GroundWetness.h"
#include "map/MapaCodes.h"

// Feature pictures that get a version on damp and on soaked ground, in the
// order of those versions: scenery, trees, dirt road, pavement, fence, gates,
// duct, the older duct straights and the duct fittings.
constexpr std::array<std::uint8_t, 58> WeatheredImages = {
    40, 41, 42, 43, 44, 45, 46, 47,                      // scenery, trees
    48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58,          // dirt road
    59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69,          // pavement
    70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 83,  // fence and gates
    85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95,          // duct
    100, 101, 107, 109,                                  // older straights, fittings
};
static_assert(WeatheredImages.size() == 58);
static_assert(WeatheredImages[0] == ImageFirstScenery && WeatheredImages[8] == BaseDirtRoad &&
              WeatheredImages[19] == BasePavement && WeatheredImages[30] == BaseFence &&
              WeatheredImages[41] == ImageGateNorthSouth && WeatheredImages[42] == ImageGateWestEast &&
              WeatheredImages[43] == BaseDuct && WeatheredImages[54] == ImageDuctWestEastAlt &&
              WeatheredImages[55] == ImageDuctNorthSouthAlt && WeatheredImages[56] == ImageDuctSNorthSouth &&
              WeatheredImages[57] == ImageDuctSWestEast,
              "the blocks follow the map's own picture numbers");
static_assert([] {
  for (std::size_t k = 1; k < WeatheredImages.size(); ++k)
    if (WeatheredImages[k] <= WeatheredImages[k - 1]) return false;
  return WeatheredImages[0] != 0;
}(), "every entry is a picture, each listed once in order");

// First pattern of each block of the ground image's detailed pictures.
constexpr int FirstDampFeature = 144;    // WeatheredImages[k] on damp ground is 144 + k
constexpr int FirstSoakedFeature = 202;  // and on soaked ground 202 + k
// A road over a duct: 260 + 4 * level + 2 * (paved) + (road runs north-south).
constexpr int FirstCrossing = 260;
// A bridge's deck, see-through beside it, drawn over the water beneath.
constexpr int BridgeDeckWestEast = 272;
constexpr int BridgeDeckNorthSouth = 273;
// Water pieces with bank corners: 31 still ones, then open water's second
// frame with each of its 15 corner sets.
constexpr int FirstBankCorner = 274;
constexpr int BankCornerPieces = 31;
constexpr int FirstShimmerCorner = FirstBankCorner + BankCornerPieces;
constexpr int DetailPatternEnd = FirstShimmerCorner + 15;
static_assert(FirstSoakedFeature == FirstDampFeature + static_cast<int>(WeatheredImages.size()));
static_assert(FirstCrossing == FirstSoakedFeature + static_cast<int>(WeatheredImages.size()));
static_assert(BridgeDeckWestEast == FirstCrossing + 12 && FirstBankCorner == BridgeDeckNorthSouth + 1);
// The houses image: the house on damp ground 4 patterns on, on soaked 8.
constexpr int HouseLevelStep = HousePieces;

// Corners of a tile, for the bank corners.
constexpr int CornerNW = 1, CornerNE = 2, CornerSW = 4, CornerSE = 8;

// Corners at which a water piece of this neighbour mask has open water
// reaching the tile's corner, so that a land tile diagonally beyond needs the
// bank turned round it.
constexpr int OpenCorners(int mask) {
  const auto both = [mask](int a, int b) { return (mask & (a | b)) == (a | b); };
  return (both(MaskN, MaskW) ? CornerNW : 0) | (both(MaskN, MaskE) ? CornerNE : 0) |
         (both(MaskW, MaskS) ? CornerSW : 0) | (both(MaskE, MaskS) ? CornerSE : 0);
}

// Offset of a bank-corner piece within its block, by mask * 16 + corners;
// -1 where the mask has no open water at one of the corners. Masks and then
// corner sets in increasing order.
constexpr std::array<std::int8_t, 256> BankCornerOffset = [] {
  std::array<std::int8_t, 256> table{};
  int next = 0;
  for (int mask = 0; mask < 16; ++mask)
    for (int corners = 0; corners < 16; ++corners) {
      const bool fits = corners != 0 && (corners & ~OpenCorners(mask)) == 0;
      table[static_cast<std::size_t>(mask * 16 + corners)] = static_cast<std::int8_t>(fits ? next++ : -1);
    }
  return table;
}();
static_assert(BankCornerOffset[15 * 16 + 15] == BankCornerPieces - 1);
// Open water's mask: every neighbour is water.
constexpr int OpenWaterMask = MaskN | MaskW | MaskE | MaskS;

// The pattern of a water piece of this mask with its banks turned round
// these corners; `shimmer` picks open water's second frame.
constexpr int BankCornerPattern(int mask, int corners, bool shimmer) {
  const int offset = BankCornerOffset[static_cast<std::size_t>((mask & 15) * 16 + (corners & 15))];
  if (offset < 0) return -1;
  if (shimmer && mask == OpenWaterMask) return FirstShimmerCorner + corners - 1;
  return FirstBankCorner + offset;
}

// What the detailed terrain draws for a tile: a pattern of the ground image
// (or of the houses image), and a see-through pattern over it, if any.
struct TDetailedPicture {
  int pattern = 0;
  int overlay = -1;
  bool house = false;
};

// The picture for tile (x, y), 1..96 each, on a day whose bare ground is as
// wet as `ground`. Bare and clearing tiles are the frame's own business and
// come back as their stored image.
TDetailedPicture DetailedPicture(const TMapaRecord& record, int x, int y, TGroundWetness ground);

// Which way a bridge or crossing runs, read from its neighbours; Neither when
// they leave it open, and the neutral picture is drawn.
enum class TRunDirection : std::uint8_t { Neither, WestEast, NorthSouth };
TRunDirection BridgeDirection(const TMapaRecord& record, int x, int y);
TRunDirection CrossingRoadDirection(const TMapaRecord& record, int x, int y);
// The corners of tile (x, y) whose diagonal neighbour is not water.
int LandCorners(const TMapaRecord& record, int x, int y);
