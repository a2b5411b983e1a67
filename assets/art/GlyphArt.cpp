#include "assets/art/GlyphArt.h"

#include <algorithm>
#include <cmath>

#include "assets/art/Ground.h"
#include "assets/art/GlyphNames.h"
#include "assets/art/Paint.h"
#include "assets/art/TileNoise.h"

namespace art {

namespace {

const TColour OutlineInk = Shade(TMaterial::Ink, 0);

// A dark rim round everything drawn, so a glyph reads on any button face.
void Outline(TCanvas& c) {
  TCanvas out = c;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      if (Alpha(c.Get(x, y)) != 0) continue;
      bool edge = false;
      for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
        if (c.Inside(x + dx, y + dy) && Alpha(c.Get(x + dx, y + dy)) == 255) edge = true;
      if (edge) out.Set(x, y, OutlineInk);
    }
  c = out;
}

void Rect(TCanvas& c, int x0, int y0, int w, int h, TMaterial m, int base) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      int i = base;
      if (y == y0 || x == x0) i = base + 1;
      if (y == y0 + h - 1 || x == x0 + w - 1) i = base - 1;
      c.Set(x, y, Shade(m, i));
    }
}

void Thick(TCanvas& c, int x0, int y0, int x1, int y1, TColour colour) {
  Line(c, x0, y0, x1, y1, colour);
  Line(c, x0 + 1, y0, x1 + 1, y1, colour);
}

void Coins(TCanvas& c, int x, int y, int count) {
  for (int k = 0; k < count; ++k) {
    const int top = y - k * 3;
    Rect(c, x, top, 12, 4, TMaterial::Gold, 3);
    c.Set(x + 2, top + 1, Shade(TMaterial::Gold, 5));
  }
  LitDisc(c, x + 17.0f, y - 1.0f, 5.0f, TMaterial::Gold, 1, 5, false);
  c.Set(x + 17, y - 3, Shade(TMaterial::Gold, 1));
  c.Set(x + 17, y - 2, Shade(TMaterial::Gold, 1));
  c.Set(x + 17, y - 1, Shade(TMaterial::Gold, 1));
  c.Set(x + 17, y, Shade(TMaterial::Gold, 1));
}

void Badge(TCanvas& c, float cx, float cy, TMaterial m, bool plus) {
  LitDisc(c, cx, cy, 5.0f, m, 1, 4, false);
  const TColour white = Shade(TMaterial::Cloud, 5);
  for (int d = -2; d <= 2; ++d) {
    c.Set(static_cast<int>(cx) + d, static_cast<int>(cy), white);
    if (plus) c.Set(static_cast<int>(cx), static_cast<int>(cy) + d, white);
  }
}

void Magnifier(TCanvas& c, float cx, float cy, float r) {
  Thick(c, static_cast<int>(cx + r * 0.7f), static_cast<int>(cy + r * 0.7f), static_cast<int>(cx + r * 1.6f),
        static_cast<int>(cy + r * 1.6f), Shade(TMaterial::Wood, 2));
  Thick(c, static_cast<int>(cx + r * 0.7f) + 1, static_cast<int>(cy + r * 0.7f) + 1, static_cast<int>(cx + r * 1.6f) + 1,
        static_cast<int>(cy + r * 1.6f), Shade(TMaterial::Wood, 1));
  FillDisc(c, cx, cy, r, Shade(TMaterial::Metal, 3));
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
      if (dx * dx + dy * dy < (r - 1.5f) * (r - 1.5f))
        c.Set(x, y, (dx + dy < -r * 0.6f) ? Shade(TMaterial::Sky, 5) : Shade(TMaterial::Sky, 3));
    }
}

void Paper(TCanvas& c, int x0, int y0, int w, int h) {
  Rect(c, x0, y0, w, h, TMaterial::Cream, 4);
}

void Cloud(TCanvas& c, float cx, float cy, float s) {
  const float parts[3][3] = {{-3.5f, 1.0f, 3.0f}, {3.5f, 1.0f, 3.0f}, {0.0f, -1.0f, 4.0f}};
  for (const auto& p : parts) LitDisc(c, cx + p[0] * s, cy + p[1] * s, p[2] * s, TMaterial::Cloud, 3, 5, false);
}

TCanvas Toolbar(std::string_view name) {
  TCanvas c(ToolbarGlyphSize, ToolbarGlyphSize);
  if (name == "BotBuy") {
    Coins(c, 3, 19, 4);
    Badge(c, 20.5f, 20.5f, TMaterial::Leaf, true);
  } else if (name == "BotSell") {
    Coins(c, 3, 19, 4);
    Badge(c, 20.5f, 20.5f, TMaterial::Red, false);
  } else if (name == "BotEval") {
    Paper(c, 4, 3, 15, 20);
    for (int y = 7; y < 20; y += 3) Line(c, 7, y, 15, y, Shade(TMaterial::Cream, 1));
    Magnifier(c, 16.5f, 15.5f, 5.5f);
  } else if (name == "BotMapa") {
    // A folded map: three panels, land, a river and a red route.
    for (int p = 0; p < 3; ++p) {
      const int x0 = 3 + p * 7;
      for (int y = 5; y < 23; ++y)
        for (int x = x0; x < x0 + 7; ++x) {
          const bool river = std::abs(x - 13 - (y - 14) / 3) < 2;
          int i = p % 2 == 0 ? 4 : 3;
          c.Set(x, y + (p % 2 == 0 ? 0 : 1), river ? Shade(TMaterial::Water, 3) : Shade(TMaterial::Leaf, i));
        }
    }
    Line(c, 5, 19, 10, 12, Shade(TMaterial::Red, 3));
    Line(c, 10, 12, 19, 10, Shade(TMaterial::Red, 3));
    Line(c, 19, 10, 22, 7, Shade(TMaterial::Red, 3));
    c.Set(22, 7, Shade(TMaterial::Red, 5));
  } else if (name == "BotTempo") {
    for (int k = 0; k < 8; ++k) {
      const float a = k * 3.14159f / 4;
      Line(c, static_cast<int>(10 + std::cos(a) * 7), static_cast<int>(10 + std::sin(a) * 7),
           static_cast<int>(10 + std::cos(a) * 9), static_cast<int>(10 + std::sin(a) * 9), Shade(TMaterial::Gold, 3));
    }
    LitDisc(c, 10.0f, 10.0f, 5.5f, TMaterial::Gold, 2, 5, false);
    Cloud(c, 16.5f, 17.5f, 1.3f);
  } else if (name == "BotBalanco") {
    Paper(c, 3, 3, 22, 22);
    Line(c, 6, 22, 22, 22, Shade(TMaterial::Ink, 3));
    Line(c, 6, 6, 6, 22, Shade(TMaterial::Ink, 3));
    Rect(c, 8, 14, 3, 8, TMaterial::Leaf, 3);
    Rect(c, 12, 10, 3, 12, TMaterial::Leaf, 4);
    Rect(c, 16, 16, 3, 6, TMaterial::Red, 3);
    Rect(c, 20, 8, 3, 14, TMaterial::Gold, 3);
  } else if (name == "BotBanco") {
    // A bank: pediment, four columns, steps.
    for (int y = 3; y < 9; ++y)
      for (int x = 14 - (y - 3) * 2; x <= 13 + (y - 3) * 2; ++x) c.Set(x, y, Shade(TMaterial::Stone, y < 5 ? 5 : 4));
    Rect(c, 3, 9, 22, 2, TMaterial::Stone, 3);
    for (int x : {5, 10, 15, 20}) Rect(c, x, 11, 3, 10, TMaterial::Stone, 4);
    Rect(c, 3, 21, 22, 2, TMaterial::Stone, 3);
    Rect(c, 2, 23, 24, 2, TMaterial::Stone, 2);
    c.Set(13, 6, Shade(TMaterial::Gold, 4));
    c.Set(14, 6, Shade(TMaterial::Gold, 3));
  } else if (name == "BotMercado") {
    // A market stall: striped awning over crates of produce.
    for (int y = 4; y < 11; ++y)
      for (int x = 3; x < 25; ++x)
        c.Set(x, y, ((x - 3) / 4) % 2 == 0 ? Shade(TMaterial::Red, y < 6 ? 4 : 3) : Shade(TMaterial::Cream, y < 6 ? 5 : 4));
    for (int x = 3; x < 25; x += 4) c.Set(x + 1, 11, ((x - 3) / 4) % 2 == 0 ? Shade(TMaterial::Red, 2) : Shade(TMaterial::Cream, 2));
    Rect(c, 4, 11, 2, 13, TMaterial::Wood, 2);
    Rect(c, 22, 11, 2, 13, TMaterial::Wood, 2);
    Rect(c, 6, 17, 16, 7, TMaterial::Wood, 3);
    for (int x : {8, 12, 16}) LitDisc(c, x + 1.5f, 16.5f, 2.0f, x == 12 ? TMaterial::Gold : TMaterial::Red, 1, 5, false);
  }
  Outline(c);
  return c;
}

TCanvas Palette(std::string_view name) {
  TCanvas c(PaletteGlyphSize, PaletteGlyphSize);
  if (name == "BotAproxima" || name == "BotReduz") {
    Magnifier(c, 10.0f, 10.0f, 7.0f);
    const TColour ink = Shade(TMaterial::Ink, 0);
    for (int d = -3; d <= 3; ++d) {
      c.Set(10 + d, 10, ink);
      c.Set(10 + d, 9, ink);
      if (name == "BotAproxima") {
        c.Set(10, 10 + d, ink);
        c.Set(9, 10 + d, ink);
      }
    }
  } else if (name == "BotMover") {
    // Four arrows pointing out from the centre.
    const TColour light = Shade(TMaterial::Cream, 5), dark = Shade(TMaterial::Cream, 2);
    for (int k = -1; k <= 1; ++k) {
      Line(c, 5, 12 + k, 19, 12 + k, k < 1 ? light : dark);
      Line(c, 12 + k, 5, 12 + k, 19, k < 1 ? light : dark);
    }
    for (int d = 0; d < 4; ++d)
      for (int w = -d; w <= d; ++w) {
        c.Set(2 + d, 12 + w, light);
        c.Set(21 - d, 12 + w, dark);
        c.Set(12 + w, 2 + d, light);
        c.Set(12 + w, 21 - d, dark);
      }
  } else if (name == "BotVer") {
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        const float dx = (x + 0.5f - 12) / 10.5f, dy = (y + 0.5f - 12) / 6.5f;
        if (std::fabs(dy) < 1 - dx * dx) c.Set(x, y, Shade(TMaterial::Cloud, dy < -0.3f ? 5 : 4));
      }
    LitDisc(c, 12.0f, 12.0f, 4.5f, TMaterial::Water, 1, 4, false);
    FillDisc(c, 12.0f, 12.0f, 2.0f, Shade(TMaterial::Ink, 0));
    c.Set(10, 10, Shade(TMaterial::Cloud, 5));
  } else if (name == "BotPavimento" || name == "BotTerra") {
    // A short stretch of the road itself, seen from above.
    const TCanvas tile = RoadTile(1 | 8, name == "BotPavimento");
    for (int y = 2; y < 22; ++y)
      for (int x = 4; x < 20; ++x) c.Set(x, y, tile.Get(x, y));
  } else if (name == "BotCerca" || name == "BotPorteira") {
    const bool gate = name == "BotPorteira";
    for (int x : {3, 19}) Rect(c, x, 5, 3, 16, TMaterial::Wood, 3);
    const TMaterial bar = gate ? TMaterial::Cream : TMaterial::Wood;
    for (int y : {8, 15}) Rect(c, 6, y, 13, 2, bar, gate ? 4 : 3);
    if (gate) {
      Thick(c, 7, 15, 17, 9, Shade(TMaterial::Cream, 3));
      Rect(c, 11, 8, 2, 9, TMaterial::Cream, 3);
    } else {
      Rect(c, 11, 6, 3, 15, TMaterial::Wood, 3);
    }
    for (int x = 0; x < 24; ++x)
      if (Alpha(c.Get(x, 20)) == 255 || x % 3 == 0) c.Set(x, 21, Shade(TMaterial::Grass, 3));
  } else if (name == "BotDuto" || name == "BotDutoS") {
    constexpr int profile[8] = {-1, 3, 5, 3, 2, 2, 1, -1};
    for (int x = 1; x < 23; ++x)
      for (int k = 0; k < 8; ++k) c.Set(x, 8 + k, profile[k] < 0 ? Shade(TMaterial::Metal, 0) : Shade(TMaterial::Metal, profile[k]));
    for (int x : {4, 18}) Rect(c, x, 7, 2, 10, TMaterial::Metal, 3);
    if (name == "BotDutoS") {
      Rect(c, 9, 6, 6, 12, TMaterial::Metal, 2);
      for (int k = 0; k < 40; ++k) {
        const float a = k * 6.2832f / 40;
        c.Set(static_cast<int>(12 + std::cos(a) * 5.5f), static_cast<int>(12 + std::sin(a) * 5.5f), Shade(TMaterial::Red, k < 20 ? 2 : 4));
      }
      Line(c, 8, 12, 16, 12, Shade(TMaterial::Red, 3));
      Line(c, 12, 8, 12, 16, Shade(TMaterial::Red, 3));
    }
  } else if (name == "BotArvores") {
    Rect(c, 10, 14, 4, 8, TMaterial::Wood, 2);
    for (const auto& b : {std::array<float, 3>{8.0f, 10.0f, 5.0f}, {16.0f, 10.0f, 5.0f}, {12.0f, 6.5f, 5.5f}, {12.0f, 12.0f, 5.0f}})
      LitDisc(c, b[0], b[1], b[2], TMaterial::Leaf, 1, 5, false);
  } else if (name == "BotBulldoze") {
    // A yellow bulldozer facing left: blade, body, cab, tracks.
    Rect(c, 1, 11, 3, 9, TMaterial::Metal, 3);
    Rect(c, 5, 10, 14, 6, TMaterial::Gold, 3);
    Rect(c, 11, 4, 7, 7, TMaterial::Gold, 3);
    Rect(c, 12, 5, 5, 4, TMaterial::Sky, 4);
    Rect(c, 17, 7, 2, 3, TMaterial::Ink, 3);
    Line(c, 4, 14, 6, 14, Shade(TMaterial::Metal, 2));
    Rect(c, 5, 16, 16, 5, TMaterial::Ink, 3);
    for (int x = 6; x < 20; x += 2) c.Set(x, 18, Shade(TMaterial::Ink, 1));
    for (int x : {7, 12, 17}) c.Set(x, 17, Shade(TMaterial::Metal, 3));
  }
  Outline(c);
  return c;
}

// The economy's tools: a feed trough heaped with grain, a water trough with
// a falling drop, a sprout over a sown furrow, and a hand sprayer's mist.
TCanvas EconomyPalette(std::string_view name) {
  TCanvas c(PaletteGlyphSize, PaletteGlyphSize);
  if (name == "BotComida" || name == "BotAgua") {
    const bool water = name == "BotAgua";
    Rect(c, 2, 11, 20, 9, water ? TMaterial::Stone : TMaterial::Wood, 3);
    for (int y = 13; y < 17; ++y)
      for (int x = 4; x < 20; ++x)
        c.Set(x, y, water ? Shade(TMaterial::Water, y == 13 ? 2 : (x + y) % 4 == 0 ? 5 : 3)
                          : Shade(TMaterial::Gold, y == 13 ? 5 : HashBelow(x, y, 940, 3) == 0 ? 2 : 4));
    for (int x : {3, 19}) Rect(c, x, 20, 2, 3, water ? TMaterial::Stone : TMaterial::Wood, 2);
    if (water) {
      for (int y = 2; y < 10; ++y)
        for (int x = 8; x < 16; ++x) {
          const float dx = x + 0.5f - 12.0f, dy = y + 0.5f - 7.0f;
          const bool drop = dy > 0 ? dx * dx + dy * dy < 9.0f : std::abs(dx) < (dy + 5.0f) * 0.6f;
          if (drop) c.Set(x, y, Shade(TMaterial::Water, dx + dy < -1.0f ? 5 : dx + dy > 2.0f ? 2 : 4));
        }
    } else {
      for (int k = 0; k < 5; ++k) LitDisc(c, 6.0f + k * 3.0f, 11.0f - (k % 2), 2.2f, TMaterial::Gold, 2, 5, false);
    }
  } else if (name == "BotPlant") {
    for (int x = 2; x < 22; ++x) {
      c.Set(x, 18, Shade(TMaterial::Earth, 4));
      c.Set(x, 19, Shade(TMaterial::Earth, 2));
      c.Set(x, 20, Shade(TMaterial::Earth, 1));
    }
    Thick(c, 11, 17, 11, 9, Shade(TMaterial::Leaf, 2));
    for (int k = 0; k < 6; ++k) {
      c.Set(10 - k, 11 - k / 2, Shade(TMaterial::Leaf, 5 - k / 3));
      c.Set(10 - k, 12 - k / 2, Shade(TMaterial::Leaf, 3));
      c.Set(13 + k, 8 - k / 2, Shade(TMaterial::Leaf, 4));
      c.Set(13 + k, 9 - k / 2, Shade(TMaterial::Leaf, 2));
    }
    for (int x : {4, 17}) {
      c.Set(x, 16, Shade(TMaterial::Leaf, 4));
      c.Set(x, 17, Shade(TMaterial::Leaf, 3));
      c.Set(x + 1, 15, Shade(TMaterial::Leaf, 5));
    }
  } else if (name == "BotSpray") {
    // A pump sprayer: a yellow tank, its lance and a cloud of fine drops.
    LitDisc(c, 8.0f, 15.0f, 6.0f, TMaterial::Gold, 1, 5, false);
    Rect(c, 6, 6, 4, 4, TMaterial::Metal, 3);
    Thick(c, 11, 10, 17, 5, Shade(TMaterial::Metal, 2));
    for (const auto& d : {std::array<int, 2>{19, 1}, {21, 5}, {17, 9}}) {
      c.FillRect(d[0], d[1], 2, 2, Shade(TMaterial::Sky, 4));
      c.Set(d[0], d[1], Shade(TMaterial::Sky, 5));
    }
  }
  Outline(c);
  return c;
}

}  // namespace

TCanvas MakeGlyph(std::string_view button) {
  if (std::find(ToolbarButtons.begin(), ToolbarButtons.end(), button) != ToolbarButtons.end()) return Toolbar(button);
  if (std::find(PaletteButtons.begin(), PaletteButtons.end(), button) != PaletteButtons.end()) return Palette(button);
  if (std::find(EconomyPaletteButtons.begin(), EconomyPaletteButtons.end(), button) != EconomyPaletteButtons.end())
    return EconomyPalette(button);
  return {};
}

TCanvas MakeOverview() {
  constexpr int W = OverviewWidth, H = OverviewHeight, F = 14;
  TCanvas c(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const int edge = std::min({x, y, W - 1 - x, H - 1 - y});
      if (edge < F) {
        // Planks of the frame: grain along them, lit on the top and left sides, mitred corners.
        const bool horizontal = std::min(y, H - 1 - y) <= std::min(x, W - 1 - x);
        const int along = horizontal ? x : y, across = horizontal ? std::min(y, H - 1 - y) : std::min(x, W - 1 - x);
        const bool lit = horizontal ? y < H / 2 : x < W / 2;
        int i = lit ? 3 : 2;
        if ((Hash(along / 9, across, 800) & 7) == 0) i -= 1;
        if (across == 0) i = 0;
        else if (across == 1) i = lit ? 5 : 1;
        else if (across == F - 1) i = lit ? 1 : 4;
        else if (across == F - 2) i = lit ? 2 : 3;
        c.Set(x, y, Shade(TMaterial::Wood, i));
        continue;
      }
      // Parchment: pale in the middle, warmer towards the frame, with fibres.
      const float cx = (x - W / 2.0f) / (W / 2.0f - F), cy = (y - H / 2.0f) / (H / 2.0f - F);
      const float age = 0.35f * (cx * cx + cy * cy) + 0.12f * (Hash(x / 3, y / 2, 801) & 0xFF) / 255.0f;
      const int shadow = (x - F < 3 || y - F < 3) ? 1 : 0;  // the frame shades the top and left of the sheet
      c.Set(x, y, DitherShade(TMaterial::Cream, 1.0f - age - 0.25f * shadow, x, y, 2, 5));
    }
  // Nails at the corners of the frame.
  for (int x : {6, W - 8})
    for (int y : {6, H - 8}) {
      c.Set(x, y, Shade(TMaterial::Metal, 4));
      c.Set(x + 1, y + 1, Shade(TMaterial::Metal, 1));
      c.Set(x + 1, y, Shade(TMaterial::Metal, 3));
      c.Set(x, y + 1, Shade(TMaterial::Metal, 2));
    }
  return c;
}

}  // namespace art
