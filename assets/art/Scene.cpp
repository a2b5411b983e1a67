#include "assets/art/Scene.h"

#include <algorithm>
#include <cstring>

#include "assets/art/JoinTables.h"
#include "assets/art/Paint.h"
#include "assets/art/Sheets.h"

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
};

TCell CellAt(const TSceneMap& m, int x, int y) {
  constexpr const char* road = "dpbx";
  constexpr const char* fence = "fg";
  constexpr const char* duct = "uvax";
  constexpr const char* water = "wb";
  TCell cell;
  const char c = At(m, x, y);
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

TCanvas RenderScene(const TSceneMap& map, const TCanvas& chao, const TCanvas& casas, int tileSize) {
  const int w = static_cast<int>(map.empty() ? 0 : map[0].size()), h = static_cast<int>(map.size());
  TCanvas out(w * tileSize, h * tileSize);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TCell cell = CellAt(map, x, y);
      const int left = x * tileSize, top = y * tileSize;
      if (cell.house) {
        DrawPattern(out, casas, cell.pattern, left, top, tileSize, false);
        continue;
      }
      DrawPattern(out, chao, cell.pattern, left, top, tileSize, false);
      if (cell.overlay >= 0) DrawPattern(out, chao, cell.overlay, left, top, tileSize, true);
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
