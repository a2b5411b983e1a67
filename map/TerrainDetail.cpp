#include "map/TerrainDetail.h"

#include "map/Mapa.h"
#include "map/MapaCodes.h"

namespace {

// The diagonal neighbours, each with its corner of the tile.
constexpr std::array<TNeighbourStep, 4> Diagonals = {
    {{-1, -1, CornerNW}, {1, -1, CornerNE}, {-1, 1, CornerSW}, {1, 1, CornerSE}}};

// Pattern of each picture in WeatheredImages on damp ground, by stored image; -1 for the others.
constexpr std::array<std::int16_t, 256> DampFeature = [] {
  std::array<std::int16_t, 256> table{};
  table.fill(-1);
  for (std::size_t k = 0; k < WeatheredImages.size(); ++k)
    table[WeatheredImages[k]] = static_cast<std::int16_t>(FirstDampFeature + k);
  return table;
}();

std::uint8_t KindAt(const TMapaRecord& record, int x, int y) {
  // Off the grid counts as water, as the joining counts it.
  return InGrid(x, y) ? record.tiles[x][y].kind : static_cast<std::uint8_t>(tkWater);
}

int WaterNeighbours(const TMapaRecord& record, int x, int y) {
  int mask = 0;
  for (const TNeighbourStep& s : Neighbours)
    if (IsWaterKind(KindAt(record, x + s.dx, y + s.dy))) mask |= s.bit;
  return mask;
}

// The neighbour mask a stored water image was joined for; -1 when it is not a water piece.
int MaskOfWaterImage(std::uint8_t image) {
  if (image == ImageOpenWaterShimmer) return OpenWaterMask;
  for (int mask = 0; mask < 16; ++mask)
    if (WaterJoinImage[static_cast<std::size_t>(mask)] == image) return mask;
  return -1;
}

// The water beneath a tile, its bank turned round every land corner.
int WaterPattern(const TMapaRecord& record, int x, int y, int mask, bool shimmer) {
  const int corners = LandCorners(record, x, y) & OpenCorners(mask);
  if (corners == 0) return shimmer ? ImageOpenWaterShimmer : WaterJoinImage[static_cast<std::size_t>(mask)];
  return BankCornerPattern(mask, corners, shimmer);
}

// Votes for the two ways a bridge or crossing may run: a neighbour that is
// only of the running feature's family along the way, or only of the crossed
// family beside it, is one vote. Neighbours of both families say nothing.
TRunDirection Vote(const TMapaRecord& record, int x, int y, bool (*runs)(std::uint8_t), bool (*crossed)(std::uint8_t)) {
  int westEast = 0, northSouth = 0;
  for (const TNeighbourStep& s : Neighbours) {
    const std::uint8_t kind = KindAt(record, x + s.dx, y + s.dy);
    const bool along = runs(kind) && !crossed(kind);
    const bool beside = crossed(kind) && !runs(kind);
    const bool horizontal = s.bit == MaskW || s.bit == MaskE;
    if (along) (horizontal ? westEast : northSouth) += 1;
    if (beside) (horizontal ? northSouth : westEast) += 1;
  }
  if (westEast == northSouth) return TRunDirection::Neither;
  return westEast > northSouth ? TRunDirection::WestEast : TRunDirection::NorthSouth;
}

bool IsRoad(std::uint8_t kind) { return InFamily(kind, TFamily::Road); }
bool IsDuct(std::uint8_t kind) { return InFamily(kind, TFamily::Duct); }
bool IsWater(std::uint8_t kind) { return IsWaterKind(kind); }

// Whether the road through a crossing is paved: more pavement than dirt along it.
bool PavedAlong(const TMapaRecord& record, int x, int y, TRunDirection road) {
  int paved = 0, dirt = 0;
  for (const TNeighbourStep& s : Neighbours) {
    const bool horizontal = s.bit == MaskW || s.bit == MaskE;
    if (horizontal != (road == TRunDirection::WestEast)) continue;
    const std::uint8_t kind = KindAt(record, x + s.dx, y + s.dy);
    paved += kind == tkPavement;
    dirt += kind == tkDirtRoad;
  }
  return paved > dirt;
}

}  // namespace

int LandCorners(const TMapaRecord& record, int x, int y) {
  int corners = 0;
  for (const TNeighbourStep& d : Diagonals)
    if (!IsWaterKind(KindAt(record, x + d.dx, y + d.dy))) corners |= d.bit;
  return corners;
}

TRunDirection BridgeDirection(const TMapaRecord& record, int x, int y) {
  return Vote(record, x, y, IsRoad, IsWater);
}

TRunDirection CrossingRoadDirection(const TMapaRecord& record, int x, int y) {
  return Vote(record, x, y, IsRoad, IsDuct);
}

TDetailedPicture DetailedPicture(const TMapaRecord& record, int x, int y, TGroundWetness ground) {
  const TTile& tile = record.tiles[x][y];
  const int level = static_cast<int>(ground);
  TDetailedPicture picture;
  picture.pattern = tile.image;
  switch (tile.kind) {
    case tkHouse:
      picture.house = true;
      if (tile.image < HouseLevelStep) picture.pattern = tile.image + HouseLevelStep * level;
      return picture;
    case tkWater: {
      const int mask = MaskOfWaterImage(tile.image);
      if (mask >= 0) picture.pattern = WaterPattern(record, x, y, mask, tile.image == ImageOpenWaterShimmer);
      return picture;
    }
    case tkBridge: {
      const TRunDirection way = BridgeDirection(record, x, y);
      if (tile.image != ImageBridge || way == TRunDirection::Neither) return picture;
      picture.pattern = WaterPattern(record, x, y, WaterNeighbours(record, x, y), false);
      picture.overlay = way == TRunDirection::WestEast ? BridgeDeckWestEast : BridgeDeckNorthSouth;
      return picture;
    }
    case tkCrossing: {
      const TRunDirection road = CrossingRoadDirection(record, x, y);
      if (tile.image != ImageBridge || road == TRunDirection::Neither) return picture;
      picture.pattern = FirstCrossing + 4 * level + (PavedAlong(record, x, y, road) ? 2 : 0) +
                        (road == TRunDirection::NorthSouth ? 1 : 0);
      return picture;
    }
    default:
      break;
  }
  const int damp = DampFeature[tile.image];
  if (damp >= 0 && level > 0) picture.pattern = damp + (level - 1) * (FirstSoakedFeature - FirstDampFeature);
  return picture;
}
