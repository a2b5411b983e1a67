// Generation: invariants over many seeds, and the homestead in detail.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "MapTestSupport.h"
#include "map/Mapa.h"

namespace {

bool IsRing(int x, int y) { return x == 0 || y == 0 || x == 97 || y == 97; }

// The bank picture a water tile must show for its neighbours; beyond the
// ring counts as water.
int ExpectedWaterImage(const TMapa& map, int x, int y) {
  auto water = [&](int nx, int ny) { return !InGrid(nx, ny) || IsWaterKind(map.Tile(nx, ny).kind); };
  const bool n = water(x, y - 1), w = water(x - 1, y), e = water(x + 1, y), s = water(x, y + 1);
  // Images by N, W, E, S as four bits, most significant first.
  constexpr std::array<int, 16> Images = {39, 25, 27, 33, 28, 34, 32, 37,
                                          26, 31, 35, 29, 36, 30, 38, 23};
  return Images[(n << 3) | (w << 2) | (e << 1) | int{s}];
}

int ExpectedFenceImage(int x, int y, int left, int top, int right, int bottom) {
  if (x == left && y == top) return 70;
  if (x == right && y == top) return 71;
  if (x == left && y == bottom) return 72;
  if (x == right && y == bottom) return 73;
  return (y == top || y == bottom) ? 74 : 75;
}

TEST(Generation, InvariantsHoldForManySeeds) {
  for (std::uint64_t seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE(seed);
    RandomSeed(seed);
    TMapa map;
    const auto header = Bytes(map);
    map.Generate();
    const TMapaRecord& r = map.Record();

    // Only the grid and the house position change; the padding stays clear.
    EXPECT_EQ(std::memcmp(&r, header.data(), 20), 0);
    EXPECT_EQ(r.padding2[0] | r.padding2[1], 0);

    const int left = r.startX - 1;
    const int top = r.startY - 1;
    ASSERT_EQ(left % 8, 1);
    ASSERT_EQ(top % 8, 1);
    ASSERT_LE(left, 65);
    ASSERT_LE(top, 65);
    const int right = left + 22;
    const int bottom = top + 22;

    for (int x = 0; x < MapSize; ++x) {
      for (int y = 0; y < MapSize; ++y) {
        const TTile& t = map.Tile(x, y);
        // A write past the grid would land on a neighbouring ring tile.
        EXPECT_EQ(t.spare, IsRing(x, y) ? 0 : 255) << x << "," << y;
        if (IsRing(x, y)) {
          ASSERT_EQ(t.kind, tkWater) << x << "," << y;
          ASSERT_GE(t.image, 23);
          ASSERT_LE(t.image, 39);
          continue;
        }
        if (t.kind == tkWater) {
          ASSERT_EQ(t.image, ExpectedWaterImage(map, x, y)) << x << "," << y;
          continue;
        }
        const bool edge = x >= left && x <= right && y >= top && y <= bottom &&
                          (x == left || x == right || y == top || y == bottom);
        const bool house = x >= r.startX && x <= r.startX + 1 && y >= r.startY && y <= r.startY + 1;
        if (edge) {
          ASSERT_EQ(t.kind, tkFence) << x << "," << y;
          // Pieces beside the river keep the picture they had before it came.
          EXPECT_EQ(t.image, ExpectedFenceImage(x, y, left, top, right, bottom)) << x << "," << y;
        } else if (house) {
          ASSERT_EQ(t.kind, tkHouse);
          EXPECT_EQ(t.image, (x - r.startX) + 2 * (y - r.startY));
        } else {
          ASSERT_TRUE(t.kind == tkEmpty || t.kind == tkTree || t.kind == tkScenery) << x << "," << y;
          const int low = t.kind == tkEmpty ? 0 : t.kind == tkTree ? 44 : 40;
          const int high = t.kind == tkEmpty ? 0 : low + 3;
          EXPECT_TRUE(t.image >= low && t.image <= high) << x << "," << y;
        }
      }
    }
  }
}

// Whether every line s = 1..96 across the river holds one run of at most 4
// water cells, and at least 2 where the run does not touch the ring.
bool RiverRunsAlong(const TMapa& map, bool northSouth) {
  for (int s = 1; s <= 96; ++s) {
    int first = 0;
    int last = 0;
    int count = 0;
    for (int c = 1; c <= 96; ++c) {
      const int x = northSouth ? c : s;
      const int y = northSouth ? s : c;
      if (map.Tile(x, y).kind != tkWater) continue;
      if (count == 0) first = c;
      last = c;
      ++count;
    }
    if (count > 4 || (count > 0 && last - first + 1 != count)) return false;
    if (count > 0 && count < 2 && first > 1 && last < 96) return false;
  }
  return true;
}

TEST(Generation, TheRiverRunsAcrossTheMapTwoToFourWide) {
  int waterInMiddleRow = 0;
  for (std::uint64_t seed = 1; seed <= 200; ++seed) {
    RandomSeed(seed);
    TMapa map;
    MakeBorder(map);
    map.PlaceRiver();
    EXPECT_TRUE(RiverRunsAlong(map, false) || RiverRunsAlong(map, true)) << seed;
    for (int x = 1; x <= 96; ++x) waterInMiddleRow += map.Tile(x, 48).kind == tkWater;
  }
  EXPECT_GT(waterInMiddleRow, 200);
}

TEST(Generation, AFixedSeedGivesTheSameMap) {
  RandomSeed(42);
  TMapa first;
  first.Generate();
  RandomSeed(42);
  TMapa second;
  second.Generate();
  EXPECT_EQ(Bytes(first), Bytes(second));
}

TEST(Generation, HouseAndFenceCornerOfTheTopLeftHomestead) {
  // Find a seed whose homestead lies at a = 0, b = 0.
  for (std::uint64_t seed = 1;; ++seed) {
    RandomSeed(seed);
    const int a = RandomInt(9);
    const int b = RandomInt(9);
    if (a != 0 || b != 0) continue;
    RandomSeed(seed);
    TMapa map;
    map.PlaceHomestead();
    EXPECT_EQ(map.Record().startX, 2);
    EXPECT_EQ(map.Record().startY, 2);
    EXPECT_EQ(Images(map, 1, 1, 4, 4), "70 74 74 74\n75 0 1 0\n75 2 3 0\n75 0 0 0\n");
    EXPECT_EQ(map.Tile(23, 23).image, 73);
    EXPECT_EQ(map.Tile(3, 3).kind, tkHouse);
    break;
  }
}

// Replays the draws of generation in the documented order, independently of
// the map's code: where the homestead lies, which interior tile gets a tree or
// scenery (and which picture), and the river's course. Any change in the
// order or number of draws moves something here.
TEST(Generation, DrawsAreMadeInTheDocumentedOrder) {
  for (std::uint64_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    RandomSeed(seed);
    TMapa map;
    map.Generate();
    const int afterMap = RandomInt(1000000);

    RandomSeed(seed);
    const int left = 8 * RandomInt(9) + 1;
    const int top = 8 * RandomInt(9) + 1;
    auto homestead = [&](int x, int y) {
      const bool inSquare = x >= left && x <= left + 22 && y >= top && y <= top + 22;
      const bool edge = x == left || x == left + 22 || y == top || y == top + 22;
      const bool house = (x == left + 1 || x == left + 2) && (y == top + 1 || y == top + 2);
      return inSquare && (edge || house);
    };
    std::array<std::array<TTile, MapSize>, MapSize> plants{};
    for (int x = 1; x <= 96; ++x) {
      for (int y = 1; y <= 96; ++y) {
        const int r = RandomInt(200);
        if (homestead(x, y) || r > 15) continue;
        plants[x][y] = r < 11 ? TTile{0, static_cast<std::uint8_t>(44 + RandomInt(4)), tkTree}
                              : TTile{0, static_cast<std::uint8_t>(40 + RandomInt(4)), tkScenery};
      }
    }
    std::array<std::array<bool, MapSize>, MapSize> river{};
    const bool northSouth = RandomInt(2) == 1;
    int m = RandomInt(93) + 3;
    int n = 0, d = 0, w = 0;
    for (int s = 1; s <= 96; ++s) {
      if (n == 0) {
        n = RandomInt(2) + 1;
        d = RandomInt(3) - 1;
        w = RandomInt(3) + 2;
      }
      for (int k = 0; k < w; ++k) {
        const int c = m - w / 2 + k;
        if (c >= 0 && c < MapSize) (northSouth ? river[c][s] : river[s][c]) = true;
      }
      --n;
      m += d;
    }
    ASSERT_EQ(RandomInt(1000000), afterMap);

    for (int x = 1; x <= 96; ++x) {
      for (int y = 1; y <= 96; ++y) {
        const TTile& t = map.Tile(x, y);
        if (river[x][y]) {
          ASSERT_EQ(t.kind, tkWater) << x << "," << y;
        } else if (homestead(x, y)) {
          ASSERT_TRUE(t.kind == tkFence || t.kind == tkHouse) << x << "," << y;
        } else {
          ASSERT_EQ(t.kind, plants[x][y].kind) << x << "," << y;
          ASSERT_EQ(t.image, plants[x][y].image) << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
