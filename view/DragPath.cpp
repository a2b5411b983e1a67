#include "view/DragPath.h"

#include <cstdlib>

namespace {
// More distinct tiles than a hand passes between two frames; a trail that
// grows past this (frames stopped while the button stayed down) is let go.
constexpr std::size_t TrailLimit = 1024;

void AppendStraight(std::vector<TTilePos>& path, TTilePos from, TTilePos to) {
  const std::vector<TTilePos> part = StraightTilePath(from, to);
  path.insert(path.end(), part.begin(), part.end());
}
}  // namespace

bool IsLinearTool(TToolKind tool) {
  return tool == tlTerra || tool == tlPavimento || tool == tlCerca || tool == tlDuto;
}

std::vector<TTilePos> StraightTilePath(TTilePos from, TTilePos to) {
  const int nx = std::abs(to.x - from.x), ny = std::abs(to.y - from.y);
  const int sx = to.x > from.x ? 1 : -1, sy = to.y > from.y ? 1 : -1;
  std::vector<TTilePos> path;
  path.reserve(static_cast<std::size_t>(nx + ny));
  TTilePos at = from;
  int ix = 0, iy = 0;
  while (ix < nx || iy < ny) {
    // Compares where the middles of the next horizontal and the next
    // vertical step lie along the line; the nearer one goes first.
    if (static_cast<long long>(1 + 2 * ix) * ny <= static_cast<long long>(1 + 2 * iy) * nx) {
      at.x += sx;
      ++ix;
    } else {
      at.y += sy;
      ++iy;
    }
    path.push_back(at);
  }
  return path;
}

void TPointerTrail::Add(TTilePos tile) {
  if (!tiles_.empty() && tiles_.back() == tile) return;
  if (tiles_.size() >= TrailLimit) {
    Break();
    return;
  }
  tiles_.push_back(tile);
}

void TPointerTrail::Clear() {
  tiles_.clear();
  broken_ = false;
}

std::optional<std::vector<TTilePos>> TrailPath(TTilePos from, TTilePos to, const TPointerTrail& trail) {
  if (trail.Broken()) return std::nullopt;
  std::vector<TTilePos> path;
  TTilePos at = from;
  for (const TTilePos& tile : trail.Tiles()) {
    if (!InPlayableArea(tile)) return std::nullopt;
    AppendStraight(path, at, tile);
    at = tile;
  }
  AppendStraight(path, at, to);
  return path;
}
