// Finding the pastures: three flood fills over the grid (road networks, duct
// networks, walkable areas), each visiting a tile at most once.
#include "economy/Pastures.h"

#include <algorithm>

#include "economy/EcoRules.h"

namespace {

// Steps to the four neighbours in column order: north, south, west, east.
constexpr std::array<int, 4> NeighbourStep = {-1, 1, -MapSize, MapSize};

constexpr std::uint8_t RoadEdge = 1;
constexpr std::uint8_t RoadDirt = 2;

constexpr std::uint16_t KindBit(TTileKind kind) { return static_cast<std::uint16_t>(1U << kind); }
constexpr std::uint16_t WalkableKinds = KindBit(tkEmpty) | KindBit(tkTree) | KindBit(tkScenery);
// The map's road and duct families, as masks the fills test inline.
constexpr std::uint16_t RoadKinds = KindBit(tkDirtRoad) | KindBit(tkPavement) | KindBit(tkBridge) | KindBit(tkCrossing);
constexpr std::uint16_t DuctKinds = KindBit(tkDuct) | KindBit(tkDuctS) | KindBit(tkCrossing);

constexpr bool KindIn(std::uint8_t kind, std::uint16_t kinds) { return kind <= tkHouse && ((kinds >> kind) & 1U) != 0; }
bool Walkable(std::uint8_t kind) { return KindIn(kind, WalkableKinds); }

// What a tile's place on the grid means, a bit each, so that the fills never
// divide a tile index back into its coordinates.
constexpr std::uint8_t PlacePlayable = 1;
constexpr std::uint8_t PlaceBorder = 2;    // rows and columns 1 and 96
constexpr std::uint8_t PlaceRoadEdge = 4;  // the first and last rows and columns roads take

constexpr std::array<std::uint8_t, TileCount> MakePlaces() {
  std::array<std::uint8_t, TileCount> places{};
  for (int x = 0; x < MapSize; ++x) {
    for (int y = 0; y < MapSize; ++y) {
      std::uint8_t place = 0;
      if (InPlayable(x, y)) place |= PlacePlayable;
      if (x == 1 || x == MapSize - 2 || y == 1 || y == MapSize - 2) place |= PlaceBorder;
      if (x <= 1 || x >= MapSize - 3 || y <= 1 || y >= MapSize - 3) place |= PlaceRoadEdge;
      places[TileIndex(x, y)] = place;
    }
  }
  return places;
}
constexpr std::array<std::uint8_t, TileCount> Places = MakePlaces();

bool Playable(std::uint16_t tile) { return (Places[tile] & PlacePlayable) != 0; }

}  // namespace

TPastureSurvey::TPastureSurvey() {
  pastureOf_.fill(NoPasture);
  area_.fill(-1);
  stack_.reserve(TileCount);
}

std::uint8_t TPastureSurvey::PastureAt(int x, int y) const {
  return InGrid(x, y) ? pastureOf_[TileIndex(x, y)] : NoPasture;
}

TAreaKind TPastureSurvey::AreaAt(int x, int y) const {
  if (!InGrid(x, y) || area_[TileIndex(x, y)] < 0) return TAreaKind::None;
  return areaKinds_[static_cast<std::size_t>(area_[TileIndex(x, y)])];
}

std::uint8_t TPastureSurvey::KindOf(std::uint16_t tile) const { return tiles_[tile].kind; }

template <typename Member, typename Visit>
void TPastureSurvey::Fill(std::uint16_t start, std::int16_t label,
                          std::array<std::int16_t, TileCount>& labels, Member member, Visit visit) {
  stack_.clear();
  stack_.push_back(start);
  labels[start] = label;
  while (!stack_.empty()) {
    const std::uint16_t tile = stack_.back();
    stack_.pop_back();
    visit(tile);
    for (const int step : NeighbourStep) {
      const auto next = static_cast<std::uint16_t>(tile + step);
      if (labels[next] < 0 && Playable(next) && member(next)) {
        labels[next] = label;
        stack_.push_back(next);
      }
    }
  }
}

void TPastureSurvey::Survey(const TMapa& map, const TLayer& layer) {
  tiles_ = &map.Record().tiles[0][0];
  LabelRoads();
  LabelDucts();
  LabelAreas(layer);
}

void TPastureSurvey::LabelRoads() {
  roadNet_.fill(-1);
  roadFlags_.clear();
  const auto member = [this](std::uint16_t t) { return KindIn(KindOf(t), RoadKinds); };
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      const std::uint16_t start = TileIndex(x, y);
      if (roadNet_[start] >= 0 || !member(start)) continue;
      std::uint8_t flags = 0;
      Fill(start, static_cast<std::int16_t>(roadFlags_.size()), roadNet_, member, [&](std::uint16_t t) {
        if ((Places[t] & PlaceRoadEdge) != 0) flags |= RoadEdge;
        if (KindOf(t) == tkDirtRoad) flags |= RoadDirt;
      });
      roadFlags_.push_back(flags);
    }
  }
}

void TPastureSurvey::LabelDucts() {
  ductNet_.fill(-1);
  ductWater_.clear();
  const auto member = [this](std::uint16_t t) { return KindIn(KindOf(t), DuctKinds); };
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      const std::uint16_t start = TileIndex(x, y);
      if (ductNet_[start] >= 0 || !member(start)) continue;
      bool water = false;
      Fill(start, static_cast<std::int16_t>(ductWater_.size()), ductNet_, member, [&](std::uint16_t t) {
        for (const int step : NeighbourStep) water = water || KindOf(t + step) == tkWater;
      });
      ductWater_.push_back(water);
    }
  }
}

void TPastureSurvey::LabelAreas(const TLayer& layer) {
  area_.fill(-1);
  pastureOf_.fill(NoPasture);
  areaKinds_.clear();
  count_ = 0;
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      const std::uint16_t start = TileIndex(x, y);
      if (area_[start] >= 0 || !Walkable(KindOf(start))) continue;
      const TArea area = FillArea(start, static_cast<std::int16_t>(areaKinds_.size()));
      TAreaKind kind = area.edge ? TAreaKind::Open
                       : gates_.empty() ? TAreaKind::NoGate
                                        : TAreaKind::Pasture;
      if (kind == TAreaKind::Pasture && count_ == MaxPastures) kind = TAreaKind::Open;
      areaKinds_.push_back(kind);
      if (kind != TAreaKind::Pasture) continue;
      if (count_ == pastures_.size()) pastures_.emplace_back();
      Describe(layer, pastures_[count_], area);
      ++count_;
    }
  }
}

// The walkable area around `start`, with what borders it. Its own loop
// rather than Fill's, since it looks at every neighbour anyway.
TPastureSurvey::TArea TPastureSurvey::FillArea(std::uint16_t start, std::int16_t label) {
  TArea area;
  gates_.clear();
  found_.clear();
  stack_.clear();
  stack_.push_back(start);
  area_[start] = label;
  while (!stack_.empty()) {
    const std::uint16_t t = stack_.back();
    stack_.pop_back();
    found_.push_back(t);
    area.edge = area.edge || (Places[t] & PlaceBorder) != 0;
    const std::uint8_t kind = KindOf(t);
    if (kind == tkTree || kind == tkScenery) ++area.shadeTiles;
    for (const int step : NeighbourStep) {
      const auto next = static_cast<std::uint16_t>(t + step);
      const std::uint8_t side = KindOf(next);
      if (side == tkWater) area.waterSide = true;
      if (!Playable(next)) continue;
      if (side == tkGate) gates_.push_back(next);
      if (area_[next] < 0 && Walkable(side)) {
        area_[next] = label;
        stack_.push_back(next);
      }
    }
  }
  return area;
}

void TPastureSurvey::Describe(const TLayer& layer, TPastureShape& shape, const TArea& area) {
  shape.tiles.assign(found_.begin(), found_.end());
  shape.id = found_.front();  // the fill starts at the area's first tile in column order
  shape.water = area.waterSide;
  shape.feedTrough = false;
  const auto index = static_cast<std::uint8_t>(count_);
  for (const std::uint16_t t : shape.tiles) {
    pastureOf_[t] = index;
    shape.feedTrough = shape.feedTrough || (layer[t] & lyFeedTrough) != 0;
    shape.water = shape.water || ((layer[t] & lyWaterTrough) != 0 && TroughWatered(t));
  }
  shape.shade = area.shadeTiles > 0 &&
                static_cast<std::size_t>(area.shadeTiles) * TilesPerShadeTree >= shape.tiles.size();
  shape.road = TRoadAccess::None;
  for (const std::uint16_t gate : gates_) shape.road = std::max(shape.road, GateAccess(gate));
}

TRoadAccess TPastureSurvey::GateAccess(std::uint16_t gate) const {
  TRoadAccess best = TRoadAccess::None;
  for (const int step : NeighbourStep) {
    const std::int16_t net = roadNet_[static_cast<std::uint16_t>(gate + step)];
    if (net < 0) continue;
    const std::uint8_t flags = roadFlags_[static_cast<std::size_t>(net)];
    if ((flags & RoadEdge) == 0) continue;
    best = std::max(best, (flags & RoadDirt) != 0 ? TRoadAccess::Road : TRoadAccess::Pavement);
  }
  return best;
}

// A water trough holds water when it stands beside a duct of a network that
// draws from water.
bool TPastureSurvey::TroughWatered(std::uint16_t tile) const {
  for (const int step : NeighbourStep) {
    const std::int16_t net = ductNet_[static_cast<std::uint16_t>(tile + step)];
    if (net >= 0 && ductWater_[static_cast<std::size_t>(net)]) return true;
  }
  return false;
}
