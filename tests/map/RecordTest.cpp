// The saved record's bytes, the creation state and the funds.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "MapTestSupport.h"
#include "map/Mapa.h"

namespace {

TEST(Record, FreshGeneratedMapStartsWithTheKnownBytes) {
  RandomSeed(3);
  TMapa map;
  map.Generate();
  const auto bytes = Bytes(map);
  ASSERT_EQ(bytes.size(), 28836U);
  const std::uint8_t head[20] = {0x80, 0x1A, 0x00, 0x00, 0x00, 0x63, 0x63, 0x63, 0x63, 0x63,
                                 0x01, 0x01, 0x01, 0x00, 0xD4, 0x07, 0x40, 0x9C, 0x00, 0x00};
  EXPECT_EQ(std::memcmp(bytes.data(), head, 20), 0);
  EXPECT_EQ(bytes[20], map.Record().startX);
  EXPECT_EQ(bytes[21], map.Record().startY);
  EXPECT_EQ(bytes[28834], 0);
  EXPECT_EQ(bytes[28835], 0);
}

TEST(Record, TilesAreStoredByColumns) {
  TMapa map;
  map.Tile(1, 2) = TTile{7, 8, 9};
  map.Tile(97, 97) = TTile{1, 2, 3};
  const auto bytes = Bytes(map);
  EXPECT_EQ(bytes[322], 7);
  EXPECT_EQ(bytes[323], 8);
  EXPECT_EQ(bytes[324], 9);
  EXPECT_EQ(bytes[22 + 294 * 97 + 3 * 97 + 2], 3);
  EXPECT_EQ(TileOffset(1, 2), 322U);
}

TEST(Record, CreationState) {
  TRecordingHost host;
  TMapa map(&host);
  EXPECT_EQ(host.calls, std::vector<std::string>{"funds 40000"});
  EXPECT_EQ(map.frameCounter, 0);
  for (int x = 0; x < MapSize; ++x) {
    for (int y = 0; y < MapSize; ++y) {
      const TTile& t = map.Tile(x, y);
      const bool ring = x == 0 || y == 0 || x == 97 || y == 97;
      ASSERT_EQ(t.spare, ring ? 0 : 255);
      ASSERT_EQ(t.image, 0);
      ASSERT_EQ(t.kind, tkEmpty);
    }
  }
}

TEST(Funds, RefusesToGoBelowZeroAndSaturatesGains) {
  TRecordingHost host;
  TMapa map(&host);
  auto& funds = map.Record().funds;
  funds = 99;
  host.calls.clear();
  EXPECT_FALSE(map.ChangeFunds(-100));
  EXPECT_EQ(funds, 99);
  EXPECT_TRUE(host.calls.empty());
  funds = 100;
  EXPECT_TRUE(map.ChangeFunds(-100));
  EXPECT_EQ(funds, 0);
  EXPECT_EQ(host.calls.back(), "funds 0");

  // A loaded record may hold negative funds: every loss is refused, every gain taken.
  funds = -50;
  EXPECT_FALSE(map.ChangeFunds(-1));
  EXPECT_TRUE(map.ChangeFunds(20));
  EXPECT_EQ(funds, -30);

  funds = std::numeric_limits<std::int32_t>::max() - 5;
  EXPECT_TRUE(map.ChangeFunds(std::numeric_limits<std::int32_t>::max()));
  EXPECT_EQ(funds, std::numeric_limits<std::int32_t>::max());
  EXPECT_TRUE(map.ChangeFunds(std::numeric_limits<std::int32_t>::min() + 1));
  EXPECT_EQ(funds, 0);
}

TEST(Random, StaysInRangeAndRepeatsForASeed) {
  RandomSeed(11);
  std::vector<int> first;
  int seen[7] = {};
  for (int i = 0; i < 700; ++i) {
    first.push_back(RandomInt(7));
    ASSERT_GE(first.back(), 0);
    ASSERT_LT(first.back(), 7);
    ++seen[first.back()];
  }
  for (int count : seen) EXPECT_GT(count, 50);
  RandomSeed(11);
  for (int value : first) ASSERT_EQ(RandomInt(7), value);
  EXPECT_EQ(RandomInt(1), 0);
  EXPECT_EQ(RandomInt(0), 0);
}

}  // namespace
