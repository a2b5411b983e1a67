#include "economy/RanchTool.h"

namespace {

TToolOutcome UseMapTool(TMapa& map, TToolKind tool, int x, int y) {
  if (ToolVerdict(tool, map.Tile(x, y), map.Record().funds) == tvRefused) return TToolOutcome::Refused;
  if (!ToolAction(map, tool, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y))) {
    return TToolOutcome::Failed;
  }
  map.ChangeFunds(-ToolCost[tool]);
  return TToolOutcome::Applied;
}

}  // namespace

TToolOutcome UseRanchTool(TMapa& map, TEconomy* eco, TToolKind tool, int x, int y) {
  // The view never acts outside the playable area.
  if (!InPlayable(x, y)) return TToolOutcome::Refused;
  if (eco != nullptr && TEconomy::IsEconomyTool(tool)) {
    if (eco->ToolVerdict(map, tool, x, y) == tvRefused) return TToolOutcome::Refused;
    return eco->ToolAction(map, tool, x, y) ? TToolOutcome::Applied : TToolOutcome::Failed;
  }
  const TToolOutcome outcome = UseMapTool(map, tool, x, y);
  if (eco != nullptr && outcome == TToolOutcome::Applied) {
    eco->Built(ToolCost[tool]);
    eco->MapChanged(map);
  }
  return outcome;
}
