// Tile placement and joining: roads, fences, ducts, fittings, water, trees,
// scenery and the bulldozer. Every operation returns true when it changed the
// map and leaves the map untouched when it refuses.
#include <array>
#include <cstddef>
#include <optional>

#include "map/Mapa.h"
#include "map/MapaCodes.h"

namespace {

// Offset from a linear feature's base image, indexed by the mask of
// neighbours in its family. With no neighbour a placed piece stands as a
// north-south straight.
constexpr std::array<std::uint8_t, 16> LinearJoinOffset = {
    5,   // none
    5,   // N
    4,   // W
    3,   // N W: corner joining north and west
    4,   // E
    2,   // N E: corner joining north and east
    4,   // W E
    9,   // N W E: tee without south
    5,   // S
    5,   // N S
    1,   // W S: corner joining west and south
    7,   // N W S: tee without east
    0,   // E S: corner joining east and south
    6,   // N E S: tee without west
    10,  // W E S: tee without north
    8,   // N W E S: cross
};
static_assert(LinearJoinOffset.size() == 16);
static_assert([] {
  for (const auto offset : LinearJoinOffset)
    if (offset >= LinearPieces) return false;
  return true;
}(), "every piece lies within its feature's eleven");

struct TLinearFeature {
  std::uint8_t base;
  TTileKind kind;
  TFamily family;
};
// The four linear features, found by their base image.
constexpr std::array<TLinearFeature, 4> LinearFeatures = {{
    {BaseDirtRoad, tkDirtRoad, TFamily::Road},
    {BasePavement, tkPavement, TFamily::Road},
    {BaseFence, tkFence, TFamily::Fence},
    {BaseDuct, tkDuct, TFamily::Duct},
}};
static_assert(LinearFeatures.size() == 4);

std::optional<TLinearFeature> FeatureOfBase(std::uint8_t base) {
  for (const auto& feature : LinearFeatures) {
    if (feature.base == base) return feature;
  }
  return std::nullopt;
}

std::optional<TLinearFeature> FeatureOfKind(std::uint8_t kind) {
  for (const auto& feature : LinearFeatures) {
    if (feature.kind == kind) return feature;
  }
  return std::nullopt;
}

bool KindIsOneOf(std::uint8_t kind, std::initializer_list<TTileKind> kinds) {
  for (const auto k : kinds) {
    if (kind == k) return true;
  }
  return false;
}

// What a placed feature may stand on, and whether it then makes a crossing
// or bridge.
bool AcceptsGround(const TLinearFeature& feature, std::uint8_t kind, bool& crossing) {
  crossing = false;
  switch (feature.family) {
    case TFamily::Fence:
      return kind == tkEmpty;
    case TFamily::Duct:
      crossing = KindIsOneOf(kind, {tkDirtRoad, tkPavement});
      return kind == tkEmpty || crossing;
    case TFamily::Road:
      crossing = KindIsOneOf(kind, {tkDuct, tkWater});
      return kind == tkEmpty || crossing;
    case TFamily::Water:
      break;
  }
  return false;
}

}  // namespace

std::uint8_t TMapa::LinearMask(int x, int y, TFamily family) const {
  std::uint8_t mask = 0;
  for (const auto& n : Neighbours) {
    if (InGrid(x + n.dx, y + n.dy) && InFamily(Tile(x + n.dx, y + n.dy).kind, family)) {
      mask |= n.bit;
    }
  }
  return mask;
}

// A neighbour beyond the ring counts as water: the border reads as open sea.
std::uint8_t TMapa::WaterMask(int x, int y) const {
  std::uint8_t mask = 0;
  for (const auto& n : Neighbours) {
    if (!InGrid(x + n.dx, y + n.dy) || IsWaterKind(Tile(x + n.dx, y + n.dy).kind)) mask |= n.bit;
  }
  return mask;
}

void TMapa::JoinLinearNeighbours(int x, int y, std::uint8_t base) {
  for (const auto& n : RejoinOrder) {
    if (InGrid(x + n.dx, y + n.dy)) {
      PlaceLinear(static_cast<std::uint8_t>(x + n.dx), static_cast<std::uint8_t>(y + n.dy), base,
                  TPlaceMode::Join);
    }
  }
}

bool TMapa::PlaceLinear(std::uint8_t x, std::uint8_t y, std::uint8_t base, TPlaceMode mode) {
  // Row and column 96 are refused as well: a piece there would join the ring.
  if (!InPlayable(x, y) || x == MapSize - 2 || y == MapSize - 2) return false;
  const auto feature = FeatureOfBase(base);
  if (!feature) return false;
  TTile& tile = Tile(x, y);
  const bool wasDuct = tile.kind == tkDuct;
  bool crossing = false;

  if (mode == TPlaceMode::Place) {
    if (!AcceptsGround(*feature, tile.kind, crossing)) return false;
    tile.kind = feature->kind;
    tile.image = static_cast<std::uint8_t>(base + LinearJoinOffset[0]);
  } else {
    if (!InFamily(tile.kind, feature->family)) return false;
    // Fittings keep their piece; bridges and crossings keep image 129.
    if (KindIsOneOf(tile.kind, {tkGate, tkDuctS})) return false;
    if (KindIsOneOf(tile.kind, {tkBridge, tkCrossing})) return true;
    base = FeatureOfKind(tile.kind)->base;
  }

  const std::uint8_t mask = LinearMask(x, y, feature->family);
  if (mask != 0) tile.image = static_cast<std::uint8_t>(base + LinearJoinOffset[mask]);

  if (mode == TPlaceMode::Place) JoinLinearNeighbours(x, y, base);

  // The neighbours above saw the new feature's kind, so they joined to it.
  if (crossing) {
    tile.image = ImageBridge;
    tile.kind = (base == BaseDuct || wasDuct) ? tkCrossing : tkBridge;
  }
  return true;
}

bool TMapa::PlaceFitting(std::uint8_t x, std::uint8_t y, int fitting) {
  if (!InPlayable(x, y)) return false;
  TTile& tile = Tile(x, y);
  // The kind is checked with the image, so a loaded record whose bytes
  // disagree cannot turn some other tile into a fitting.
  if (fitting == FittingGate && tile.kind == tkFence) {
    if (tile.image == BaseFence + StraightWestEast) {
      tile = TTile{tile.spare, ImageGateWestEast, tkGate};
      return true;
    }
    if (tile.image == BaseFence + StraightNorthSouth) {
      tile = TTile{tile.spare, ImageGateNorthSouth, tkGate};
      return true;
    }
  }
  if (fitting == FittingDuct && tile.kind == tkDuct) {
    if (tile.image == BaseDuct + StraightWestEast || tile.image == ImageDuctWestEastAlt) {
      tile = TTile{tile.spare, ImageDuctSWestEast, tkDuctS};
      return true;
    }
    if (tile.image == BaseDuct + StraightNorthSouth || tile.image == ImageDuctNorthSouthAlt) {
      tile = TTile{tile.spare, ImageDuctSNorthSouth, tkDuctS};
      return true;
    }
  }
  return false;
}

bool TMapa::PlaceWater(int x, int y, TPlaceMode mode) {
  if (!InGrid(x, y)) return false;
  TTile& tile = Tile(x, y);
  bool wasBridge = false;
  if (mode == TPlaceMode::Place) {
    wasBridge = tile.kind == tkBridge;
    tile.kind = tkWater;
  } else {
    if (!IsWaterKind(tile.kind)) return false;
    // A bridge counts as water for its neighbours but keeps its own picture.
    if (tile.kind == tkBridge) return true;
  }
  tile.image = WaterJoinImage[WaterMask(x, y)];
  if (mode == TPlaceMode::Place && !wasBridge) {
    for (const auto& n : RejoinOrder) PlaceWater(x + n.dx, y + n.dy, TPlaceMode::Join);
  }
  return true;
}

bool TMapa::PlaceTree(std::uint8_t x, std::uint8_t y) {
  if (!InPlayable(x, y) || Tile(x, y).kind != tkEmpty) return false;
  Tile(x, y).kind = tkTree;
  Tile(x, y).image = static_cast<std::uint8_t>(ImageFirstTree + RandomInt(SceneryPictures));
  return true;
}

bool TMapa::PlaceScenery(std::uint8_t x, std::uint8_t y) {
  if (!InPlayable(x, y) || Tile(x, y).kind != tkEmpty) return false;
  Tile(x, y).kind = tkScenery;
  Tile(x, y).image = static_cast<std::uint8_t>(ImageFirstScenery + RandomInt(SceneryPictures));
  return true;
}

bool TMapa::Bulldoze(std::uint8_t x, std::uint8_t y) {
  if (!InPlayable(x, y)) return false;
  TTile& tile = Tile(x, y);
  const std::uint8_t old = tile.kind;
  if (KindIsOneOf(old, {tkEmpty, tkWater, tkHouse})) return false;
  tile.kind = tkEmpty;
  tile.image = ImageClearingFirst;
  switch (old) {
    case tkDirtRoad:
      JoinLinearNeighbours(x, y, BaseDirtRoad);
      break;
    case tkPavement:
      JoinLinearNeighbours(x, y, BasePavement);
      break;
    case tkFence:
    case tkGate:
      JoinLinearNeighbours(x, y, BaseFence);
      break;
    case tkDuct:
    case tkDuctS:
      JoinLinearNeighbours(x, y, BaseDuct);
      break;
    case tkCrossing:
      // A crossing belonged to a road and a duct: both lose a member here.
      JoinLinearNeighbours(x, y, BaseDirtRoad);
      JoinLinearNeighbours(x, y, BaseDuct);
      break;
    case tkBridge:
      // Back to water; the roads on the banks keep their pieces.
      tile.kind = tkBridge;
      PlaceWater(x, y, TPlaceMode::Place);
      break;
    default:
      break;  // trees, scenery and unknown kinds are simply cleared
  }
  return true;
}
