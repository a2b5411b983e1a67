// Roads, pavement, the bridge deck, fences, gates and ducts: pieces that must
// meet their neighbours edge to edge. Every piece draws its arms with the same
// cross profile at the same pixels, so any two joined pieces continue.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/art/Ground.h"
#include "assets/art/JoinTables.h"
#include "assets/art/Paint.h"
#include "assets/art/TileNoise.h"

namespace art {

namespace {

constexpr int T = TilePixels;
constexpr float Mid = T / 2.0f;

// One stroke of a road: a straight through the tile, half a straight from an
// edge to the centre, or a quarter circle round a tile corner.
struct TStroke {
  enum TKind { Straight, Half, Arc } kind;
  bool vertical;   // Straight and Half: runs north-south
  bool lowSide;    // Half: the north or west half
  float cx, cy;    // Arc: the corner it bends round
};

std::vector<TStroke> RoadStrokes(int arms) {
  const bool n = arms & North, w = arms & West, e = arms & East, s = arms & South;
  const int count = n + w + e + s;
  if (count == 2 && !(n && s) && !(w && e))
    return {{TStroke::Arc, false, false, e ? float(T) : 0.0f, s ? float(T) : 0.0f}};
  std::vector<TStroke> strokes;
  if ((n && s) || count <= 1) strokes.push_back({TStroke::Straight, true, false, 0, 0});
  if (w && e) strokes.push_back({TStroke::Straight, false, false, 0, 0});
  if (n && !s) strokes.push_back({TStroke::Half, true, true, 0, 0});
  if (s && !n) strokes.push_back({TStroke::Half, true, false, 0, 0});
  if (w && !e) strokes.push_back({TStroke::Half, false, true, 0, 0});
  if (e && !w) strokes.push_back({TStroke::Half, false, false, 0, 0});
  return strokes;
}

// Across-road coordinate of a pixel centre for a stroke; false where it does not reach.
bool Across(const TStroke& s, float px, float py, float& v) {
  switch (s.kind) {
    case TStroke::Arc:
      v = std::hypot(px - s.cx, py - s.cy);
      return true;
    case TStroke::Straight:
      v = s.vertical ? px : py;
      return true;
    case TStroke::Half: {
      const float along = s.vertical ? py : px;
      if (s.lowSide ? along >= Mid : along < Mid) return false;
      v = s.vertical ? px : py;
      return true;
    }
  }
  return false;
}

enum class TRoadPart { Outside, Verge, Surface };

// The part of the road a pixel lies in, and the across coordinate of the
// stroke that owns it (the first one, so a main road keeps its ruts at a tee).
TRoadPart RoadPart(const std::vector<TStroke>& strokes, int x, int y, float& across) {
  bool in = false;
  for (const TStroke& s : strokes) {
    float v;
    if (!Across(s, x + 0.5f, y + 0.5f, v)) continue;
    if (v >= RoadSpan.first + 1 && v < RoadSpan.last - 1) {
      across = v;
      return TRoadPart::Surface;
    }
    if (v >= RoadSpan.first && v < RoadSpan.last) in = true;
  }
  return in ? TRoadPart::Verge : TRoadPart::Outside;
}

// Dirt: dark verges, two wheel ruts, a lighter hump between them. The cross
// profile is symmetric, since a bend may meet a straight from either side.
TColour DirtAt(int x, int y, TRoadPart part, float v) {
  const float h = Hash01(x, y, 500);
  if (part == TRoadPart::Verge) return Shade(TMaterial::Earth, h < 0.3f ? 2 : 1);
  const float d = std::min(v, T - v);  // distance from the nearer road edge
  if (d < 8) return Shade(TMaterial::Earth, h < 0.25f ? 2 : 3);
  if (d < 9) return Shade(TMaterial::Earth, h < 0.5f ? 1 : 2);
  if (d < 10) return Shade(TMaterial::Earth, h < 0.2f ? 1 : 2);
  const bool interior = x >= 3 && y >= 3 && x < T - 3 && y < T - 3;
  if (interior && h < 0.06f) return Shade(TMaterial::Grass, 2);
  return Shade(TMaterial::Earth, h < 0.2f ? 3 : h > 0.85f ? 5 : 4);
}

// Cobbles in staggered rows, lit on their top-left corner; light kerb stones.
TColour PavementAt(int x, int y, TRoadPart part, float v) {
  if (part == TRoadPart::Verge) return Shade(TMaterial::Stone, 4);
  const float d = std::min(v, T - v);
  if (d < 8) return Shade(TMaterial::Stone, 1);  // gutter in the kerb's shade
  const int row = y / 4;
  const int sx = Wrap(x + (row % 2) * 2);
  const int lx = sx % 4, ly = y % 4;
  if (lx == 3 || ly == 3) return Shade(TMaterial::Stone, 1);
  const int base = 2 + HashBelow(sx / 4, row, 510, 2);
  if (lx == 0 && ly == 0) return Shade(TMaterial::Stone, base + 2);
  if (lx == 0 || ly == 0) return Shade(TMaterial::Stone, base + 1);
  if (lx == 2 && ly == 2) return Shade(TMaterial::Stone, base - 1);
  return Shade(TMaterial::Stone, base);
}

// Lays a road with these arms on a ground tile.
void PaintRoad(TCanvas& c, int arms, bool paved) {
  const std::vector<TStroke> strokes = RoadStrokes(arms);
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      float v = 0;
      const TRoadPart part = RoadPart(strokes, x, y, v);
      if (part == TRoadPart::Outside) continue;
      c.Set(x, y, paved ? PavementAt(x, y, part, v) : DirtAt(x, y, part, v));
    }
}

// A rail seen from above: its lit top, then its shaded side.
void Rail(TCanvas& c, bool vertical, int v, int from, int to) {
  for (int u = from; u < to; ++u) {
    const int px = vertical ? v : u, py = vertical ? u : v;
    c.Set(px, py, Shade(TMaterial::Wood, Hash01(px, py, 520) < 0.2f ? 4 : 5));
    const int qx = vertical ? v + 1 : u, qy = vertical ? u : v + 1;
    c.Set(qx, qy, Shade(TMaterial::Wood, Hash01(qx, qy, 521) < 0.2f ? 3 : 2));
  }
}

// A square post or block, lit on its top and left faces.
void Block(TCanvas& c, int x0, int y0, int w, int h, TMaterial m, int base) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      int i = base;
      if (y == y0 || x == x0) i = base + 1;
      if (y == y0 + h - 1 || x == x0 + w - 1) i = base - 2;
      if (x == x0 && y == y0) i = base + 2;
      c.Set(x, y, Shade(m, i));
    }
}

void ShadowRect(TCanvas& c, int x0, int y0, int w, int h) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x)
      if (c.Inside(x, y) && Alpha(c.Get(x, y)) == 0) c.Set(x, y, ShadowMark);
}

// Arm ranges along an edge-to-centre half: the west or north half covers 0..Mid.
void ArmRange(int arm, int& from, int& to) {
  const bool low = arm == West || arm == North;
  from = low ? 0 : T / 2;
  to = low ? T / 2 : T;
}

// Where an arm ends at a tile edge a post stands astride the edge, half in
// each tile, so a run of fence shows a post every half tile.
void EdgePost(TCanvas& l, int arm, bool shadowOnly) {
  const int x0 = arm == West ? -2 : arm == East ? T - 2 : 10;
  const int y0 = arm == North ? -2 : arm == South ? T - 2 : 10;
  if (shadowOnly) ShadowRect(l, x0 + 1, y0 + 1, 4, 4);
  else Block(l, x0, y0, 4, 4, TMaterial::Wood, 3);
}

TCanvas FenceLayer(int arms) {
  TCanvas l(T, T);
  const int v = FenceSpan.first;
  for (int arm : {North, West, East, South}) {
    if (!(arms & arm)) continue;
    int from, to;
    ArmRange(arm, from, to);
    if (arm == North || arm == South) ShadowRect(l, v + 2, from, 2, to - from);
    else ShadowRect(l, from, v + 2, to - from, 2);
    EdgePost(l, arm, true);
  }
  ShadowRect(l, 11, 11, 5, 5);
  for (int arm : {North, West, East, South}) {
    if (!(arms & arm)) continue;
    int from, to;
    ArmRange(arm, from, to);
    Rail(l, arm == North || arm == South, v, from, to);
  }
  for (int arm : {North, West, East, South})
    if (arms & arm) EdgePost(l, arm, false);
  Block(l, 10, 10, 4, 4, TMaterial::Wood, 3);
  return l;
}

void PipeRun(TCanvas& c, bool vertical, int from, int to) {
  // Across the pipe: outline, highlight, body, shaded underside, outline.
  constexpr int profile[8] = {-1, 3, 5, 3, 2, 2, 1, -1};
  for (int u = from; u < to; ++u)
    for (int k = 0; k < 8; ++k) {
      const int v = DuctSpan.first + k;
      const int i = profile[k];
      const TColour col = i < 0 ? Shade(TMaterial::Metal, 0) : Shade(TMaterial::Metal, i);
      c.Set(vertical ? v : u, vertical ? u : v, col);
    }
}

void PipeShadow(TCanvas& c, bool vertical, int from, int to) {
  if (vertical) ShadowRect(c, DuctSpan.last, from, 2, to - from);
  else ShadowRect(c, from, DuctSpan.last, to - from, 2);
}

// A band round the pipe where two lengths are joined.
void Coupling(TCanvas& c, bool vertical, int at) {
  for (int k = 0; k < 10; ++k) {
    const int v = DuctSpan.first - 1 + k;
    for (int du = 0; du < 2; ++du) {
      const int i = (k == 0 || k == 9) ? 0 : du == 0 ? (k < 4 ? 5 : 3) : (k < 4 ? 3 : 1);
      c.Set(vertical ? v : at + du, vertical ? at + du : v, Shade(TMaterial::Metal, i));
    }
  }
}

TCanvas DuctLayer(int arms) {
  TCanvas l(T, T);
  const bool straight = arms == (West | East) || arms == (North | South);
  for (int arm : {North, West, East, South})
    if (arms & arm) {
      int from, to;
      ArmRange(arm, from, to);
      PipeShadow(l, arm == North || arm == South, from, to);
    }
  if (!straight) ShadowRect(l, 8, 8, 12, 12);
  for (int arm : {North, West, East, South})
    if (arms & arm) {
      int from, to;
      ArmRange(arm, from, to);
      PipeRun(l, arm == North || arm == South, from, to);
    }
  if (straight) {
    Coupling(l, arms == (North | South), 11);
  } else {
    Block(l, 6, 6, 12, 12, TMaterial::Metal, 3);
    for (int y = 8; y < 16; ++y)
      for (int x = 8; x < 16; ++x) l.Set(x, y, DitherShade(TMaterial::Metal, SphereLight((x - 11.5f) / 5, (y - 11.5f) / 5), x, y, 2, 4));
    for (int p : {7, 15}) {
      l.Set(p, 7, Shade(TMaterial::Metal, 0));
      l.Set(p, 15, Shade(TMaterial::Metal, 0));
    }
  }
  return l;
}

}  // namespace

TCanvas RoadTile(int arms, bool paved, TWetness ground) {
  TCanvas c = GroundTile(ground, 0);
  PaintRoad(c, arms, paved);
  return c;
}

// Planks laid corner to corner, so the deck favours neither way, over a
// culvert whose stone headwalls fill the four corners beside the road. It
// reads as a road over water and as a road over a duct, either way round.
TCanvas DeckTile() {
  TCanvas c(T, T);
  constexpr int Plank = 4;  // a plank and its gap, along the diagonal
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      const int plank = ((x + y) / Plank) % (T / Plank);  // the same plank number on the next tile's edge
      const int across = (x + y) % Plank;
      int i = 3 - (HashBelow(plank, 0, 531, 3) == 0 ? 1 : 0);
      if (across == 0) i = 1;
      else if (across == 1) i += 1;
      TColour colour = Shade(TMaterial::Wood, i);
      if (across == 2 && Hash01(x, y, 532) < 0.03f) colour = Shade(TMaterial::Metal, 3);  // a nail head
      c.Set(x, y, colour);
    }
  const int low = RoadSpan.first - 1, high = RoadSpan.last + 1;  // the road's width and a kerb beam each side
  for (int cx : {0, high})
    for (int cy : {0, high}) {
      const int w = cx == 0 ? low : T - high, h = cy == 0 ? low : T - high;
      Block(c, cx, cy, w, h, TMaterial::Sandstone, 3);
      // A mortar course across each headwall.
      for (int k = 1; k < w - 1; ++k) c.Set(cx + k, cy + h / 2, Shade(TMaterial::Sandstone, 2));
    }
  // Kerb beams between headwalls and deck: shade under the far ones, light on the near.
  for (int u = 0; u < T; ++u) {
    if (u >= low && u < high) continue;
    c.Set(low, u, Shade(TMaterial::Wood, 1));
    c.Set(u, low, Shade(TMaterial::Wood, 1));
    c.Set(high - 1, u, Shade(TMaterial::Wood, 4));
    c.Set(u, high - 1, Shade(TMaterial::Wood, 4));
  }
  return c;
}

// West-east: planks across the way between two railings; posts every half
// tile, so a bridge of several tiles keeps its rhythm.
TCanvas BridgeDeck(bool northSouth) {
  TCanvas l(T, T, Magenta);
  const int top = RoadSpan.first - 3, bottom = RoadSpan.last + 2;  // railing rows
  for (int x = 0; x < T; ++x) {
    const int plank = x / 3;
    for (int y = top + 2; y < bottom; ++y) {
      int i = 3 - (HashBelow(plank, 0, 533, 3) == 0 ? 1 : 0);
      if (x % 3 == 2) i = 1;
      else if (x % 3 == 0) i += 1;
      l.Set(x, y, Shade(TMaterial::Wood, i));
    }
    // The deck's edge beams; the far one faces the light, the near one its own shade.
    l.Set(x, top + 2, Shade(TMaterial::Wood, 1));
    l.Set(x, bottom - 1, Shade(TMaterial::Wood, 2));
    l.Set(x, top, Shade(TMaterial::Wood, 5));
    l.Set(x, top + 1, Shade(TMaterial::Wood, 2));
    l.Set(x, bottom, Shade(TMaterial::Wood, 4));
    l.Set(x, bottom + 1, Shade(TMaterial::Wood, 0));
  }
  for (int p : {4, 16}) {
    Block(l, p, top - 1, 3, 3, TMaterial::Wood, 3);
    Block(l, p, bottom, 3, 3, TMaterial::Wood, 3);
  }
  // Turned a quarter round, the light still falls from the top left.
  return northSouth ? Transposed(l) : l;
}

TCanvas CrossingTile(bool roadNorthSouth, bool paved, TWetness ground) {
  TCanvas l(T, T);
  const int before = RoadSpan.first - 2, after = RoadSpan.last + 2;  // the headwalls' outer faces
  // The duct runs across the road; only its two ends show.
  PipeShadow(l, !roadNorthSouth, 0, before);
  PipeShadow(l, !roadNorthSouth, after, T);
  PipeRun(l, !roadNorthSouth, 0, before);
  PipeRun(l, !roadNorthSouth, after, T);
  TCanvas c = OnGround(l, ground);
  PaintRoad(c, roadNorthSouth ? (North | South) : (West | East), paved);
  // Stone headwalls where the duct dives under the road.
  const int w = DuctSpan.last - DuctSpan.first + 4;
  for (int at : {before, RoadSpan.last}) {
    const int x = roadNorthSouth ? at : DuctSpan.first - 2, y = roadNorthSouth ? DuctSpan.first - 2 : at;
    Block(c, x, y, roadNorthSouth ? 2 : w, roadNorthSouth ? w : 2, TMaterial::Sandstone, 3);
  }
  return c;
}

TCanvas FenceTile(int arms, TWetness ground) { return OnGround(FenceLayer(arms), ground); }

// A white-painted ranch gate between two heavy posts.
TCanvas GateTile(bool northSouth, TWetness ground) {
  TCanvas l(T, T);
  const int v = FenceSpan.first;
  ShadowRect(l, 0, v + 2, 3, 2);
  ShadowRect(l, 21, v + 2, 3, 2);
  ShadowRect(l, 3, 10, 3, 6);
  ShadowRect(l, 20, 10, 3, 6);
  ShadowRect(l, 6, 14, 14, 2);
  EdgePost(l, West, true);
  EdgePost(l, East, true);
  Rail(l, false, v, 0, 3);
  Rail(l, false, v, 21, 24);
  EdgePost(l, West, false);
  EdgePost(l, East, false);
  for (int x = 5; x < 19; ++x) {
    l.Set(x, 10, Shade(TMaterial::Cream, 5));
    l.Set(x, 13, Shade(TMaterial::Cream, 4));
    l.Set(x, 14, Shade(TMaterial::Cream, 1));
  }
  for (int x : {5, 10, 14, 18})
    for (int y = 11; y < 13; ++y) l.Set(x, y, Shade(TMaterial::Cream, 3));
  Line(l, 6, 12, 17, 11, Shade(TMaterial::Cream, 4));
  Block(l, 2, 9, 3, 6, TMaterial::Wood, 3);
  Block(l, 19, 9, 3, 6, TMaterial::Wood, 3);
  l.Set(5, 10, Shade(TMaterial::Metal, 1));
  l.Set(5, 13, Shade(TMaterial::Metal, 1));
  l.Set(17, 12, Shade(TMaterial::Metal, 0));
  return OnGround(northSouth ? Transposed(l) : l, ground);
}

TCanvas DuctTile(int arms, TWetness ground) { return OnGround(DuctLayer(arms), ground); }

TCanvas DuctFittingTile(bool northSouth, TWetness ground) {
  TCanvas l(T, T);
  PipeShadow(l, false, 0, T);
  ShadowRect(l, 9, 8, 10, 11);
  PipeRun(l, false, 0, T);
  Block(l, 7, 6, 10, 12, TMaterial::Metal, 2);
  // Handwheel of the valve, red, with a steel hub.
  for (int y = 5; y < 19; ++y)
    for (int x = 5; x < 19; ++x) {
      const float dx = x + 0.5f - 12, dy = y + 0.5f - 12;
      const float d = std::hypot(dx, dy);
      if (d < 6.0f && d >= 4.5f) l.Set(x, y, DitherShade(TMaterial::Red, SphereLight(dx / 6, dy / 6) + 0.2f, x, y, 1, 4));
    }
  for (int k = 8; k < 16; ++k) {
    l.Set(k, 12, Shade(TMaterial::Red, 2));
    l.Set(12, k, Shade(TMaterial::Red, 2));
  }
  Block(l, 11, 11, 2, 2, TMaterial::Metal, 3);
  return OnGround(northSouth ? Transposed(l) : l, ground);
}

TCanvas DuctClampTile(bool northSouth, TWetness ground) {
  TCanvas l(T, T);
  PipeShadow(l, false, 0, T);
  PipeRun(l, false, 0, T);
  Coupling(l, false, 5);
  Coupling(l, false, 17);
  return OnGround(northSouth ? Transposed(l) : l, ground);
}

}  // namespace art
