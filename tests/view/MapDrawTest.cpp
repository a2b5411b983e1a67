#include <gtest/gtest.h>

#include "map/Mapa.h"
#include "shell/defines.h"
#include "tests/view/DrawFixture.h"

namespace {

constexpr std::uint32_t Sentinel = 0xFF123456;

class MapDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameGlobals();
    TileSize = 24;
    FillGroundList(list);
    device.Start();
    list.SetDXDraw(&device);
    Clear();
  }
  void TearDown() override {
    list.SetDXDraw(nullptr);
    ResetGameGlobals();
  }
  void Clear() { device.Back().Fill(Sentinel); }
  void Draw(int viewX = 0, int viewY = 0, int width = 300, int height = 200) {
    map.Draw(device.Back(), width, height, viewX, viewY, list, horizontal, vertical);
  }
  TTile& Tile(int x, int y) { return map.Record().tiles[x][y]; }
  // Pixel in screen square (column, row) of the view, dx/dy inside it.
  std::uint32_t At(int column, int row, int dx = 18, int dy = 12) {
    return device.Back().Line(row * TileSize + dy)[column * TileSize + dx];
  }

  THeadlessDevice device{300, 200};
  TDXImageList list;
  TMapa map;
  TFakeBar horizontal, vertical;
};

TEST_F(MapDraw, ScrollLimitsFollowTheWholeColumnsAndRows) {
  Draw();
  EXPECT_EQ(horizontal.max, 96 - 12);  // 300 / 24 whole columns
  EXPECT_EQ(vertical.max, 96 - 8);     // 200 / 24 whole rows

  horizontal.position = 90;
  vertical.position = 89;
  Draw(90, 89);
  EXPECT_EQ(horizontal.position, 83);  // limit - 1
  EXPECT_EQ(vertical.position, 87);

  // A surface wider than the map leaves one step of scrolling.
  TileSize = 12;
  horizontal.position = 0;
  Draw(0, 0, 1200, 200);
  EXPECT_EQ(horizontal.max, 1);
  EXPECT_EQ(horizontal.position, 0);
}

// Scrolled as far as the bars go, column 96 and row 96 are whole on the
// surface, at every zoom and view size.
TEST_F(MapDraw, TheLastColumnAndRowCanBeSeenWhole) {
  for (int size : {12, 16, 24, 36, 48}) {
    TileSize = static_cast<unsigned char>(size);
    for (auto [width, height] : {std::pair{300, 200}, {288, 192}, {299, 201}, {640, 480}, {13, 49}, {1, 1}}) {
      horizontal = TFakeBar{};
      vertical = TFakeBar{};
      Draw(0, 0, width, height);
      const int right = (96 - horizontal.max) * size;  // column 96's right edge, at the largest position
      const int bottom = (96 - vertical.max) * size;
      const std::string where = std::to_string(size) + " px, " + std::to_string(width) + " x " + std::to_string(height);
      if (width >= size) {
        EXPECT_LE(right, width) << where;
        EXPECT_GT(right + size, width) << where;  // and no further than that
      } else {
        EXPECT_EQ(horizontal.max, 95) << where;  // narrower than a tile: one column at a time
      }
      if (height >= size) {
        EXPECT_LE(bottom, height) << where;
        EXPECT_GT(bottom + size, height) << where;
      } else {
        EXPECT_EQ(vertical.max, 95) << where;
      }
    }
  }
}

TEST_F(MapDraw, EachTileLandsInItsSquare) {
  Tile(1, 1).image = 30;
  Tile(5, 3).image = 31;
  Tile(4, 2).kind = tkHouse;
  Tile(4, 2).image = 2;
  Draw();
  EXPECT_EQ(At(0, 0), GroundPixel(30));
  EXPECT_EQ(At(4, 2), GroundPixel(31));
  EXPECT_EQ(At(3, 1), HousePixel(2));
  EXPECT_EQ(At(1, 0), GroundPixel(0));

  // Scrolled: map column viewX + 1 is the first on the surface.
  Clear();
  Draw(3, 1);
  EXPECT_EQ(At(0, 0), HousePixel(2));
  EXPECT_EQ(At(1, 1), GroundPixel(31));
}

TEST_F(MapDraw, NothingIsDrawnPastTheLastColumnOrRow) {
  Draw(90, 90);
  // Columns and rows 91..96 fill six squares; the rest is left alone.
  EXPECT_EQ(At(5, 5), GroundPixel(0));
  EXPECT_EQ(At(6, 0), Sentinel);
  EXPECT_EQ(At(0, 6), Sentinel);
  EXPECT_EQ(device.Back().Line(199)[299], Sentinel);
}

TEST_F(MapDraw, NegativeOriginCountsAsZero) {
  Tile(1, 1).image = 40;
  Draw(-5, -3);
  EXPECT_EQ(At(0, 0), GroundPixel(40));
}

TEST_F(MapDraw, OpenWaterSwapsFramesEveryEighthCall) {
  Tile(2, 2) = {255, 23, tkWater};
  Tile(3, 2) = {255, 25, tkWater};  // a bank: never animates
  for (int call = 1; call <= 7; ++call) Draw();
  EXPECT_EQ(Tile(2, 2).image, 23);
  Draw();
  EXPECT_EQ(Tile(2, 2).image, 24);
  EXPECT_EQ(At(1, 1), GroundPixel(24));
  for (int call = 9; call <= 16; ++call) Draw();
  EXPECT_EQ(Tile(2, 2).image, 23);
  EXPECT_EQ(Tile(3, 2).image, 25);
}

TEST_F(MapDraw, WaterOutOfSightKeepsItsFrame) {
  Tile(60, 60) = {255, 23, tkWater};
  for (int call = 1; call <= 8; ++call) Draw();
  EXPECT_EQ(Tile(60, 60).image, 23);
}

TEST_F(MapDraw, ClearingRunsOverTheWeatherGround) {
  map.Record().weather = wtRain;
  map.Record().weatherYesterday = wtSunny;
  Tile(1, 1) = {255, 120, tkEmpty};
  for (int frame = 1; frame <= 8; ++frame) {
    Clear();
    Draw();
    EXPECT_EQ(Tile(1, 1).image, 120 + frame);
    EXPECT_EQ(At(0, 0, 4), GroundPixel(5)) << frame;  // see-through half shows the ground
    EXPECT_EQ(At(0, 0, 18), GroundPixel(120 + frame)) << frame;
  }
  Draw();
  EXPECT_EQ(Tile(1, 1).image, 0);
  EXPECT_EQ(At(0, 0, 4), GroundPixel(0));  // pattern 0 drawn over the rain ground
}

TEST_F(MapDraw, BareGroundFollowsTheWeather) {
  Tile(2, 1) = {255, 48, tkDirtRoad};
  map.Record().weather = wtSunny;
  Draw();
  EXPECT_EQ(At(0, 0), GroundPixel(0));
  map.Record().weather = wtHeavyRain;
  map.Record().weatherYesterday = wtCloudy;
  Draw();
  EXPECT_EQ(At(0, 0), GroundPixel(5));
  map.Record().weatherYesterday = wtRain;
  Draw();
  EXPECT_EQ(At(0, 0), GroundPixel(10));
  EXPECT_EQ(At(1, 0), GroundPixel(48));
}

TEST_F(MapDraw, SmallTilesAreScaledDown) {
  TileSize = 12;
  Tile(3, 2).image = 77;
  Draw();
  const TDirectDrawSurface& back = device.Back();
  for (int y = 12; y < 24; ++y)
    for (int x = 24; x < 36; ++x) ASSERT_EQ(back.Line(y)[x], GroundPixel(77)) << x << "," << y;
  EXPECT_EQ(back.Line(12)[36], GroundPixel(0));
  EXPECT_EQ(horizontal.max, 96 - 25);  // 300 / 12 whole columns
}

TEST_F(MapDraw, PatternsBeyondTheSheetDrawNothing) {
  Tile(1, 1).image = 200;
  Draw();
  EXPECT_EQ(At(0, 0), Sentinel);
}

}  // namespace
