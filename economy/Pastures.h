#pragma once
// Where cattle can be kept. A pasture is a 4-connected area of tiles cattle
// walk (bare ground, trees, scenery) that stays off the border rows and
// columns 1 and 96 and has a gate in its border; fences, gates, water, roads,
// ducts and the house bound it. The survey finds them all by flood fill, with
// what each offers: water, a road to market, shade, a feed trough.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "map/Mapa.h"

constexpr int TileCount = MapSize * MapSize;
constexpr int MaxPastures = 255;  // later ones in column order are not counted
constexpr std::uint8_t NoPasture = 255;

// Index of tile (x, y) in the record's column order.
constexpr std::uint16_t TileIndex(int x, int y) {
  return static_cast<std::uint16_t>(x * MapSize + y);
}
constexpr int TileX(std::uint16_t tile) { return tile / MapSize; }
constexpr int TileY(std::uint16_t tile) { return tile % MapSize; }

// What the economy keeps on a tile over the map's own tiles, a bit each.
enum TLayerBit : std::uint8_t {
  lyWaterTrough = 1,
  lyFeedTrough = 2,
  lyPlanted = 4,
};
constexpr std::uint8_t LayerBits = lyWaterTrough | lyFeedTrough | lyPlanted;
using TLayer = std::array<std::uint8_t, TileCount>;

// How a pasture's cattle reach the market, best first from the end.
enum class TRoadAccess : std::uint8_t { None, Road, Pavement };

// What the walkable area around a tile is, for a refusal's reason.
enum class TAreaKind : std::uint8_t { None, Pasture, NoGate, Open };

struct TPastureShape {
  std::uint16_t id = 0;                // the first tile in column order names it
  std::vector<std::uint16_t> tiles;    // the first is the id; the rest in fill order
  bool water = false;
  bool shade = false;
  bool feedTrough = false;
  TRoadAccess road = TRoadAccess::None;
};

class TPastureSurvey {
 public:
  TPastureSurvey();
  // Finds the pastures of `map`; the layer's troughs add water and feed.
  void Survey(const TMapa& map, const TLayer& layer);

  std::span<const TPastureShape> Pastures() const { return {pastures_.data(), count_}; }
  // The pasture holding tile (x, y), or NoPasture.
  std::uint8_t PastureAt(int x, int y) const;
  TAreaKind AreaAt(int x, int y) const;

 private:
  struct TArea {
    bool edge = false;
    bool waterSide = false;
    int shadeTiles = 0;
  };
  template <typename Member, typename Visit>
  void Fill(std::uint16_t start, std::int16_t label, std::array<std::int16_t, TileCount>& labels,
            Member member, Visit visit);
  std::uint8_t KindOf(std::uint16_t tile) const;
  void LabelRoads();
  void LabelDucts();
  void LabelAreas(const TLayer& layer);
  TArea FillArea(std::uint16_t start, std::int16_t label);
  void Describe(const TLayer& layer, TPastureShape& shape, const TArea& area);
  TRoadAccess GateAccess(std::uint16_t gate) const;
  bool TroughWatered(std::uint16_t tile) const;

  std::vector<TPastureShape> pastures_;
  std::size_t count_ = 0;  // pastures_ keeps spare shapes for their memory
  std::array<std::int16_t, TileCount> roadNet_{};
  std::array<std::int16_t, TileCount> ductNet_{};
  std::array<std::int16_t, TileCount> area_{};
  std::array<std::uint8_t, TileCount> pastureOf_{};
  std::vector<TAreaKind> areaKinds_;
  std::vector<std::uint8_t> roadFlags_;  // per road network: bit 0 edge, bit 1 dirt
  std::vector<bool> ductWater_;          // per duct network: touches water
  std::vector<std::uint16_t> stack_;
  std::vector<std::uint16_t> gates_;
  std::vector<std::uint16_t> found_;
  const TTile* tiles_ = nullptr;  // the grid being surveyed, in column order
};
