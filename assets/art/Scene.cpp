#include "assets/art/Scene.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "assets/art/JoinTables.h"
#include "assets/art/Paint.h"
#include "assets/art/Sheets.h"
#include "map/Mapa.h"
#include "map/TerrainDetail.h"
#include "view/RanchPictures.h"

namespace art {

namespace {

bool In(char c, const char* set) { return c != 0 && std::strchr(set, c) != nullptr; }

char At(const TSceneMap& m, int x, int y) {
  if (y < 0 || y >= static_cast<int>(m.size()) || x < 0 || x >= static_cast<int>(m[y].size())) return 0;
  return m[y][x];
}

int Mask(const TSceneMap& m, int x, int y, const char* family) {
  return (In(At(m, x, y - 1), family) ? North : 0) | (In(At(m, x - 1, y), family) ? West : 0) |
         (In(At(m, x + 1, y), family) ? East : 0) | (In(At(m, x, y + 1), family) ? South : 0);
}

struct TCell {
  bool house = false;
  int pattern = 0;
  int overlay = -1;  // a keyed pattern drawn over the ground, for the clearing dust
  std::uint8_t kind = tkEmpty;
};

// The tile kind each scene letter stands for.
std::uint8_t KindOf(char c) {
  switch (c) {
    case 'd': return tkDirtRoad;
    case 'p': return tkPavement;
    case 'b': return tkBridge;
    case 'x': return tkCrossing;
    case 'f': return tkFence;
    case 'g': return tkGate;
    case 'u':
    case 'a': return tkDuct;
    case 'v': return tkDuctS;
    case 'w': return tkWater;
    case 't': return tkTree;
    case 's': return tkScenery;
    case 'h': return tkHouse;
    default: return tkEmpty;
  }
}

TCell CellAt(const TSceneMap& m, int x, int y) {
  constexpr const char* road = "dpbx";
  constexpr const char* fence = "fg";
  constexpr const char* duct = "uvax";
  constexpr const char* water = "wb";
  TCell cell;
  const char c = At(m, x, y);
  cell.kind = KindOf(c);
  switch (c) {
    case 'd': cell.pattern = DirtRoadBase + LinearOffset[Mask(m, x, y, road)]; break;
    case 'p': cell.pattern = PavementBase + LinearOffset[Mask(m, x, y, road)]; break;
    case 'b':
    case 'x': cell.pattern = BridgeCrossing; break;
    case 'f': cell.pattern = FenceBase + LinearOffset[Mask(m, x, y, fence)]; break;
    case 'g': cell.pattern = (Mask(m, x, y, fence) & (West | East)) ? GateWestEast : GateNorthSouth; break;
    case 'u': cell.pattern = DuctBase + LinearOffset[Mask(m, x, y, duct)]; break;
    case 'v': cell.pattern = (Mask(m, x, y, duct) & (West | East)) ? DuctFittingWestEast : DuctFittingNorthSouth; break;
    case 'a': cell.pattern = (Mask(m, x, y, duct) & (West | East)) ? DuctWestEastAlt : DuctNorthSouthAlt; break;
    case 'w': cell.pattern = WaterImage[Mask(m, x, y, water)]; break;
    case 't': cell.pattern = FirstTree + (x * 3 + y) % 4; break;
    case 's': cell.pattern = FirstScenery + (x + y * 3) % 4; break;
    case 'c': cell.overlay = FirstClearing + (x + y) % 8; break;
    case 'h':
      cell.house = true;
      cell.pattern = (At(m, x - 1, y) == 'h' ? 1 : 0) + (At(m, x, y - 1) == 'h' ? 2 : 0);
      break;
    default: break;
  }
  return cell;
}

void DrawPattern(TCanvas& out, const TCanvas& sheet, int pattern, int left, int top, int size, bool keyed) {
  const TCanvas p = Pattern(sheet, pattern);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const TColour c = p.Get(x * TilePixels / size, y * TilePixels / size);
      if (keyed && (c | 0xFF000000u) == Magenta) continue;
      out.Set(left + x, top + y, c);
    }
}

}  // namespace

TSceneMap RoadsAndWater() {
  return {
      "ddddd..ww...",
      "d.dtd..ww.w.",
      "ddddd.ww...t",
      "dcd.dwwppppp",
      "dddddwwp.p.p",
      "t....wwppppp",
      "...ddbbp.p.p",
      "cs...wwppppp",
  };
}

TSceneMap FencesAndDucts() {
  return {
      "fgfff..uvuau",
      "f.f.f..u.u.a",
      "fffff..uuuuu",
      "g.f.f..v.u.u",
      "fffff..uuuuu",
      ".t.s.hh.....",
      "t...shh..u.t",
      "dddddpp.dxdd",
  };
}

TSceneMap BridgesAndBends() {
  return {
      "...www.....u....",
      "....www....u..t.",
      "ddddbbbddddxdddd",
      ".....www...u.p..",
      "......www..u.p..",
      "..t....wwwwwwbww",
      "...s....wwwwwbww",
      ".w...........p..",
      "ww.ww......uuxuu",
      ".www.........p..",
  };
}

TSceneMap RanchSample(int width, int height) {
  TSceneMap m(height, std::string(width, '.'));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int r = HashBelow(x, y, 900, 200);
      if (r < 11) m[y][x] = 't';
      else if (r < 16) m[y][x] = 's';
    }
  // The homestead: a fenced square with the house in its top-left corner.
  const int fx = 3, fy = 2, side = 11;
  for (int y = fy; y < fy + side; ++y)
    for (int x = fx; x < fx + side; ++x) {
      const bool edge = x == fx || y == fy || x == fx + side - 1 || y == fy + side - 1;
      if (edge) m[y][x] = 'f';
    }
  for (int y = fy + 1; y < fy + 3; ++y)
    for (int x = fx + 1; x < fx + 3; ++x) m[y][x] = 'h';
  m[fy + side - 1][fx + 5] = 'g';
  // A river from north to south, drifting and changing width.
  int centre = width * 2 / 3;
  for (int y = 0; y < height; ++y) {
    const int w = 2 + HashBelow(y / 2, 0, 901, 3);
    for (int k = 0; k < w; ++k) {
      const int x = centre - w / 2 + k;
      if (x >= 0 && x < width) m[y][x] = 'w';
    }
    if (y % 2 == 1) centre += HashBelow(y, 1, 902, 3) - 1;
  }
  // A track from the gate to the river, crossing it on a bridge.
  const int ty = fy + side + 2;
  for (int y = fy + side; y < ty; ++y) m[y][fx + 5] = 'd';
  for (int x = fx + 5; x < width; ++x) m[ty][x] = m[ty][x] == 'w' ? 'b' : 'd';
  return m;
}

TCanvas RenderScene(const TSceneMap& map, const TCanvas& chao, const TCanvas& casas, int tileSize,
                    TGroundWetness ground, bool detailed) {
  const int w = static_cast<int>(map.empty() ? 0 : map[0].size()), h = static_cast<int>(map.size());
  TCanvas out(w * tileSize, h * tileSize);
  // The scene as a saved map sees it, one tile in from the border, so the
  // detailed pictures come from the game's own choice.
  auto record = std::make_unique<TMapaRecord>();
  for (int y = 0; y < h && y + 1 < MapSize - 1; ++y)
    for (int x = 0; x < w && x + 1 < MapSize - 1; ++x) {
      const TCell cell = CellAt(map, x, y);
      TTile& tile = record->tiles[x + 1][y + 1];
      tile.kind = cell.kind;
      tile.image = static_cast<std::uint8_t>(cell.kind == tkEmpty ? 0 : cell.pattern);
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      TCell cell = CellAt(map, x, y);
      const int left = x * tileSize, top = y * tileSize;
      if (cell.kind == tkEmpty) {
        DrawPattern(out, chao, GroundImage(ground), left, top, tileSize, false);
        if (cell.overlay >= 0) DrawPattern(out, chao, cell.overlay, left, top, tileSize, true);
        continue;
      }
      if (detailed) {
        const TDetailedPicture picture = DetailedPicture(*record, x + 1, y + 1, ground);
        DrawPattern(out, picture.house ? casas : chao, picture.pattern, left, top, tileSize, true);
        if (picture.overlay >= 0) DrawPattern(out, chao, picture.overlay, left, top, tileSize, true);
        continue;
      }
      DrawPattern(out, cell.house ? casas : chao, cell.pattern, left, top, tileSize, false);
    }
  return out;
}

namespace {

// A pattern blended over the picture, as the game lays its shadows down.
void BlendPattern(TCanvas& out, const TCanvas& sheet, int pattern, int left, int top, int size, int alpha) {
  const TCanvas p = Pattern(sheet, pattern);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const TColour c = p.Get(x * TilePixels / size, y * TilePixels / size);
      if ((c | 0xFF000000u) == Magenta || !out.Inside(left + x, top + y)) continue;
      const TColour d = out.Get(left + x, top + y);
      const auto mix = [alpha](int a, int b) { return static_cast<TColour>((a * alpha + b * (255 - alpha)) / 255); };
      out.Set(left + x, top + y, 0xFF000000u | mix(Red(c), Red(d)) << 16 | mix(Green(c), Green(d)) << 8 | mix(Blue(c), Blue(d)));
    }
}

}  // namespace

TSceneMap PastureSample() {
  return {
      "..........w.",
      ".ffffgfffww.",
      ".f.t...Ffw..",
      ".f......fw..",
      ".f.PPPP.fw..",
      ".f.PPPP.fw..",
      ".f..s..Wf.w.",
      ".fffffffffw.",
  };
}

TCanvas RenderRanchScene(const TSceneMap& map, const TCanvas& chao, const TCanvas& casas, int tileSize,
                         TGroundWetness ground, int startX, int startY, std::uint32_t head, int day) {
  TSceneMap plain = map;
  for (std::string& row : plain)
    for (char& c : row)
      if (In(c, "WFP")) c = '.';
  TCanvas out = RenderScene(plain, chao, casas, tileSize, ground, false);
  // The pasture: the walkable tiles joined to the start, in column order as
  // the game counts them.
  const int w = static_cast<int>(map.empty() ? 0 : map[0].size()), h = static_cast<int>(map.size());
  std::vector<std::uint8_t> inside(static_cast<std::size_t>(w * h), 0);
  std::vector<std::array<int, 2>> stack{{startX, startY}};
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    if (!In(At(map, x, y), ".tsWFP") || inside[static_cast<std::size_t>(y * w + x)]) continue;
    inside[static_cast<std::size_t>(y * w + x)] = 1;
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) stack.push_back({x + dx, y + dy});
  }
  // Figures keep off troughs, trees and scenery, as in the game.
  std::vector<std::array<int, 2>> tiles;
  int id = -1;
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) {
      if (!inside[static_cast<std::size_t>(y * w + x)]) continue;
      if (id < 0) id = (x + 1) * MapSize + y + 1;
      if (In(At(map, x, y), ".P")) tiles.push_back({x + 1, y + 1});
    }
  const std::vector<std::uint8_t> counts = HerdSpread(tiles, head, day, id);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int left = x * tileSize, top = y * tileSize;
      const char c = At(map, x, y);
      if (c == 'P') DrawPattern(out, chao, PlantedPattern(ground), left, top, tileSize, true);
      if (c == 'W' || c == 'F') {
        BlendPattern(out, chao, c == 'W' ? WaterTroughShadow : FeedTroughShadow, left, top, tileSize, RanchShadowOpacity);
        DrawPattern(out, chao, c == 'W' ? WaterTroughPattern : FeedTroughPattern, left, top, tileSize, true);
      }
    }
  for (std::size_t i = 0; i < tiles.size(); ++i) {
    const int left = (tiles[i][0] - 1) * tileSize, top = (tiles[i][1] - 1) * tileSize;
    for (const TFigure& f : TileFigures(tiles[i][0], tiles[i][1], counts[i], day, id)) {
      const int fl = left + FigureShift(f.dx, tileSize), ft = top + FigureShift(f.dy, tileSize);
      BlendPattern(out, chao, CattleShadow(f.pose, f.facing), fl, ft, tileSize, RanchShadowOpacity);
      DrawPattern(out, chao, CattlePattern(f.coat, f.pose, f.facing), fl, ft, tileSize, true);
    }
  }
  return out;
}

std::vector<int> ScenePatterns(const TSceneMap& map) {
  std::vector<int> used;
  for (int y = 0; y < static_cast<int>(map.size()); ++y)
    for (int x = 0; x < static_cast<int>(map[y].size()); ++x) {
      const TCell cell = CellAt(map, x, y);
      if (!cell.house) used.push_back(cell.pattern);
    }
  std::sort(used.begin(), used.end());
  used.erase(std::unique(used.begin(), used.end()), used.end());
  return used;
}

}  // namespace art
