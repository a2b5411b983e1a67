// Undo and redo of building: the stroke history.
#include "map/Strokes.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "map/MapaCodes.h"

namespace {

bool IsOpenWater(const TTile& tile) { return tile.kind == tkWater && IsOpenWaterImage(tile.image); }

bool SameTile(const TTile& a, const TTile& b) {
  return a.spare == b.spare && a.image == b.image && a.kind == b.kind;
}

// Open water flickers between two frames while it is drawn. A tile written
// back as open water takes the frame its open-water neighbours show now, so
// it does not flicker out of step with them.
TTile InStepWithWater(const TMapa& map, int x, int y, TTile tile) {
  if (!IsOpenWater(tile)) return tile;
  for (const TNeighbourStep& step : Neighbours) {
    if (!InGrid(x + step.dx, y + step.dy)) continue;
    const TTile& next = map.Tile(x + step.dx, y + step.dy);
    if (IsOpenWater(next)) {
      tile.image = next.image;
      break;
    }
  }
  return tile;
}

// Money as ChangeFunds takes it; a stroke never takes more than the funds held.
std::int32_t FundsDelta(std::int64_t amount) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      amount, std::numeric_limits<std::int32_t>::min() + 1, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void TStrokeHistory::Open() {
  Close();
  open_ = true;
}

void TStrokeHistory::Close() {
  open_ = false;
  // A tile changed and changed back within the stroke has nothing to undo.
  std::erase_if(current_.changes, [](const TTileChange& c) { return SameTile(c.before, c.after); });
  std::erase_if(current_.side, [](const TSideChange& c) { return c.before == c.after; });
  if (current_.Empty()) return;
  undo_.push_back(std::move(current_));
  current_ = TStroke{};
  while (undo_.size() > Depth) undo_.pop_front();
  Notify();
}

bool TStrokeHistory::Record(TMapa& map, const std::function<bool()>& change) {
  if (!open_) Open();
  std::memcpy(snapshot_.data(), map.Record().tiles, sizeof(map.Record().tiles));
  const std::int32_t fundsBefore = map.Record().funds;
  const bool result = change();

  bool changedAnything = false;
  for (int x = 0; x < MapSize; ++x) {
    // Whole columns are compared first: almost every column is untouched.
    if (std::memcmp(snapshot_[x].data(), map.Record().tiles[x], sizeof(map.Record().tiles[x])) == 0)
      continue;
    for (int y = 0; y < MapSize; ++y) {
      if (SameTile(snapshot_[x][y], map.Tile(x, y))) continue;
      AddChange(x, y, snapshot_[x][y], map.Tile(x, y));
      changedAnything = true;
    }
  }
  const std::int64_t taken = std::int64_t{fundsBefore} - map.Record().funds;
  if (taken != 0) {
    current_.charged += taken;
    changedAnything = true;
  }
  if (changedAnything) {
    changed_ = true;
    redo_.clear();
    Notify();
    NotifyEdit(taken);
  }
  return result;
}

void TStrokeHistory::RecordSide(const TSideChange& change, std::int64_t charged) {
  if (!open_) Open();
  auto same = std::find_if(current_.side.begin(), current_.side.end(),
                           [&](const TSideChange& c) { return c.key == change.key; });
  if (same == current_.side.end())
    current_.side.push_back(change);
  else
    same->after = change.after;
  current_.charged += charged;
  changed_ = true;
  redo_.clear();
  Notify();
}

void TStrokeHistory::PutSideValues(const TStroke& stroke, bool after) {
  if (!PutSide) return;
  // Undone last first, the reverse of the order they were made in.
  if (after) {
    for (const TSideChange& c : stroke.side) PutSide(c.key, c.after);
  } else {
    for (auto c = stroke.side.rbegin(); c != stroke.side.rend(); ++c) PutSide(c->key, c->before);
  }
}

void TStrokeHistory::AddChange(int x, int y, const TTile& before, const TTile& after) {
  for (auto& change : current_.changes) {
    if (change.x == x && change.y == y) {
      change.after = after;
      return;
    }
  }
  current_.changes.push_back(
      TTileChange{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), before, after});
}

bool TStrokeHistory::CanUndo() const { return !undo_.empty() || !current_.Empty(); }

bool TStrokeHistory::Undo(TMapa& map) {
  Close();
  if (undo_.empty()) return false;
  TStroke stroke = std::move(undo_.back());
  undo_.pop_back();
  for (const auto& change : stroke.changes)
    map.Tile(change.x, change.y) = InStepWithWater(map, change.x, change.y, change.before);
  PutSideValues(stroke, false);
  if (stroke.charged != 0) map.ChangeFunds(FundsDelta(stroke.charged));
  changed_ = true;
  const std::int64_t givenBack = -stroke.charged;
  redo_.push_back(std::move(stroke));
  Notify();
  NotifyEdit(givenBack);
  return true;
}

TRedoResult TStrokeHistory::Redo(TMapa& map) {
  Close();
  if (redo_.empty()) return TRedoResult::NothingToRedo;
  TStroke& stroke = redo_.back();
  // The charge goes first: when the money no longer reaches, nothing changes.
  if (stroke.charged != 0 && !map.ChangeFunds(FundsDelta(-stroke.charged)))
    return TRedoResult::NotEnoughMoney;
  for (const auto& change : stroke.changes)
    map.Tile(change.x, change.y) = InStepWithWater(map, change.x, change.y, change.after);
  PutSideValues(stroke, true);
  changed_ = true;
  const std::int64_t charged = stroke.charged;
  undo_.push_back(std::move(stroke));
  redo_.pop_back();
  Notify();
  NotifyEdit(charged);
  return TRedoResult::Redone;
}

void TStrokeHistory::MarkSaved() {
  changed_ = false;
  Notify();
}

void TStrokeHistory::Clear() {
  undo_.clear();
  redo_.clear();
  current_ = TStroke{};
  changed_ = false;
  Notify();
}

void TStrokeHistory::Notify() {
  if (OnChange) OnChange();
}

void TStrokeHistory::NotifyEdit(std::int64_t charged) {
  if (OnEdit) OnEdit(charged);
}

bool UseTool(TMapa& map, TToolKind tool, std::uint8_t x, std::uint8_t y, TStrokeHistory* history) {
  const auto act = [&] {
    if (!ToolAction(map, tool, x, y)) return false;
    map.ChangeFunds(-ToolCost[tool]);
    return true;
  };
  return history != nullptr ? history->Record(map, act) : act();
}
