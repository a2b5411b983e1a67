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

bool Walkable(std::uint8_t kind) { return kind == tkEmpty || kind == tkTree || kind == tkScenery; }

bool OnBorder(std::uint16_t tile) {
  const int x = TileX(tile), y = TileY(tile);
  return x == 1 || x == MapSize - 2 || y == 1 || y == MapSize - 2;
}

// The first and last rows and columns where roads can be laid.
bool OnRoadEdge(std::uint16_t tile) {
  const int x = TileX(tile), y = TileY(tile);
  return x <= 1 || x >= MapSize - 3 || y <= 1 || y >= MapSize - 3;
}

std::uint8_t KindOf(const TMapa& map, std::uint16_t tile) {
  return map.Tile(TileX(tile), TileY(tile)).kind;
}

bool Playable(std::uint16_t tile) { return InPlayable(TileX(tile), TileY(tile)); }

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
  LabelRoads(map);
  LabelDucts(map);
  LabelAreas(map, layer);
}

void TPastureSurvey::LabelRoads(const TMapa& map) {
  roadNet_.fill(-1);
  roadFlags_.clear();
  const auto member = [&](std::uint16_t t) { return InFamily(KindOf(map, t), TFamily::Road); };
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      const std::uint16_t start = TileIndex(x, y);
      if (roadNet_[start] >= 0 || !member(start)) continue;
      std::uint8_t flags = 0;
      Fill(start, static_cast<std::int16_t>(roadFlags_.size()), roadNet_, member, [&](std::uint16_t t) {
        if (OnRoadEdge(t)) flags |= RoadEdge;
        if (KindOf(map, t) == tkDirtRoad) flags |= RoadDirt;
      });
      roadFlags_.push_back(flags);
    }
  }
}

void TPastureSurvey::LabelDucts(const TMapa& map) {
  ductNet_.fill(-1);
  ductWater_.clear();
  const auto member = [&](std::uint16_t t) { return InFamily(KindOf(map, t), TFamily::Duct); };
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      const std::uint16_t start = TileIndex(x, y);
      if (ductNet_[start] >= 0 || !member(start)) continue;
      bool water = false;
      Fill(start, static_cast<std::int16_t>(ductWater_.size()), ductNet_, member, [&](std::uint16_t t) {
        for (const int step : NeighbourStep) water = water || KindOf(map, t + step) == tkWater;
      });
      ductWater_.push_back(water);
    }
  }
}

void TPastureSurvey::LabelAreas(const TMapa& map, const TLayer& layer) {
  area_.fill(-1);
  pastureOf_.fill(NoPasture);
  areaKinds_.clear();
  count_ = 0;
  const auto member = [&](std::uint16_t t) { return Walkable(KindOf(map, t)); };
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) {
      const std::uint16_t start = TileIndex(x, y);
      if (area_[start] >= 0 || !member(start)) continue;
      TArea area;
      gates_.clear();
      tiles_.clear();
      Fill(start, static_cast<std::int16_t>(areaKinds_.size()), area_, member, [&](std::uint16_t t) {
        tiles_.push_back(t);
        area.edge = area.edge || OnBorder(t);
        const std::uint8_t kind = KindOf(map, t);
        if (kind == tkTree || kind == tkScenery) ++area.shadeTiles;
        for (const int step : NeighbourStep) {
          const std::uint8_t side = KindOf(map, t + step);
          area.waterSide = area.waterSide || side == tkWater;
          if (side == tkGate && Playable(static_cast<std::uint16_t>(t + step))) gates_.push_back(static_cast<std::uint16_t>(t + step));
        }
      });
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

void TPastureSurvey::Describe(const TLayer& layer, TPastureShape& shape, const TArea& area) {
  shape.tiles.assign(tiles_.begin(), tiles_.end());
  shape.id = tiles_.front();  // the fill starts at the area's first tile in column order
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
