#pragma once
// The ranch economy's pictures in the ground image, and where a herd's
// cattle figures stand. The pictures follow the detailed terrain's rows, so
// no number a saved map names or the detailed terrain draws ever moves; the
// art programs paint them at these numbers and the contact sheet lays out
// its sample pastures with the same rule the map view uses. Nothing here is
// stored: a herd's places follow from its pasture, its head and the day.
// No toolkit header here.
#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "map/GroundWetness.h"
#include "map/TerrainDetail.h"

// Troughs: the picture, then its shadow, drawn blended beneath it.
constexpr int WaterTroughPattern = DetailPatternEnd;  // 320
constexpr int WaterTroughShadow = WaterTroughPattern + 1;
constexpr int FeedTroughPattern = WaterTroughPattern + 2;
constexpr int FeedTroughShadow = WaterTroughPattern + 3;
// Planted grass over bare ground, indexed by TGroundWetness.
constexpr int FirstPlantedPattern = WaterTroughPattern + 4;  // 324, 325, 326

enum class TCattlePose : std::uint8_t { Standing, Grazing, Lying };
enum class TFacing : std::uint8_t { East, West, North, South };
enum class TCoat : std::uint8_t { White, Red };
constexpr int CattlePoses = 3, Facings = 4, Coats = 2;

// A figure: coat, pose and facing, one pattern each.
constexpr int FirstCattlePattern = WaterTroughPattern + 8;  // 328
constexpr int FirstCattleShadow = FirstCattlePattern + Coats * CattlePoses * Facings;  // 352
constexpr int RanchPatternEnd = FirstCattleShadow + CattlePoses * Facings;            // 364
static_assert(FirstPlantedPattern + 3 <= FirstCattlePattern);

constexpr int CattlePattern(TCoat coat, TCattlePose pose, TFacing facing) {
  return FirstCattlePattern + (static_cast<int>(coat) * CattlePoses + static_cast<int>(pose)) * Facings +
         static_cast<int>(facing);
}
constexpr int CattleShadow(TCattlePose pose, TFacing facing) {
  return FirstCattleShadow + static_cast<int>(pose) * Facings + static_cast<int>(facing);
}
constexpr int PlantedPattern(TGroundWetness ground) { return FirstPlantedPattern + static_cast<int>(ground); }

// Everything a figure's pattern or its shadow draws lies in this square of
// its 24 x 24 pattern, so a figure moved by at most CattleReach pixels (of
// 24) either way stays inside its tile.
constexpr int CattleBoxFirst = 5, CattleBoxEnd = 19;
constexpr int CattleReach = 5;
static_assert(CattleBoxFirst - CattleReach >= 0 && CattleBoxEnd + CattleReach <= 24);

// How dark the shadows are laid down: blended at this opacity out of 255.
constexpr int RanchShadowOpacity = 96;

// A figure's offset in 24ths of a tile as pixels at a tile size, rounded
// down, so every zoom puts it at the same place of its tile.
constexpr int FigureShift(int d, int tileSize) {
  return d >= 0 ? d * tileSize / 24 : -((-d * tileSize + 23) / 24);
}

// At most this many figures share a tile; a bigger herd shows this many a tile.
constexpr int MaxFiguresPerTile = 3;

// One figure on a tile: its pattern's offset from the tile, in 24ths of a tile.
struct TFigure {
  int dx = 0;
  int dy = 0;
  TCattlePose pose = TCattlePose::Standing;
  TFacing facing = TFacing::East;
  TCoat coat = TCoat::White;
};

// A well-stirred number from a few; the same inputs always give the same.
constexpr std::uint32_t FigureHash(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d = 0) {
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ a;
  for (std::uint32_t v : {b, c, d}) {
    h ^= v + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2);
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 31;
  }
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

// A tile's figures, kept in place: a new day works them out for every
// square of every herd in view.
struct TTileFigures {
  std::array<TFigure, MaxFiguresPerTile> figures{};
  int count = 0;
  const TFigure* begin() const { return figures.data(); }
  const TFigure* end() const { return figures.data() + count; }
};

// Where the figures of a tile holding `count` of them stand on `day`; the
// pasture's id keeps neighbouring pastures from moving in step. Sorted top
// to bottom, the order they are drawn in.
inline TTileFigures TileFigures(int x, int y, int count, int day, int pasture) {
  // Slots of one, two and three figures, spread over the tile.
  static constexpr std::array<std::array<std::array<int, 2>, 3>, 3> Slots = {{
      {{{0, 0}, {0, 0}, {0, 0}}},
      {{{-3, -3}, {3, 3}, {0, 0}}},
      {{{-3, -4}, {4, -2}, {-1, 4}}},
  }};
  TTileFigures figures;
  count = std::clamp(count, 0, MaxFiguresPerTile);
  const std::uint32_t tile = FigureHash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                                        static_cast<std::uint32_t>(day), static_cast<std::uint32_t>(pasture));
  const bool mirrored = (tile & 1) != 0;
  for (int k = 0; k < count; ++k) {
    const std::uint32_t h = FigureHash(tile, static_cast<std::uint32_t>(k), 0x5EED);
    const auto& slot = Slots[static_cast<std::size_t>(count - 1)][static_cast<std::size_t>(k)];
    const int jitter = count == 1 ? 4 : 1;
    TFigure f;
    f.dx = (mirrored ? -slot[0] : slot[0]) + static_cast<int>(h % (2 * jitter + 1)) - jitter;
    f.dy = slot[1] + static_cast<int>((h >> 4) % (2 * jitter + 1)) - jitter;
    f.dx = std::clamp(f.dx, -CattleReach, CattleReach);
    f.dy = std::clamp(f.dy, -CattleReach, CattleReach);
    const int pose = static_cast<int>((h >> 8) % 20);
    f.pose = pose < 9 ? TCattlePose::Standing : pose < 17 ? TCattlePose::Grazing : TCattlePose::Lying;
    f.facing = static_cast<TFacing>((h >> 13) % Facings);
    // Mostly white zebu, a red one here and there; the coat stays with the
    // tile's place in the herd rather than with the day.
    f.coat = FigureHash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(pasture),
                        static_cast<std::uint32_t>(k)) % 5 == 0
                 ? TCoat::Red
                 : TCoat::White;
    // Inserted in place, top to bottom; a figure level with one before it
    // goes after it.
    int at = figures.count++;
    for (; at > 0 && figures.figures[at - 1].dy > f.dy; --at) figures.figures[at] = figures.figures[at - 1];
    figures.figures[at] = f;
  }
  return figures;
}

// How many figures each tile of a pasture holds on `day`: one per head up to
// MaxFiguresPerTile a tile, the herd gathered loosely round a spot of the
// pasture that changes each day. `tiles` are the pasture's tiles as (x, y);
// the result is in the same order and adds up to min(head, 3 x tiles).
inline std::vector<std::uint8_t> HerdSpread(const std::vector<std::array<int, 2>>& tiles, std::uint32_t head, int day,
                                            int pasture) {
  const std::size_t n = tiles.size();
  std::vector<std::uint8_t> counts(n, 0);
  if (n == 0 || head == 0) return counts;
  const std::uint64_t figures = std::min<std::uint64_t>(head, static_cast<std::uint64_t>(n) * MaxFiguresPerTile);
  const std::uint64_t each = figures / n;
  std::size_t extra = static_cast<std::size_t>(figures % n);
  for (auto& c : counts) c = static_cast<std::uint8_t>(each);
  if (extra == 0) return counts;
  const auto& centre = tiles[FigureHash(static_cast<std::uint32_t>(day), static_cast<std::uint32_t>(pasture), 77) % n];
  std::vector<std::pair<std::uint32_t, std::uint32_t>> order(n);  // (nearness, index)
  for (std::size_t i = 0; i < n; ++i) {
    const int ddx = tiles[i][0] - centre[0], ddy = tiles[i][1] - centre[1];
    const std::uint32_t loose =
        FigureHash(static_cast<std::uint32_t>(tiles[i][0]), static_cast<std::uint32_t>(tiles[i][1]),
                   static_cast<std::uint32_t>(day), static_cast<std::uint32_t>(pasture)) % 12;
    order[i] = {static_cast<std::uint32_t>(ddx * ddx + ddy * ddy) + loose, static_cast<std::uint32_t>(i)};
  }
  std::sort(order.begin(), order.end());
  for (std::size_t k = 0; k < extra; ++k) ++counts[order[k].second];
  return counts;
}
