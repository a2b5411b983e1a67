// The farmhouse, equipment, constructions and weather icons.
#include <algorithm>
#include <cmath>

#include "assets/art/Ground.h"
#include "assets/art/JoinTables.h"
#include "assets/art/Paint.h"
#include "assets/art/Sheets.h"

namespace art {

namespace {

constexpr int T = TilePixels;

TCanvas GrassField(int w, int h) {
  TCanvas c(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) c.Set(x, y, Grass(x, y));
  return c;
}

void Box(TCanvas& c, int x0, int y0, int w, int h, TMaterial m, int base) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      int i = base;
      if (y == y0 || x == x0) i = base + 1;
      if (y == y0 + h - 1 || x == x0 + w - 1) i = base - 2;
      c.Set(x, y, Shade(m, i));
    }
}

void Shadow(TCanvas& l, int x0, int y0, int w, int h) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x)
      if (l.Inside(x, y) && Alpha(l.Get(x, y)) == 0) l.Set(x, y, ShadowMark);
}

// A hipped roof seen from above: each slope takes the light by the way it faces,
// with courses of tiles parallel to the eaves and pale hips.
void HipRoof(TCanvas& c, int x0, int y0, int x1, int y1, TMaterial m) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const int dn = y - y0, ds = y1 - 1 - y, dw = x - x0, de = x1 - 1 - x;
      const int d = std::min({dn, ds, dw, de});
      int i;
      bool course;
      if (d == dn) { i = 4; course = dn % 3 == 2; }
      else if (d == dw) { i = 3; course = dw % 3 == 2; }
      else if (d == de) { i = 2; course = de % 3 == 2; }
      else { i = 1; course = ds % 3 == 2; }
      if (course) --i;
      const int ties = (d == dn) + (d == ds) + (d == dw) + (d == de);
      if (ties > 1) i = 5;
      if (d == 0) i = std::min(i, 1);
      c.Set(x, y, Shade(m, i));
    }
}

void Window(TCanvas& c, int x, int y) {
  Box(c, x, y, 5, 5, TMaterial::Wood, 2);
  c.FillRect(x + 1, y + 1, 3, 3, Shade(TMaterial::Water, 4));
  c.Set(x + 1, y + 1, Shade(TMaterial::Water, 5));
  c.Set(x + 2, y + 1, Shade(TMaterial::Wood, 1));
  c.Set(x + 2, y + 2, Shade(TMaterial::Wood, 1));
  c.Set(x + 2, y + 3, Shade(TMaterial::Wood, 1));
}

// Puffy cloud from a few lit balls inside one outline; lo and hi pick how dark it is.
void Cloud(TCanvas& c, float cx, float cy, float s, int lo, int hi) {
  const float parts[4][3] = {{-4.5f, 1.5f, 3.2f}, {4.5f, 1.5f, 3.0f}, {-0.8f, -1.2f, 4.4f}, {0.8f, 2.0f, 3.4f}};
  for (const auto& p : parts) FillDisc(c, cx + p[0] * s, cy + p[1] * s, p[2] * s + 1.0f, Shade(TMaterial::Cloud, std::max(lo - 1, 0)));
  for (const auto& p : parts) LitDisc(c, cx + p[0] * s, cy + p[1] * s, p[2] * s, TMaterial::Cloud, lo, hi, false);
}

void Sun(TCanvas& c, float cx, float cy, float r) {
  for (int k = 0; k < 8; ++k) {
    const float a = k * 3.14159f / 4;
    for (float d = r + 1.5f; d < r + 3.6f; d += 0.5f)
      c.Set(static_cast<int>(cx + std::cos(a) * d), static_cast<int>(cy + std::sin(a) * d), Shade(TMaterial::Gold, 3));
  }
  LitDisc(c, cx, cy, r, TMaterial::Gold, 2, 5, false);
}

// Slanting rain streaks, spread evenly under the cloud.
void Drops(TCanvas& c, int count, int top, TColour colour, int length) {
  for (int k = 0; k < count; ++k) {
    const int x = 5 + (k * 7) % 17, y = top + (k * 3) % std::max(1, 24 - top - length);
    for (int j = 0; j < length; ++j) c.Set(x - j / 2, y + j, colour);
  }
}

// Flat backdrop of an icon: blue sky, or grey as the weather worsens.
TCanvas SkyPanel(TColour colour) { return TCanvas(T, T, colour); }

// Disc harrow, wheelbarrow, salt trough and crop sprayer, in a row at y0.
void EquipSecondRow(TCanvas& l, int y0) {
  Shadow(l, 4, y0 + 5, 18, 16);
  Line(l, 1, y0 + 12, 6, y0 + 12, Shade(TMaterial::Metal, 2));
  Box(l, 6, y0 + 4, 14, 2, TMaterial::Metal, 2);
  Box(l, 6, y0 + 18, 14, 2, TMaterial::Metal, 2);
  Box(l, 6, y0 + 4, 2, 16, TMaterial::Red, 3);
  for (int k = 0; k < 4; ++k) {
    LitDisc(l, 11.0f, y0 + 7.5f + k * 3.2f, 1.9f, TMaterial::Metal, 1, 5, false);
    LitDisc(l, 16.5f, y0 + 9.0f + k * 3.2f, 1.9f, TMaterial::Metal, 1, 5, false);
  }
  // Wheelbarrow: a green tray, one wheel in front, two handles behind.
  Shadow(l, T + 5, y0 + 7, 17, 13);
  Line(l, T + 15, y0 + 8, T + 22, y0 + 6, Shade(TMaterial::Wood, 3));
  Line(l, T + 15, y0 + 16, T + 22, y0 + 18, Shade(TMaterial::Wood, 3));
  for (int y = 6; y < 19; ++y)
    for (int x = 5; x < 17; ++x) {
      const int inset = (x - 5) / 4;
      if (y < 6 + inset || y > 18 - inset) continue;
      const bool rim = y == 6 + inset || y == 18 - inset || x == 5 || x == 16;
      l.Set(T + x, y0 + y, Shade(TMaterial::Leaf, rim ? (y < 12 ? 5 : 1) : 3 + (x + y) % 2));
    }
  Box(l, T + 2, y0 + 11, 3, 3, TMaterial::Ink, 3);
  // Salt trough: a long wooden box full of white salt.
  Shadow(l, 2 * T + 4, y0 + 9, 19, 9);
  Box(l, 2 * T + 3, y0 + 8, 18, 8, TMaterial::Wood, 3);
  for (int y = 10; y < 14; ++y)
    for (int x = 5; x < 19; ++x) l.Set(2 * T + x, y0 + y, Shade(TMaterial::Cream, HashBelow(x, y, 710, 3) == 0 ? 3 : 5));
  Box(l, 2 * T + 2, y0 + 15, 3, 4, TMaterial::Wood, 2);
  Box(l, 2 * T + 18, y0 + 15, 3, 4, TMaterial::Wood, 2);
  // Sprayer: a yellow tank on two wheels with a boom of nozzles.
  Shadow(l, 3 * T + 8, y0 + 4, 12, 18);
  Line(l, 3 * T + 4, y0 + 3, 3 * T + 4, y0 + 20, Shade(TMaterial::Metal, 3));
  for (int y = 4; y < 21; y += 4) l.Set(3 * T + 3, y0 + y, Shade(TMaterial::Sky, 4));
  Box(l, 3 * T + 9, y0 + 3, 4, 3, TMaterial::Ink, 3);
  Box(l, 3 * T + 9, y0 + 18, 4, 3, TMaterial::Ink, 3);
  LitDisc(l, 3 * T + 12.0f, y0 + 12.0f, 6.0f, TMaterial::Gold, 1, 5, true);
  Box(l, 3 * T + 11, y0 + 11, 2, 2, TMaterial::Metal, 2);
  Line(l, 3 * T + 18, y0 + 12, 3 * T + 23, y0 + 12, Shade(TMaterial::Metal, 2));
}

// Chicken coop, tool shed, long stable and a round corral, in a row at y0.
void ConstruSecondRow(TCanvas& l, int y0) {
  Shadow(l, 4, y0 + 4, 18, 18);
  for (int y = 2; y < 12; ++y)
    for (int x = 3; x < 15; ++x) l.Set(x, y0 + y, Shade(TMaterial::Gold, y < 7 ? (y % 2 ? 3 : 4) : (y % 2 ? 1 : 2)));
  Box(l, 3, y0 + 12, 12, 5, TMaterial::Wood, 3);
  l.FillRect(8, y0 + 13, 3, 4, Shade(TMaterial::Ink, 1));
  for (int x = 15; x < 23; ++x) {
    l.Set(x, y0 + 4, Shade(TMaterial::Wood, 4));
    l.Set(x, y0 + 20, Shade(TMaterial::Wood, 2));
  }
  for (int y = 4; y < 21; ++y) l.Set(22, y0 + y, Shade(TMaterial::Wood, 2));
  for (int k = 0; k < 4; ++k) {
    const int x = 16 + (k * 5) % 6, y = 7 + k * 3;
    l.Set(x, y0 + y, Shade(TMaterial::Cloud, 5));
    l.Set(x + 1, y0 + y, Shade(TMaterial::Cloud, 4));
    l.Set(x + 2, y0 + y, Shade(TMaterial::Red, 3));
  }
  // Tool shed with a ribbed metal roof.
  Shadow(l, T + 6, y0 + 4, 16, 18);
  for (int y = 3; y < 16; ++y)
    for (int x = 4; x < 20; ++x) l.Set(T + x, y0 + y, Shade(TMaterial::Metal, (x % 3 == 0 ? 2 : 4) - (y > 9 ? 1 : 0)));
  for (int x = 4; x < 20; ++x) l.Set(T + x, y0 + 9, Shade(TMaterial::Metal, 5));
  Box(l, T + 5, y0 + 16, 14, 5, TMaterial::Wood, 3);
  Box(l, T + 9, y0 + 16, 6, 5, TMaterial::Wood, 1);
  // A long stable: gable roof in red tiles, stalls below.
  Shadow(l, 2 * T + 3, y0 + 4, 21, 18);
  for (int y = 2; y < 14; ++y)
    for (int x = 1; x < 23; ++x) l.Set(2 * T + x, y0 + y, Shade(TMaterial::Red, y < 8 ? (x % 3 == 0 ? 3 : 4) : (x % 3 == 0 ? 1 : 2)));
  for (int x = 1; x < 23; ++x) l.Set(2 * T + x, y0 + 7, Shade(TMaterial::Red, 5));
  Box(l, 2 * T + 1, y0 + 14, 22, 7, TMaterial::Wood, 3);
  for (int x : {3, 9, 15}) Box(l, 2 * T + x, y0 + 15, 5, 6, TMaterial::Wood, 1);
  // A round corral of posts and rails around trodden earth.
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      const float d = std::hypot(x + 0.5f - 12, y + 0.5f - 12);
      if (d < 8.5f) l.Set(3 * T + x, y0 + y, DitherShade(TMaterial::Earth, 0.6f - d / 30, x, y, 2, 4));
      else if (d < 9.5f) l.Set(3 * T + x, y0 + y, Shade(TMaterial::Wood, x + y < 24 ? 4 : 2));
    }
  for (int k = 0; k < 12; ++k) {
    const float a = k * 6.2832f / 12;
    Box(l, 3 * T + static_cast<int>(11.5f + std::cos(a) * 9), y0 + static_cast<int>(11.5f + std::sin(a) * 9), 2, 2, TMaterial::Wood, 3);
  }
}

// The farmhouse on plain ground of a wetness, its four tiles in one picture.
TCanvas House(TWetness ground) {
  const TCanvas tile = GroundTile(ground, 0);
  TCanvas c(2 * T, 2 * T);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) c.Draw(tile, x * T, y * T);
  TCanvas l(2 * T, 2 * T);
  Shadow(l, 42, 6, 3, 36);
  Shadow(l, 9, 41, 36, 2);
  // Front wall in plaster, seen below the south eave.
  for (int y = 30; y < 41; ++y)
    for (int x = 7; x < 41; ++x) l.Set(x, y, Shade(TMaterial::Cream, y == 30 ? 1 : y == 40 ? 0 : x == 7 ? 4 : 3));
  Window(l, 11, 33);
  Window(l, 32, 33);
  Box(l, 21, 32, 6, 9, TMaterial::Wood, 2);
  l.Set(25, 36, Shade(TMaterial::Gold, 4));
  l.FillRect(20, 41, 8, 2, Shade(TMaterial::Stone, 3));
  l.FillRect(20, 42, 8, 1, Shade(TMaterial::Stone, 1));
  HipRoof(l, 5, 4, 43, 31, TMaterial::Red);
  Box(l, 33, 9, 4, 6, TMaterial::Red, 1);
  l.FillRect(34, 10, 2, 2, Shade(TMaterial::Ink, 0));
  Shadow(l, 37, 10, 1, 6);
  // Flowers along the front.
  for (int x : {9, 12, 15, 31, 34, 37}) {
    l.Set(x, 42, Shade(TMaterial::Red, 4));
    l.Set(x + 1, 43, Shade(TMaterial::Leaf, 3));
  }
  Compose(c, l);
  return c;
}

}  // namespace

// Dry, then on damp and on soaked ground for the detailed terrain: each a
// further 2 x 2 patterns down, so the stored house numbers stay first.
TCanvas MakeCasas() {
  TCanvas sheet(2 * T, 2 * T * 3);
  sheet.Draw(House(TWetness::Dry), 0, 0);
  sheet.Draw(House(TWetness::Wet), 0, 2 * T);
  sheet.Draw(House(TWetness::VeryWet), 0, 4 * T);
  return sheet;
}

TCanvas MakeEquip() {
  TCanvas c = GrassField(4 * T, 2 * T);
  TCanvas l(4 * T, 2 * T);
  // A red tractor facing east: big rear wheels, small front ones, an exhaust.
  Shadow(l, 5, 6, 17, 15);
  for (int x : {5, 6, 7, 8, 9}) {
    l.Set(x, 4, Shade(TMaterial::Ink, 1));
    l.Set(x, 5, Shade(TMaterial::Ink, 2));
    l.Set(x, 18, Shade(TMaterial::Ink, 1));
    l.Set(x, 19, Shade(TMaterial::Ink, 0));
  }
  Box(l, 15, 6, 4, 2, TMaterial::Ink, 3);
  Box(l, 15, 16, 4, 2, TMaterial::Ink, 2);
  Box(l, 4, 7, 16, 10, TMaterial::Red, 3);
  Box(l, 5, 8, 6, 8, TMaterial::Red, 2);
  l.FillRect(6, 9, 4, 6, Shade(TMaterial::Ink, 2));
  l.Set(8, 11, Shade(TMaterial::Ink, 4));
  Box(l, 12, 9, 6, 6, TMaterial::Red, 4);
  l.Set(14, 8, Shade(TMaterial::Ink, 0));
  l.Set(19, 11, Shade(TMaterial::Gold, 4));
  l.Set(19, 12, Shade(TMaterial::Gold, 4));
  // A wooden water trough.
  Shadow(l, 27, 8, 20, 10);
  Box(l, 26, 7, 19, 9, TMaterial::Wood, 3);
  l.FillRect(28, 9, 15, 5, Shade(TMaterial::Water, 3));
  l.FillRect(28, 9, 15, 1, Shade(TMaterial::Water, 1));
  l.Set(31, 11, Shade(TMaterial::Water, 5));
  l.Set(39, 12, Shade(TMaterial::Water, 5));
  // Round hay bales.
  Shadow(l, 49, 4, 20, 18);
  LitDisc(l, 55, 9, 5.0f, TMaterial::Gold, 0, 4, true);
  LitDisc(l, 65, 11, 5.0f, TMaterial::Gold, 0, 4, true);
  LitDisc(l, 58, 17, 4.5f, TMaterial::Gold, 0, 4, true);
  for (int k = 0; k < 3; ++k) {
    const int cx = k == 0 ? 55 : k == 1 ? 65 : 58, cy = k == 0 ? 9 : k == 1 ? 11 : 17;
    l.Set(cx, cy, Shade(TMaterial::Gold, 1));
    l.Set(cx - 1, cy - 1, Shade(TMaterial::Gold, 1));
  }
  // A steel water tank on legs.
  Shadow(l, 76, 5, 16, 16);
  LitDisc(l, 84, 12, 8.0f, TMaterial::Metal, 0, 5, true);
  for (float r : {5.0f, 2.5f})
    for (int k = 0; k < 40; ++k) {
      const float a = k * 6.2832f / 40;
      l.Set(static_cast<int>(84 + std::cos(a) * r), static_cast<int>(12 + std::sin(a) * r), Shade(TMaterial::Metal, 2));
    }
  l.Set(83, 11, Shade(TMaterial::Metal, 5));
  EquipSecondRow(l, T);
  Compose(c, l);
  return c;
}

TCanvas MakeConstru() {
  TCanvas c = GrassField(4 * T, 2 * T);
  TCanvas l(4 * T, 2 * T);
  // A small barn with a red gable roof and a wooden front.
  Shadow(l, 5, 3, 18, 19);
  for (int y = 2; y < 16; ++y)
    for (int x = 2; x < 21; ++x) l.Set(x, y, Shade(TMaterial::Red, y < 9 ? (y % 3 == 2 ? 3 : 4) : (y % 3 == 2 ? 1 : 2)));
  for (int x = 2; x < 21; ++x) l.Set(x, 9, Shade(TMaterial::Red, 5));
  Box(l, 3, 16, 17, 6, TMaterial::Wood, 3);
  Box(l, 8, 16, 7, 6, TMaterial::Wood, 1);
  Line(l, 8, 16, 14, 21, Shade(TMaterial::Wood, 4));
  Line(l, 14, 16, 8, 21, Shade(TMaterial::Wood, 4));
  // A grain silo with a conical roof.
  Shadow(l, 29, 4, 19, 19);
  for (int y = 0; y < T; ++y)
    for (int x = 0; x < T; ++x) {
      const float dx = x + 0.5f - 11.5f, dy = y + 0.5f - 11.5f;
      const float d = std::hypot(dx, dy);
      if (d >= 9.0f) continue;
      const float ring = std::fmod(d, 3.0f) < 0.8f ? 0.15f : 0.0f;
      l.Set(T + x, y, DitherShade(TMaterial::Metal, SphereLight(dx / 9, dy / 9) * 0.6f + 0.45f * (1 - d / 9) - ring, x, y, 0, 5));
    }
  l.Set(T + 11, 11, Shade(TMaterial::Metal, 5));
  // A stone well with water and a little roof beam.
  Shadow(l, 53, 5, 17, 17);
  LitDisc(l, 60, 12, 7.0f, TMaterial::Stone, 1, 5, true);
  FillDisc(l, 60, 12, 4.2f, Shade(TMaterial::Water, 1));
  l.Set(59, 11, Shade(TMaterial::Water, 4));
  Box(l, 51, 11, 18, 2, TMaterial::Wood, 3);
  Box(l, 52, 9, 2, 6, TMaterial::Wood, 2);
  Box(l, 66, 9, 2, 6, TMaterial::Wood, 2);
  // A windmill pump: four legs, a hub and the wheel of blades.
  Shadow(l, 76, 4, 20, 19);
  for (int k = 0; k < 16; ++k) {
    const float a = k * 6.2832f / 16 + 0.1f;
    Line(l, 84, 12, static_cast<int>(84 + std::cos(a) * 8.5f), static_cast<int>(12 + std::sin(a) * 8.5f),
         Shade(TMaterial::Metal, k % 2 ? 4 : 2));
  }
  for (int k = 0; k < 40; ++k) {
    const float a = k * 6.2832f / 40;
    l.Set(static_cast<int>(84 + std::cos(a) * 8.5f), static_cast<int>(12 + std::sin(a) * 8.5f), Shade(TMaterial::Metal, 1));
  }
  Box(l, 82, 10, 4, 4, TMaterial::Red, 3);
  Line(l, 86, 12, 93, 12, Shade(TMaterial::Metal, 3));
  Box(l, 91, 9, 3, 7, TMaterial::Metal, 3);
  ConstruSecondRow(l, T);
  Compose(c, l);
  return c;
}

TCanvas MakeStatus() {
  TCanvas sheet(5 * T, T);
  TCanvas sunny = SkyPanel(Shade(TMaterial::Sky, 2));
  Sun(sunny, 11.5f, 11.5f, 5.5f);
  TCanvas partly = SkyPanel(Shade(TMaterial::Sky, 2));
  Sun(partly, 8.5f, 8.5f, 4.5f);
  Cloud(partly, 14.0f, 14.5f, 0.95f, 3, 5);
  TCanvas cloudy = SkyPanel(Shade(TMaterial::Cloud, 3));
  Cloud(cloudy, 8.5f, 8.5f, 0.8f, 2, 3);
  Cloud(cloudy, 13.5f, 14.0f, 1.0f, 2, 5);
  TCanvas rain = SkyPanel(Shade(TMaterial::Cloud, 2));
  Cloud(rain, 12.0f, 8.5f, 1.05f, 2, 4);
  Drops(rain, 6, 16, Shade(TMaterial::Water, 5), 4);
  TCanvas storm = SkyPanel(Shade(TMaterial::Cloud, 1));
  Cloud(storm, 12.0f, 8.0f, 1.1f, 1, 3);
  Drops(storm, 11, 14, Shade(TMaterial::Sky, 4), 5);
  Line(storm, 13, 13, 11, 17, Shade(TMaterial::Gold, 4));
  Line(storm, 11, 17, 14, 17, Shade(TMaterial::Gold, 4));
  Line(storm, 14, 17, 12, 21, Shade(TMaterial::Gold, 5));
  const TCanvas* icons[5] = {&sunny, &partly, &cloudy, &rain, &storm};
  for (int i = 0; i < 5; ++i) sheet.Draw(*icons[i], i * T, 0, false);
  return sheet;
}

}  // namespace art
