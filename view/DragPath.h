#pragma once
// The tiles a dragging hand passed between two frames. The frame samples the
// pointer every 66 ms; a hand faster than a tile a frame would otherwise
// leave gaps in a road or a fence. The view records the pointer's own moves
// between frames (the trail), so a fast corner stays a corner; where it has
// none, the straight 4-connected line stands in. No window toolkit here.
#include <optional>
#include <vector>

#include "map/Tools.h"

// A map tile, column and row 1-based as the view counts them.
struct TTilePos {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const TTilePos&, const TTilePos&) = default;
};

// The playable tiles, the only ones a tool may act on.
constexpr bool InPlayableArea(const TTilePos& tile) { return InPlayable(tile.x, tile.y); }

// Whether b is a or one of its four neighbours.
constexpr bool NextTo(const TTilePos& a, const TTilePos& b) {
  const int dx = a.x > b.x ? a.x - b.x : b.x - a.x;
  const int dy = a.y > b.y ? a.y - b.y : b.y - a.y;
  return dx + dy <= 1;
}

// The tools that lay a line (road, pavement, fence, duct): only these fill
// in the tiles a fast drag skipped, so nothing the pointer never touched is
// cleared or planted.
bool IsLinearTool(TToolKind tool);

// The 4-connected line from `from` (left out) to `to` (included), each step
// the one that keeps nearest the straight line; on a tie the horizontal
// step comes first. Empty when they are the same tile.
std::vector<TTilePos> StraightTilePath(TTilePos from, TTilePos to);

// The tiles the pointer was seen on between two frames, in order.
class TPointerTrail {
 public:
  // The pointer moved onto `tile`; a repeat of the last tile adds nothing.
  void Add(TTilePos tile);
  // The pointer left the map surface, or passed under a window lying over
  // it: the tiles between the frames are not known to be the map's.
  void Break() { broken_ = true; }
  bool Broken() const { return broken_; }
  const std::vector<TTilePos>& Tiles() const { return tiles_; }
  void Clear();

 private:
  std::vector<TTilePos> tiles_;
  bool broken_ = false;
};

// The path from `from` (left out) to `to` (included) through the trail's
// tiles, each gap between them filled with the straight line; empty when
// `to` is `from`. None when the trail is broken or leaves the playable area.
std::optional<std::vector<TTilePos>> TrailPath(TTilePos from, TTilePos to, const TPointerTrail& trail);
