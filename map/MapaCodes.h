#pragma once
// Picture numbers and feature bases that the map's operations and the tools
// agree on. Tile images are pattern indices of the ground image.
#include <array>
#include <cstdint>

// Base images of the linear features: the first of each feature's eleven
// pieces (the character codes of '0', ';', 'F' and 'U').
constexpr std::uint8_t BaseDirtRoad = 48;
constexpr std::uint8_t BasePavement = 59;
constexpr std::uint8_t BaseFence = 70;
constexpr std::uint8_t BaseDuct = 85;

constexpr std::uint8_t ImageBareGround = 0;
constexpr std::uint8_t ImageOpenWater = 23;
constexpr std::uint8_t ImageFirstScenery = 40;
constexpr std::uint8_t ImageFirstTree = 44;
constexpr std::uint8_t ImageGateNorthSouth = 81;
constexpr std::uint8_t ImageGateWestEast = 83;
constexpr std::uint8_t ImageDuctWestEastAlt = 100;    // an older west-east duct piece
constexpr std::uint8_t ImageDuctNorthSouthAlt = 101;  // an older north-south duct piece
constexpr std::uint8_t ImageDuctSNorthSouth = 107;
constexpr std::uint8_t ImageDuctSWestEast = 109;
constexpr std::uint8_t ImageClearingFirst = 120;
constexpr std::uint8_t ImageBridge = 129;  // bridges and crossings alike

// The fittings PlaceFitting knows.
constexpr int FittingGate = 0;
constexpr int FittingDuct = 1;

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
