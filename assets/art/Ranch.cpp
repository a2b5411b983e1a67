// The ranch economy's pictures: troughs, planted grass and cattle. They are
// drawn over tiles the map has already painted, so everything but the
// figures themselves is see-through, and shadows are patterns of their own
// that the game lays down blended, darkening whatever ground lies beneath.
#include "assets/art/Ranch.h"

#include <array>
#include <string_view>

#include "assets/art/Paint.h"
#include "assets/art/Palette.h"

namespace art {

namespace {

constexpr int T = 24;
const TColour ShadowInk = Shade(TMaterial::Ink, 0);

// A figure drawn from a character map, one character a pixel:
// b body, h hump, H head, m muzzle, e ear, l leg, k hoof, t tail, . nothing.
using TFigureMap = std::array<std::string_view, 10>;

// Side view facing east, then facing the viewer (south) and away (north),
// each standing, grazing and lying. West is east mirrored.
constexpr std::array<TFigureMap, 3> EastMaps = {{
    {".......hh...",
     "..bbbbbhhh..",
     ".bbbbbbbbbeH",
     "tbbbbbbbbbHH",
     "tbbbbbbbbbHm",
     "t.bbbbbbb.Hm",
     "..l.l..l.l..",
     "..l.l..l.l..",
     "..k.k..k.k..",
     ""},
    {".......hh...",
     "..bbbbbhhh..",
     ".bbbbbbbbbb.",
     "tbbbbbbbbbbe",
     "tbbbbbbbbbHH",
     "t.bbbbbbb.HH",
     "..l.l..l.lHH",
     "..l.l..l.l.m",
     "..k.k..k.k..",
     ""},
    {"",
     "",
     "",
     ".......hh...",
     "..bbbbbhhh..",
     ".bbbbbbbbbeH",
     "tbbbbbbbbbHH",
     "tbbbbbbbbbHm",
     ".kkbbbbbkk..",
     ""},
}};
constexpr std::array<TFigureMap, 3> SouthMaps = {{
    {"..bbbb..",
     ".bbbbbb.",
     ".bbbbbb.",
     ".bbhhbb.",
     "ebbhhbbe",
     "e.HHHH.e",
     "..HHHH..",
     ".l.mm.l.",
     ".l....l.",
     ".k....k."},
    {"..bbbb..",
     ".bbbbbb.",
     ".bbbbbb.",
     ".bbhhbb.",
     ".bbhhbb.",
     ".lbbbbl.",
     "el.HH.le",
     ".k.HH.k.",
     "...HH...",
     "...mm..."},
    {"",
     "",
     ".bbbbbb.",
     "bbbbbbbb",
     "bbbhhbbb",
     "ebbhhbbe",
     "e.HHHH.e",
     "k.HHHH.k",
     "...mm...",
     ""},
}};
constexpr std::array<TFigureMap, 3> NorthMaps = {{
    {"..eHHe..",
     "...HH...",
     ".bbhhbb.",
     ".bbhhbb.",
     ".bbbbbb.",
     ".bbbbbb.",
     ".bbbbbb.",
     "..bbbb..",
     ".l.tt.l.",
     ".k..t.k."},
    {".......",
     "..bbbb..",
     ".bbhhbb.",
     ".bbhhbb.",
     ".bbbbbb.",
     ".bbbbbb.",
     ".bbbbbb.",
     "..bbtb..",
     ".l..t.l.",
     ".k....k."},
    {"",
     "",
     "..eHHe..",
     ".bbhhbb.",
     "bbbhhbbb",
     "bbbbbbbb",
     "bbbbbbbb",
     ".kbbbbk.",
     "...tt...",
     ""},
}};

struct TCoatColours {
  TMaterial coat;
  int light;   // the coat's shade in full light; the body darkens below it
  TColour head;
  TColour muzzle;
  TColour ear;
  TColour leg;
  TColour hoof;
  TColour tail;
};

TCoatColours CoatColours(TCoat coat) {
  if (coat == TCoat::White)
    return {TMaterial::Cloud, 5, Shade(TMaterial::Cloud, 3), Shade(TMaterial::Ink, 2), Shade(TMaterial::Cloud, 2),
            Shade(TMaterial::Cloud, 2), Shade(TMaterial::Ink, 0), Shade(TMaterial::Ink, 3)};
  return {TMaterial::Red, 3, Shade(TMaterial::Red, 2), Shade(TMaterial::Ink, 1), Shade(TMaterial::Red, 1),
          Shade(TMaterial::Red, 1), Shade(TMaterial::Ink, 0), Shade(TMaterial::Ink, 2)};
}

const TFigureMap& MapOf(TCattlePose pose, TFacing facing) {
  const std::size_t p = static_cast<std::size_t>(pose);
  if (facing == TFacing::South) return SouthMaps[p];
  if (facing == TFacing::North) return NorthMaps[p];
  return EastMaps[p];
}

int MapWidth(const TFigureMap& map) {
  std::size_t w = 0;
  for (std::string_view row : map) w = std::max(w, row.size());
  return static_cast<int>(w);
}

// The character at figure pixel (x, y), mirrored for a west-facing figure.
char At(const TFigureMap& map, int width, bool mirrored, int x, int y) {
  if (y < 0 || y >= static_cast<int>(map.size()) || x < 0 || x >= width) return '.';
  const std::string_view row = map[static_cast<std::size_t>(y)];
  const int column = mirrored ? width - 1 - x : x;
  return column < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(column)] : '.';
}

bool IsCoat(char c) { return c == 'b' || c == 'h'; }

// Where a figure's character map sits in its pattern: centred in the
// figure's box, one pixel clear on the right and below for its shadow.
void Origin(const TFigureMap& map, int& x0, int& y0) {
  const int room = CattleBoxEnd - CattleBoxFirst - 1;
  x0 = CattleBoxFirst + (room - MapWidth(map)) / 2;
  y0 = CattleBoxFirst + (room - static_cast<int>(map.size())) / 2;
}

}  // namespace

TCanvas CattleFigure(TCoat coat, TCattlePose pose, TFacing facing) {
  const TFigureMap& map = MapOf(pose, facing);
  const bool mirrored = facing == TFacing::West;
  const int width = MapWidth(map);
  const TCoatColours colours = CoatColours(coat);
  int x0, y0;
  Origin(map, x0, y0);
  int top = -1, bottom = 0;
  for (int y = 0; y < static_cast<int>(map.size()); ++y)
    for (int x = 0; x < width; ++x)
      if (IsCoat(At(map, width, mirrored, x, y))) {
        if (top < 0) top = y;
        bottom = y;
      }
  TCanvas c(T, T);
  for (int y = 0; y < static_cast<int>(map.size()); ++y)
    for (int x = 0; x < width; ++x) {
      const char ch = At(map, width, mirrored, x, y);
      TColour colour = Transparent;
      if (IsCoat(ch)) {
        // Lit from the top left: the back is brightest, the belly darkest,
        // and the rim on the shadow side darker still, so the figure keeps
        // its shape on pale ground.
        const float down = bottom > top ? static_cast<float>(y - top) / static_cast<float>(bottom - top) : 0.5f;
        int i = colours.light - (down > 0.66f ? 2 : down > 0.3f ? 1 : 0);
        if (ch == 'h') i = colours.light;
        const bool rimRight = !IsCoat(At(map, width, mirrored, x + 1, y)) && At(map, width, mirrored, x + 1, y) != 'H';
        const bool rimBelow = !IsCoat(At(map, width, mirrored, x, y + 1)) && At(map, width, mirrored, x, y + 1) != 'H';
        const bool rimLeft = !IsCoat(At(map, width, mirrored, x - 1, y)) && At(map, width, mirrored, x - 1, y) != 'H';
        // Both flanks darker, so a figure standing over another keeps its own outline.
        if (rimRight || rimBelow || rimLeft) i -= 2;
        colour = Shade(colours.coat, i);
      } else if (ch == 'H') {
        const bool lit = !IsCoat(At(map, width, mirrored, x, y - 1)) && At(map, width, mirrored, x, y - 1) != 'H';
        colour = lit ? Darken(colours.head, -1) : colours.head;
      } else if (ch == 'm') {
        colour = colours.muzzle;
      } else if (ch == 'e') {
        colour = colours.ear;
      } else if (ch == 'l') {
        colour = colours.leg;
      } else if (ch == 'k') {
        colour = colours.hoof;
      } else if (ch == 't') {
        colour = colours.tail;
      }
      if (colour != Transparent) c.Set(x0 + x, y0 + y, colour);
    }
  return c;
}

TCanvas CattleShadowPicture(TCattlePose pose, TFacing facing) {
  const TFigureMap& map = MapOf(pose, facing);
  const bool mirrored = facing == TFacing::West;
  const int width = MapWidth(map);
  int x0, y0;
  Origin(map, x0, y0);
  TCanvas c(T, T);
  // The figure's outline one pixel down and right, and a pool of shade
  // about its feet, both cast by light from the top left.
  int feet = 0, left = width, right = 0;
  for (int y = 0; y < static_cast<int>(map.size()); ++y)
    for (int x = 0; x < width; ++x) {
      if (At(map, width, mirrored, x, y) == '.') continue;
      c.Set(x0 + x + 1, y0 + y + 1, ShadowInk);
      feet = y;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  const float cx = x0 + (left + right + 1) / 2.0f + 1.0f, cy = y0 + feet + 0.5f;
  const float rx = (right - left + 1) / 2.0f, ry = 1.6f;
  for (int y = y0 + feet - 1; y <= y0 + feet + 2; ++y)
    for (int x = x0 + left; x <= x0 + right + 2; ++x) {
      const float nx = (x + 0.5f - cx) / rx, ny = (y + 0.5f - cy) / ry;
      if (nx * nx + ny * ny < 1.0f && x < CattleBoxEnd && y < CattleBoxEnd) c.Set(x, y, ShadowInk);
    }
  return c;
}

TCanvas WaterTrough() {
  TCanvas c(T, T);
  // A round-ended concrete trough, full of water catching the sky, with the
  // float box at its west end where the pipe comes in.
  for (int y = 7; y < 17; ++y)
    for (int x = 3; x < 21; ++x) {
      const bool corner = (x == 3 || x == 20) && (y == 7 || y == 16);
      if (corner) continue;
      const bool rim = y == 7 || y == 16 || x == 3 || x == 20 || y == 8 || x == 4;
      int i = 3;
      if (y == 7 || x == 3) i = 5;
      else if (y == 16 || x == 20) i = 1;
      else if (y == 8 || x == 4) i = 2;
      c.Set(x, y, rim ? Shade(TMaterial::Stone, i) : Shade(TMaterial::Stone, 3));
    }
  for (int y = 9; y < 15; ++y)
    for (int x = 5; x < 19; ++x) {
      int i = y == 9 ? 1 : (x + y) % 5 == 0 ? 4 : 3;
      if (y == 10 && (x == 8 || x == 9 || x == 14)) i = 5;
      c.Set(x, y, Shade(TMaterial::Water, i));
    }
  c.FillRect(5, 9, 3, 3, Shade(TMaterial::Stone, 4));
  c.Set(7, 11, Shade(TMaterial::Stone, 2));
  c.Set(7, 10, Shade(TMaterial::Stone, 2));
  return c;
}

TCanvas FeedTrough() {
  TCanvas c(T, T);
  // A long wooden trough on short legs, heaped with golden feed, its front
  // board in the light of the south.
  for (int x = 2; x < 22; ++x) {
    c.Set(x, 7, Shade(TMaterial::Wood, 5));
    c.Set(x, 8, Shade(TMaterial::Wood, 3));
    for (int y = 14; y < 17; ++y) c.Set(x, y, Shade(TMaterial::Wood, y == 14 ? 4 : x % 5 == 0 ? 1 : 2));
  }
  for (int y = 7; y < 17; ++y) {
    c.Set(2, y, Shade(TMaterial::Wood, 4));
    c.Set(21, y, Shade(TMaterial::Wood, 1));
  }
  for (int y = 9; y < 14; ++y)
    for (int x = 3; x < 21; ++x) {
      const int heap = (y == 9 || y == 13) ? 2 : 3;
      const int grain = HashBelow(x, y, 911, 4);
      c.Set(x, y, Shade(TMaterial::Gold, heap + (grain == 0 ? 2 : grain == 1 ? -1 : 0)));
    }
  for (int x : {3, 20}) {
    c.Set(x, 17, Shade(TMaterial::Wood, 1));
    c.Set(x, 18, Shade(TMaterial::Wood, 0));
  }
  return c;
}

TCanvas TroughShadow(const TCanvas& trough) {
  TCanvas c(T, T);
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x)
      if (Alpha(trough.Get(x, y)) == 255) {
        c.Set(x + 1, y + 1, ShadowInk);
        c.Set(x + 2, y + 2, ShadowInk);
      }
  return c;
}

TCanvas PlantedGrass(TWetness ground) {
  TCanvas c(T, T);
  const int wet = ground == TWetness::Dry ? 0 : ground == TWetness::Wet ? 1 : 2;
  // Sown rows: a furrow of turned earth two pixels deep, a row of young
  // blades above it, then the ground between the rows.
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      const int row = y % 6;
      if (row == 2 || row == 3) {
        int i = (row == 2 ? 2 : 1) + (wet == 0 ? 1 : 0) - (wet == 2 ? 1 : 0);
        if (wet == 2 && row == 3 && HashBelow(x / 3, y, 930, 3) == 0) {
          c.Set(x, y, Shade(TMaterial::Water, x % 3 == 0 ? 4 : 2));
          continue;
        }
        if (HashBelow(x, y, 931, 6) == 0) ++i;
        c.Set(x, y, Shade(TMaterial::Earth, i));
      } else if (row == 0 || row == 1) {
        const int tuft = (x + (y / 6) * 2) % 3;
        if (tuft == 2) continue;
        const int base = wet == 0 ? 4 : 3;
        const int i = row == 0 ? base + (tuft == 0 ? 1 : 0) : base - 1;
        c.Set(x, y, Shade(TMaterial::Leaf, i));
      }
    }
  return c;
}

void PutRanchPictures(TCanvas& sheet, int columns) {
  const auto put = [&](int i, const TCanvas& picture) {
    const int left = (i % columns) * T, top = (i / columns) * T;
    sheet.FillRect(left, top, T, T, Magenta);
    for (int y = 0; y < T; ++y)
      for (int x = 0; x < T; ++x)
        if (Alpha(picture.Get(x, y)) == 255) sheet.Set(left + x, top + y, picture.Get(x, y));
  };
  // The unused numbers of the rows draw nothing.
  for (int i = WaterTroughPattern; i < (RanchPatternEnd + columns - 1) / columns * columns; ++i) put(i, TCanvas(T, T));
  const TCanvas water = WaterTrough(), feed = FeedTrough();
  put(WaterTroughPattern, water);
  put(WaterTroughShadow, TroughShadow(water));
  put(FeedTroughPattern, feed);
  put(FeedTroughShadow, TroughShadow(feed));
  put(PlantedPattern(TGroundWetness::Dry), PlantedGrass(TWetness::Dry));
  put(PlantedPattern(TGroundWetness::Damp), PlantedGrass(TWetness::Wet));
  put(PlantedPattern(TGroundWetness::Soaked), PlantedGrass(TWetness::VeryWet));
  for (int coat = 0; coat < Coats; ++coat)
    for (int pose = 0; pose < CattlePoses; ++pose)
      for (int facing = 0; facing < Facings; ++facing) {
        const auto c = static_cast<TCoat>(coat);
        const auto p = static_cast<TCattlePose>(pose);
        const auto f = static_cast<TFacing>(facing);
        put(CattlePattern(c, p, f), CattleFigure(c, p, f));
        if (coat == 0) put(::CattleShadow(p, f), CattleShadowPicture(p, f));
      }
}

}  // namespace art
