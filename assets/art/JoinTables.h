#pragma once
// Which ground pattern the map shows for which neighbours, and which edges of
// each linear piece actually carry the road, fence or duct. The art must
// follow the same tables the map uses, or pieces would not line up.
#include <array>
#include <cstdint>

namespace art {

// Neighbour mask bits, in the map's neighbour order.
constexpr int North = 1, West = 2, East = 4, South = 8;

// Indexed by the mask of neighbours in the family: offset from the feature's base image.
constexpr std::array<int, 16> LinearOffset = {5, 5, 4, 3, 4, 2, 4, 9, 5, 5, 1, 7, 0, 6, 10, 8};
static_assert(LinearOffset.size() == 16);

// Indexed by the offset of a linear piece: the edges its picture connects.
constexpr std::array<int, 11> PieceArms = {
    East | South, West | South, North | East, North | West, West | East, North | South,
    North | East | South, North | West | South, North | West | East | South,
    North | West | East, West | East | South};
static_assert(PieceArms.size() == 11);

// Indexed by the mask of water neighbours: the water image.
constexpr std::array<int, 16> WaterImage = {39, 26, 28, 36, 27, 35, 32, 38, 25, 31, 34, 30, 33, 29, 37, 23};
static_assert(WaterImage.size() == 16);

// First image of each linear feature.
constexpr int DirtRoadBase = 48, PavementBase = 59, FenceBase = 70, DuctBase = 85;
constexpr int GateWestEast = 83, GateNorthSouth = 81;
constexpr int DuctFittingWestEast = 109, DuctFittingNorthSouth = 107;
constexpr int DuctWestEastAlt = 100, DuctNorthSouthAlt = 101;
constexpr int OpenWater = 23, OpenWaterShimmer = 24;
constexpr int FirstScenery = 40, FirstTree = 44;
constexpr int FirstClearing = 121, LastClearing = 128;
constexpr int BridgeCrossing = 129;
constexpr int GroundDry = 0, GroundWet = 5, GroundVeryWet = 10;

// The ground image's layout: 24-pixel patterns numbered row by row. The
// first nine rows hold what the map names; the rows below hold the detailed
// terrain's pictures, then the ranch economy's, so no number the map stores
// moves.
constexpr int TilePixels = 24;
constexpr int ChaoColumns = 16, ChaoRows = 23;
constexpr int ChaoPatterns = ChaoColumns * ChaoRows;

// Where each feature crosses a tile edge, as a pixel range [first, last) along that edge.
struct TSpan {
  int first;
  int last;
};
constexpr TSpan RoadSpan = {6, 18};
constexpr TSpan FenceSpan = {11, 13};
constexpr TSpan DuctSpan = {8, 16};
constexpr int BankWidth = 5;
constexpr TSpan WaterSpan = {BankWidth, TilePixels - BankWidth};

}  // namespace art
