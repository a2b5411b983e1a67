#pragma once
// The one vocabulary of the map's pictures: every pattern of the ground image
// the code names, the feature bases, and the neighbours' steps and join-mask
// bits that the operations, drawing, detailed terrain, the minimap, undo and
// the tools agree on. Tile images are pattern indices of the ground image.
#include <array>
#include <cstdint>

// Base images of the linear features: the first of each feature's eleven
// pieces (the character codes of '0', ';', 'F' and 'U').
constexpr std::uint8_t BaseDirtRoad = 48;
constexpr std::uint8_t BasePavement = 59;
constexpr std::uint8_t BaseFence = 70;
constexpr std::uint8_t BaseDuct = 85;
constexpr int LinearPieces = 11;  // base + 0 .. base + 10
// The straight pieces, the only ones that take a fitting.
constexpr int StraightWestEast = 4;
constexpr int StraightNorthSouth = 5;

// A stored 0 is bare ground, which is drawn as the day's ground pattern.
constexpr std::uint8_t ImageBareGround = 0;
// The day's bare ground: dry, damp (a rainy day) and soaked (the second
// rainy day running); see GroundWetness.h.
constexpr std::uint8_t ImageGroundDry = 0;
constexpr std::uint8_t ImageGroundDamp = 5;
constexpr std::uint8_t ImageGroundSoaked = 10;
// Open water flickers between two frames; only drawing swaps them.
constexpr std::uint8_t ImageOpenWater = 23;
constexpr std::uint8_t ImageOpenWaterShimmer = 24;  // open water's second frame
constexpr std::uint8_t ImageWaterLast = 39;         // a pond, the last water piece
constexpr std::uint8_t ImageFirstScenery = 40;
constexpr std::uint8_t ImageFirstTree = 44;
constexpr int SceneryPictures = 4;  // scenery 40..43, trees 44..47
constexpr std::uint8_t ImageGateNorthSouth = 81;
constexpr std::uint8_t ImageGateWestEast = 83;
constexpr std::uint8_t ImageDuctWestEastAlt = 100;    // an older west-east duct piece
constexpr std::uint8_t ImageDuctNorthSouthAlt = 101;  // an older north-south duct piece
constexpr std::uint8_t ImageDuctSNorthSouth = 107;
constexpr std::uint8_t ImageDuctSWestEast = 109;
// A bulldozed tile shows dust from 120 to 128 over the day's ground, one
// frame a drawing, and is bare ground after.
constexpr std::uint8_t ImageClearingFirst = 120;
constexpr std::uint8_t ImageClearingLast = 128;
constexpr std::uint8_t ImageBridge = 129;  // bridges and crossings alike
// The houses image (not the ground image): the house's four quarters,
// top-left, top-right, bottom-left, bottom-right.
constexpr int HousePieces = 4;

static_assert(ImageGroundDry == ImageBareGround);
static_assert(ImageOpenWaterShimmer == ImageOpenWater + 1);

constexpr bool IsOpenWaterImage(std::uint8_t image) {
  return image == ImageOpenWater || image == ImageOpenWaterShimmer;
}
// The other frame of open water.
constexpr std::uint8_t OtherWaterFrame(std::uint8_t image) {
  return image == ImageOpenWater ? ImageOpenWaterShimmer : ImageOpenWater;
}
constexpr bool IsClearingImage(std::uint8_t image) {
  return image >= ImageClearingFirst && image <= ImageClearingLast;
}

// The fittings PlaceFitting knows.
constexpr int FittingGate = 0;
constexpr int FittingDuct = 1;

// Bits of a neighbour mask: which of the four neighbours belong to a family.
constexpr std::uint8_t MaskN = 1;
constexpr std::uint8_t MaskW = 2;
constexpr std::uint8_t MaskE = 4;
constexpr std::uint8_t MaskS = 8;

struct TNeighbourStep {
  int dx;
  int dy;
  std::uint8_t bit;
};
// The four neighbours in the map's order, north, west, east, south, each
// with its bit in a neighbour mask.
constexpr std::array<TNeighbourStep, 4> Neighbours = {{
    {0, -1, MaskN},
    {-1, 0, MaskW},
    {1, 0, MaskE},
    {0, 1, MaskS},
}};
static_assert(Neighbours.size() == 4);
// The order in which a changed tile re-joins its neighbours: west, east,
// north, south.
constexpr std::array<TNeighbourStep, 4> RejoinOrder = {Neighbours[1], Neighbours[2], Neighbours[0],
                                                       Neighbours[3]};
static_assert(RejoinOrder.size() == 4);

// Water image, indexed by the mask of neighbours in the water family.
constexpr std::array<std::uint8_t, 16> WaterJoinImage = {
    39,  // none: a pond
    26,  // N
    28,  // W
    36,  // N W
    27,  // E
    35,  // N E
    32,  // W E
    38,  // N W E
    25,  // S
    31,  // N S
    34,  // W S
    30,  // N W S
    33,  // E S
    29,  // N E S
    37,  // W E S
    23,  // N W E S: open water
};
static_assert(WaterJoinImage.size() == 16);
static_assert(WaterJoinImage[MaskN | MaskW | MaskE | MaskS] == ImageOpenWater);
static_assert(WaterJoinImage[0] == ImageWaterLast);
