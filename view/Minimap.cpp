#include "view/Minimap.h"

#include <algorithm>

#include "map/MapaCodes.h"

namespace {

// Colour of each tile kind, indexed by TTileKind. Groups the player tells
// apart differ clearly; kinds within a group (fence and gate, duct and
// fitting, bridge and crossing) only slightly. Bare ground and water are
// refined by the weather and the image below.
constexpr std::array<std::uint32_t, 13> KindColors = {
    0xFF6E9439u,  // tkEmpty: dry ground, see GroundColors
    0xFFA8743Au,  // tkDirtRoad: brown earth
    0xFF6C6C70u,  // tkPavement: dark stone
    0xFFB0A482u,  // tkScenery: rocks, bushes and mounds
    0xFF245A1Cu,  // tkTree: dark foliage
    0xFFE6D2A0u,  // tkFence: pale posts
    0xFFF2E2BCu,  // tkGate: paler still
    0xFFB8C4CEu,  // tkDuct: bare steel
    0xFFF08A24u,  // tkDuctS: the fitting's red-orange wheel
    0xFF2B66A3u,  // tkWater: open water, see BankColor
    0xFFD9B26Au,  // tkBridge: planks over water
    0xFF7E5230u,  // tkCrossing: a road over a duct
    0xFFB42828u,  // tkHouse: the red roof
};
static_assert(KindColors.size() == tkHouse + 1);

// Bare ground, indexed by TGroundWetness: greener when dry, darker when wet.
constexpr std::array<std::uint32_t, 3> GroundColors = {0xFF6E9439u, 0xFF587E30u, 0xFF44662Cu};
static_assert(GroundColors.size() == static_cast<std::size_t>(TGroundWetness::Soaked) + 1);

// Water pieces with a bank: still water, a little lighter at the shore.
constexpr std::uint32_t BankColor = 0xFF3A78B4u;

}  // namespace

std::uint32_t MinimapColor(const TTile& tile, TGroundWetness ground) {
  if (tile.kind >= KindColors.size()) return MinimapUnknownColor;
  // Clearing frames are bare ground too.
  if (tile.kind == tkEmpty) return GroundColors[static_cast<std::size_t>(ground)];
  if (tile.kind == tkWater && !IsOpenWaterImage(tile.image)) return BankColor;
  return KindColors[tile.kind];
}

TMinimap::TMinimap() { pixels_.fill(MinimapUnknownColor); }

std::uint32_t TMinimap::Pixel(int x, int y) const {
  if (x < 1 || x > Side || y < 1 || y > Side) return MinimapUnknownColor;
  return pixels_[static_cast<std::size_t>(y - 1) * Side + static_cast<std::size_t>(x - 1)];
}

TMinimapArea TMinimap::Refresh(const TMapaRecord& record) {
  const TGroundWetness ground = GroundWetnessOf(record);
  TMinimapArea changed{Side, Side, 0, 0};
  for (int x = 0; x < Side; ++x) {
    const TTile* column = record.tiles[x + 1] + 1;
    for (int y = 0; y < Side; ++y) {
      const std::uint32_t color = MinimapColor(column[y], ground);
      std::uint32_t& cell = pixels_[static_cast<std::size_t>(y) * Side + static_cast<std::size_t>(x)];
      if (cell == color) continue;
      cell = color;
      changed.Left = std::min(changed.Left, x);
      changed.Top = std::min(changed.Top, y);
      changed.Right = std::max(changed.Right, x + 1);
      changed.Bottom = std::max(changed.Bottom, y + 1);
    }
  }
  return changed.Empty() ? TMinimapArea{} : changed;
}

TMinimapArea MinimapViewArea(const TViewport& view, int cell) {
  if (view.TileSize <= 0 || cell <= 0) return {};
  const int side = TMinimap::Side * cell;
  // In map pixels the view spans [ViewX * T, ViewX * T + Width); scaled to
  // minimap pixels and rounded to the nearest.
  const auto scale = [&](long long mapPixels) {
    return static_cast<int>(std::clamp<long long>((mapPixels * cell * 2 + view.TileSize) / (2 * view.TileSize), 0,
                                                  side));
  };
  const long long left = static_cast<long long>(std::max(view.ViewX, 0)) * view.TileSize;
  const long long top = static_cast<long long>(std::max(view.ViewY, 0)) * view.TileSize;
  TMinimapArea area{scale(left), scale(top), scale(left + std::max(view.Width, 0)),
                    scale(top + std::max(view.Height, 0))};
  return area.Empty() ? TMinimapArea{} : area;
}
