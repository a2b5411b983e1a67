#pragma once
// The palette's tools as game logic: price, marker rule and action. Shared by
// the map view and the command-line tool.
#include <cstdint>
#include <optional>
#include <string_view>

#include "map/Mapa.h"

enum TToolKind : std::uint8_t {
  tlNone = 0,
  tlMover = 1,
  tlVer = 2,
  tlPavimento = 3,
  tlTerra = 4,
  tlCerca = 5,
  tlPorteira = 6,
  tlDuto = 7,
  tlDutoS = 8,
  tlComida = 9,
  tlAgua = 10,
  tlArvores = 11,
  tlBulldoze = 12,
  // The ranch economy's planting and spraying; the map alone gives them no
  // price, rule or action.
  tlPlant = 13,
  tlSpray = 14,
};
constexpr int ToolKindCount = 15;

enum TToolVerdict : std::uint8_t { tvNone, tvAllowed, tvRefused };

// Price of each tool, indexed by TToolKind.
extern const std::int32_t ToolCost[ToolKindCount];

// Whether the tool has a marker rule at all (no rule: white marker).
bool ToolHasRule(TToolKind tool);
// The tool's marker rule on a tile (only meaningful when ToolHasRule).
bool ToolRuleAllows(TToolKind tool, const TTile& tile);
// The verdict the view shows: rule first, then the funds.
TToolVerdict ToolVerdict(TToolKind tool, const TTile& tile, std::int32_t funds);
// Runs the tool's map operation on (x, y); false when it has none or refused.
bool ToolAction(TMapa& map, TToolKind tool, std::uint8_t x, std::uint8_t y);

std::string_view ToolName(TToolKind tool);          // "tlTerra"
std::optional<TToolKind> ToolFromName(std::string_view name);
