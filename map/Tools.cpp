// The palette's tools as game logic: price, marker rule and action.
#include "map/Tools.h"

#include <array>
#include <cstddef>
#include <iterator>

#include "map/MapaCodes.h"

namespace {

constexpr std::uint16_t KindBit(TTileKind kind) { return static_cast<std::uint16_t>(1U << kind); }

struct TToolRow {
  std::string_view name;
  bool hasRule;
  std::uint16_t kinds;                 // known kinds the rule accepts, a bit per TTileKind
  bool unknownKinds;                   // whether it accepts a kind beyond tkHouse
  std::array<std::uint8_t, 4> images;  // images the rule accepts; all 0: any image
};

constexpr std::uint16_t KnownKinds = (1U << (tkHouse + 1)) - 1;

// Name and marker rule of each tool, indexed by TToolKind.
constexpr std::array<TToolRow, ToolKindCount> ToolRows = {{
    {"tlNone", false, 0, false, {}},
    {"tlMover", false, 0, false, {}},
    {"tlVer", false, 0, false, {}},
    {"tlPavimento", true, KindBit(tkEmpty) | KindBit(tkDuct) | KindBit(tkWater), false, {}},
    {"tlTerra", true, KindBit(tkEmpty) | KindBit(tkDuct) | KindBit(tkWater), false, {}},
    {"tlCerca", true, KindBit(tkEmpty), false, {}},
    {"tlPorteira", true, KindBit(tkFence), false, {BaseFence + StraightWestEast, BaseFence + StraightNorthSouth}},
    {"tlDuto", true, KindBit(tkEmpty) | KindBit(tkDirtRoad) | KindBit(tkPavement), false, {}},
    {"tlDutoS", true, KindBit(tkDuct), false,
     {BaseDuct + StraightWestEast, BaseDuct + StraightNorthSouth, ImageDuctWestEastAlt, ImageDuctNorthSouthAlt}},
    {"tlComida", false, 0, false, {}},
    {"tlAgua", false, 0, false, {}},
    {"tlArvores", true, KindBit(tkEmpty), false, {}},
    // The bulldozer takes anything but bare ground, water and the house.
    {"tlBulldoze", true,
     KnownKinds & ~(KindBit(tkEmpty) | KindBit(tkWater) | KindBit(tkHouse)), true, {}},
    {"tlPlant", false, 0, false, {}},
    {"tlSpray", false, 0, false, {}},
}};
static_assert(ToolRows.size() == ToolKindCount);

const TToolRow* RowOf(TToolKind tool) {
  return tool < ToolKindCount ? &ToolRows[tool] : nullptr;
}

}  // namespace

// Price of each tool in the map's money, indexed by TToolKind.
constexpr std::int32_t ToolCost[ToolKindCount] = {
    0,   // tlNone
    0,   // tlMover
    0,   // tlVer
    30,  // tlPavimento
    20,  // tlTerra
    50,  // tlCerca
    75,  // tlPorteira
    80,  // tlDuto
    35,  // tlDutoS
    0,   // tlComida: priced by the economy
    0,   // tlAgua: priced by the economy
    10,  // tlArvores
    25,  // tlBulldoze
    0,   // tlPlant: priced by the economy
    0,   // tlSpray: priced by the economy
};
static_assert(std::size(ToolCost) == ToolKindCount);

bool ToolHasRule(TToolKind tool) {
  const TToolRow* row = RowOf(tool);
  return row != nullptr && row->hasRule;
}

bool ToolRuleAllows(TToolKind tool, const TTile& tile) {
  const TToolRow* row = RowOf(tool);
  if (row == nullptr || !row->hasRule) return false;
  const bool kindAllowed =
      tile.kind <= tkHouse ? ((row->kinds >> tile.kind) & 1U) != 0 : row->unknownKinds;
  if (!kindAllowed) return false;
  if (row->images == std::array<std::uint8_t, 4>{}) return true;
  for (const auto image : row->images) {
    if (image != 0 && image == tile.image) return true;
  }
  return false;
}

TToolVerdict ToolVerdict(TToolKind tool, const TTile& tile, std::int32_t funds) {
  TToolVerdict verdict = tvNone;
  if (ToolHasRule(tool)) verdict = ToolRuleAllows(tool, tile) ? tvAllowed : tvRefused;
  if (tool < ToolKindCount && funds < ToolCost[tool]) verdict = tvRefused;
  return verdict;
}

bool ToolAction(TMapa& map, TToolKind tool, std::uint8_t x, std::uint8_t y) {
  switch (tool) {
    case tlPavimento:
      return map.PlaceLinear(x, y, BasePavement, TPlaceMode::Place);
    case tlTerra:
      return map.PlaceLinear(x, y, BaseDirtRoad, TPlaceMode::Place);
    case tlCerca:
      return map.PlaceLinear(x, y, BaseFence, TPlaceMode::Place);
    case tlDuto:
      return map.PlaceLinear(x, y, BaseDuct, TPlaceMode::Place);
    case tlPorteira:
      return map.PlaceFitting(x, y, FittingGate);
    case tlDutoS:
      return map.PlaceFitting(x, y, FittingDuct);
    case tlArvores:
      return map.PlaceTree(x, y);
    case tlBulldoze:
      return map.Bulldoze(x, y);
    default:
      return false;  // tools that only look, or have no action yet
  }
}

std::string_view ToolName(TToolKind tool) {
  const TToolRow* row = RowOf(tool);
  return row != nullptr ? row->name : std::string_view{};
}

std::optional<TToolKind> ToolFromName(std::string_view name) {
  for (std::size_t i = 0; i < ToolRows.size(); ++i) {
    if (ToolRows[i].name == name) return static_cast<TToolKind>(i);
  }
  return std::nullopt;
}
