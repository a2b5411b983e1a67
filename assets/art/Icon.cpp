// The game's icon, drawn afresh at every size it ships in: the scene is laid
// out on a 64-unit grid and each size places its shapes on its own pixels,
// keeping edges one or a few pixels wide and leaving out what would only be
// noise at the smallest sizes.
#include <algorithm>
#include <cmath>

#include "assets/art/GlyphArt.h"
#include "assets/art/Paint.h"

namespace art {

namespace {

constexpr float Grid = 64.0f;

class TIconPainter {
 public:
  explicit TIconPainter(int size) : s_(size), k_(size / Grid), c_(size, size) {}

  TCanvas Paint() {
    Landscape();
    Sun();
    House();
    Fence();
    Frame();
    return c_;
  }

 private:
  // A pixel edge on the grid: a grid coordinate rounded to this size's pixels.
  int At(float unit) const { return static_cast<int>(std::lround(unit * k_)); }
  // Grid coordinate of a pixel's centre.
  float Unit(int pixel) const { return (pixel + 0.5f) / k_; }
  // Width of drawn lines: one pixel up to 64, growing with the size beyond.
  int Stroke() const { return std::max(1, At(1.0f)); }
  bool Opaque(int x, int y) const { return c_.Inside(x, y) && Alpha(c_.Get(x, y)) != 0; }

  // The ground line of the meadow at grid column u: a rolling hill, raised
  // into a low mound under the house so that the house stands on grass.
  float Hill(float u) const {
    const float mound = 44.0f + 0.3f * std::max(0.0f, std::abs(u - 27.0f) - 13.0f * HouseZoom());
    return std::min(40.0f + 6.0f * std::cos((u - 20.0f) / 14.0f), mound);
  }

  // A rounded badge of sky over a green hill.
  void Landscape() {
    // At least a two-pixel radius, so that even the smallest badge has round corners.
    const float r = std::max(6.0f * k_, 2.0f), lo = r, hi = s_ - r;
    for (int y = 0; y < s_; ++y)
      for (int x = 0; x < s_; ++x) {
        const float px = x + 0.5f, py = y + 0.5f;
        const float dx = std::max({lo - px, 0.0f, px - hi}), dy = std::max({lo - py, 0.0f, py - hi});
        if (dx * dx + dy * dy > r * r) continue;
        const float u = Unit(x), v = Unit(y), hill = Hill(u);
        if (v < hill) c_.Set(x, y, DitherShade(TMaterial::Sky, 1.0f - v / 50.0f, x, y, 1, 4));
        else c_.Set(x, y, DitherShade(TMaterial::Grass, 1.0f - (v - hill) / 22.0f, x, y, 1, 4));
      }
  }

  // The sun, with rays where there is room for them.
  void Sun() {
    const float cx = 47.0f * k_, cy = 15.0f * k_;
    if (s_ >= 32) {
      const TColour ray = Shade(TMaterial::Gold, 4);
      for (int n = 0; n < 8; ++n) {
        const float a = n * 3.14159265f / 4;
        const float ca = std::cos(a), sa = std::sin(a);
        if (Stroke() == 1) {
          Line(c_, static_cast<int>(cx + ca * 8 * k_), static_cast<int>(cy + sa * 8 * k_),
               static_cast<int>(cx + ca * 11 * k_), static_cast<int>(cy + sa * 11 * k_), ray);
          continue;
        }
        for (float d = 8.0f; d <= 11.0f; d += 0.25f) FillDisc(c_, cx + ca * d * k_, cy + sa * d * k_, Stroke() * 0.5f, ray);
      }
    }
    LitDisc(c_, cx, cy, std::max(6.5f * k_, 2.0f), TMaterial::Gold, 2, 5, false);
  }

  // A box lit from the top left: its top and left edges a shade lighter, its bottom and right a shade darker.
  void Box(int x0, int y0, int x1, int y1, TMaterial m, int base) {
    const int e = std::max(1, Stroke() / 2);
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        int i = base;
        if (y < y0 + e || x < x0 + e) i = base + 1;
        if (y >= y1 - e || x >= x1 - e) i = base - 1;
        c_.Set(x, y, Shade(m, i));
      }
  }

  // The house stands on the grid point (27, 44); small icons show it larger,
  // since it is what makes the icon recognisable.
  float HouseZoom() const { return s_ < 32 ? 1.25f : 1.0f; }
  int HouseX(float u) const { return At(27.0f + (u - 27.0f) * HouseZoom()); }
  int HouseY(float v) const { return At(44.0f + (v - 44.0f) * HouseZoom()); }
  int HouseSpan(float units) const { return std::max(1, At(units * HouseZoom())); }

  void House() {
    const int wallTop = HouseY(30);
    Box(HouseX(14), wallTop, HouseX(40), HouseY(44), TMaterial::Cream, 3);
    Roof(wallTop);
    const int door = HouseSpan(6), doorLeft = (HouseX(14) + HouseX(40) - door) / 2;
    Box(doorLeft, HouseY(35), doorLeft + door, HouseY(44), TMaterial::Wood, 2);
    if (door >= 6) {
      const int knob = std::max(1, Stroke() / 2);
      c_.FillRect(doorLeft + door - 2 * knob - 1, HouseY(40), knob, knob, Shade(TMaterial::Gold, 4));
    }
    // Windows only where they leave wall round them.
    const int pane = HouseSpan(5), top = std::max(HouseY(33), wallTop + 1);
    if (pane < 2 || top + pane >= HouseY(44) - 1) return;
    Window(HouseX(16), top, HouseX(16) + pane, top + pane);
    Window(HouseX(38) - pane, top, HouseX(38), top + pane);
  }

  // A red hip roof, its left slope in the light, with rows of tiles where there is room for them.
  void Roof(int bottom) {
    const float z = HouseZoom();
    const int band = std::max(1, Stroke() / 2), period = At(3), top = HouseY(18);
    for (int y = top; y <= bottom; ++y) {
      const float v = y / k_;
      for (int x = HouseX(11); x < HouseX(43); ++x) {
        const float u = Unit(x);
        if (std::abs(u - 27.0f) >= 2.0f * (v - (44.0f - 26.0f * z))) continue;
        const bool edge = s_ >= 32 && (y - top) % period < band;
        const int shade = u < 27.0f ? (edge ? 3 : 4) : (edge ? 1 : 2);
        c_.Set(x, y, Shade(TMaterial::Red, shade));
      }
    }
  }

  // Sky-blue panes; large enough windows get a white cross.
  void Window(int x0, int y0, int x1, int y1) {
    Box(x0, y0, x1, y1, TMaterial::Sky, 4);
    if (x1 - x0 < 9) return;
    const int w = std::max(1, Stroke() / 2), mx = (x0 + x1 - w) / 2, my = (y0 + y1 - w) / 2;
    const TColour frame = Shade(TMaterial::Cream, 5);
    c_.FillRect(mx, y0, w, y1 - y0, frame);
    c_.FillRect(x0, my, x1 - x0, w, frame);
  }

  // Two rails on posts across the meadow; small icons keep a single rail and fewer posts.
  void Fence() {
    const int w = Stroke();
    const bool small = s_ < 32;
    const float spacing = small ? 14.0f : 7.0f;
    for (int x = At(4); x < At(60); ++x) {
      if (!Opaque(x, At(50))) continue;
      if (small) {
        Rail(x, At(50), w, Shade(TMaterial::Wood, 4));
      } else {
        Rail(x, At(48), w, Shade(TMaterial::Wood, 4));
        Rail(x, At(52), w, Shade(TMaterial::Wood, 3));
      }
    }
    for (float post = 3.0f; post < 60.0f; post += spacing) {
      if (post < 4.0f && !small) continue;
      const int x = At(post);
      if (!Opaque(x, At(50))) continue;
      c_.FillRect(x, At(46), w, At(56) - At(46), Shade(TMaterial::Wood, 2));
    }
  }

  // One pixel column of a rail.
  void Rail(int x, int y, int height, TColour colour) { c_.FillRect(x, y, 1, height, colour); }

  // A wooden rim round the badge, lit on its top-left half.
  void Frame() {
    const int width = std::max(1, At(2));
    TCanvas framed = c_;
    for (int y = 0; y < s_; ++y)
      for (int x = 0; x < s_; ++x) {
        if (!Opaque(x, y)) continue;
        bool edge = false;
        for (int d = 1; d <= width && !edge; ++d)
          edge = !Opaque(x - d, y) || !Opaque(x + d, y) || !Opaque(x, y - d) || !Opaque(x, y + d);
        if (edge) framed.Set(x, y, Shade(TMaterial::Wood, x + y < s_ ? 4 : 1));
      }
    c_ = framed;
  }

  int s_;
  float k_;
  TCanvas c_;
};

}  // namespace

TCanvas MakeIcon(int size) {
  if (size < 16 || size > 1024) return {};
  return TIconPainter(size).Paint();
}

}  // namespace art
