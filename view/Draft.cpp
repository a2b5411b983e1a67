#include "view/Draft.h"

#include <algorithm>
#include <cstdlib>

namespace {
// The map's last playable row and column: the linear tools' operation
// refuses them although their rule shows them as allowed.
constexpr int LastLinearTile = 95;

std::vector<TTilePos> Run(TTilePos anchor, TTilePos end) {
  std::vector<TTilePos> tiles{anchor};
  const std::vector<TTilePos> rest = StraightTilePath(anchor, end);
  tiles.insert(tiles.end(), rest.begin(), rest.end());
  return tiles;
}

void Count(TDraftSummary& summary, TUnbuiltReason reason) {
  ++summary.refused;
  if (reason == TUnbuiltReason::GroundTaken) ++summary.groundTaken;
  if (reason == TUnbuiltReason::MoneyShort) ++summary.moneyShort;
}
}  // namespace

TUnbuiltReason RefusalReason(TToolKind tool, const TTilePos& at, const TTile& tile, std::int64_t money) {
  const bool groundTaken = (ToolHasRule(tool) && !ToolRuleAllows(tool, tile)) ||
                           (IsLinearTool(tool) && (at.x > LastLinearTile || at.y > LastLinearTile));
  if (groundTaken) return TUnbuiltReason::GroundTaken;
  if (tool < ToolKindCount && money < ToolCost[tool]) return TUnbuiltReason::MoneyShort;
  return TUnbuiltReason::None;
}

std::vector<TTilePos> DraftLineTiles(TTilePos anchor, TTilePos end) {
  const bool horizontal = std::abs(end.x - anchor.x) >= std::abs(end.y - anchor.y);
  return Run(anchor, horizontal ? TTilePos{end.x, anchor.y} : TTilePos{anchor.x, end.y});
}

std::vector<TTilePos> DraftRectangleTiles(TTilePos anchor, TTilePos end) {
  if (anchor.x == end.x || anchor.y == end.y) return Run(anchor, end);
  const int left = std::min(anchor.x, end.x), right = std::max(anchor.x, end.x);
  const int top = std::min(anchor.y, end.y), bottom = std::max(anchor.y, end.y);
  // Clockwise on screen, from the top-left corner.
  std::vector<TTilePos> ring;
  ring.reserve(static_cast<std::size_t>(2 * (right - left + bottom - top)));
  for (int x = left; x < right; ++x) ring.push_back({x, top});
  for (int y = top; y < bottom; ++y) ring.push_back({right, y});
  for (int x = right; x > left; --x) ring.push_back({x, bottom});
  for (int y = bottom; y > top; --y) ring.push_back({left, y});
  std::rotate(ring.begin(), std::find(ring.begin(), ring.end(), anchor), ring.end());
  return ring;
}

void TDraft::Plan(const TMapaRecord& map, TToolKind tool, const std::vector<TTilePos>& tiles) {
  tool_ = tool;
  tiles_.clear();
  summary_ = {};
  const std::int64_t price = tool < ToolKindCount ? ToolCost[tool] : 0;
  std::int64_t money = map.funds;
  for (const TTilePos& at : tiles) {
    TDraftTile planned{at};
    planned.unbuilt = InPlayableArea(at) ? RefusalReason(tool, at, map.tiles[at.x][at.y], money)
                                         : TUnbuiltReason::GroundTaken;
    if (planned.Builds()) {
      money -= price;
      ++summary_.tiles;
      summary_.price += price;
    } else {
      Count(summary_, planned.unbuilt);
    }
    tiles_.push_back(planned);
  }
}

TDraftSummary TDraft::Build(TMapa& map, TStrokeHistory* history) const {
  TDraftSummary left;
  if (history) history->Open();
  for (const TDraftTile& tile : tiles_) {
    if (!tile.Builds()) {
      Count(left, tile.unbuilt);
      continue;
    }
    // The plan was made against this map; a tile it no longer takes is
    // left, at no cost, as a click on it would be.
    const TUnbuiltReason now = RefusalReason(tool_, tile.at, map.Tile(tile.at.x, tile.at.y), map.Record().funds);
    if (now != TUnbuiltReason::None) {
      Count(left, now);
      continue;
    }
    const auto x = static_cast<std::uint8_t>(tile.at.x), y = static_cast<std::uint8_t>(tile.at.y);
    if (UseTool(map, tool_, x, y, history)) {
      ++left.tiles;
      left.price += ToolCost[tool_];
    } else {
      Count(left, TUnbuiltReason::GroundTaken);
    }
  }
  if (history) history->Close();
  return left;
}
