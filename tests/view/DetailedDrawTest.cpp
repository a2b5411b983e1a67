// The map drawing with and without the detailed terrain. Unchecked, every
// frame is exactly the first version's drawing; checked, the wet ground runs
// under the features and bridges and crossings show which way they run.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "map/Mapa.h"
#include "map/MapaCodes.h"
#include "map/TerrainDetail.h"
#include "shell/defines.h"
#include "tests/view/DrawFixture.h"

namespace {

bool Rainy(std::uint8_t weather) { return weather == wtRain || weather == wtHeavyRain; }

// The first version's drawing, step by step, on its own copy of the map: the
// yardstick the game's frames are held to with the option unchecked.
class TFirstVersionDrawing {
 public:
  explicit TFirstVersionDrawing(const TMapaRecord& record) : record_(std::make_unique<TMapaRecord>(record)) {}

  void Draw(TDirectDrawSurface& surface, int width, int height, int viewX, int viewY, TDXImageList& images) {
    const int size = TileSize;
    const int columns = width / size + 1, rows = height / size + 1;
    viewX = std::max(viewX, 0);
    viewY = std::max(viewY, 0);
    bool waterFrame = false;
    if (++counter_ > 7) {
      counter_ = 0;
      waterFrame = true;
    }
    const int ground = !Rainy(record_->weather) ? 0 : Rainy(record_->weatherYesterday) ? 10 : 5;
    TPictureCollectionItem& chao = images.Items.Items(0);
    TPictureCollectionItem& casas = images.Items.Items(1);
    for (int i = 1; i <= rows && viewY + i <= 96; ++i)
      for (int j = 1; j <= columns && viewX + j <= 96; ++j) {
        TTile& tile = record_->tiles[viewX + j][viewY + i];
        const TRect square{(j - 1) * size, (i - 1) * size, j * size, i * size};
        if (waterFrame && tile.kind == tkWater && (tile.image == 23 || tile.image == 24))
          tile.image = tile.image == 23 ? 24 : 23;
        if (tile.kind == tkHouse) {
          casas.DrawScaled(surface, square, tile.image);
        } else if (tile.image == 0) {
          chao.DrawScaled(surface, square, ground);
        } else if (tile.image >= 120 && tile.image <= 128) {
          chao.DrawScaled(surface, square, ground);
          tile.image = tile.image == 128 ? 0 : tile.image + 1;
          chao.DrawScaled(surface, square, tile.image);
        } else {
          chao.DrawScaled(surface, square, tile.image);
        }
      }
  }

 private:
  std::unique_ptr<TMapaRecord> record_;
  int counter_ = 0;
};

class DetailedDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameGlobals();
    TileSize = 24;
    FillGroundList(list, true);
    device.Start();
    list.SetDXDraw(&device);
    FillGroundList(referenceList, true);
    reference.Start();
    referenceList.SetDXDraw(&reference);
    MakeScene();
  }
  void TearDown() override {
    list.SetDXDraw(nullptr);
    referenceList.SetDXDraw(nullptr);
    ResetGameGlobals();
  }
  // A generated ranch with a bridge each way, crossings each way, a fresh
  // clearing and an inside bend of water near the top left.
  void MakeScene() {
    RandomSeed(11);
    map.Generate();
    for (int y = 1; y <= 12; ++y)
      for (int x = 1; x <= 16; ++x) map.Tile(x, y) = TTile{255, 0, tkEmpty};
    for (int y = 2; y <= 8; ++y) map.PlaceWater(4, y, TPlaceMode::Place);
    for (int x = 5; x <= 9; ++x) map.PlaceWater(x, 8, TPlaceMode::Place);
    for (int x = 2; x <= 6; ++x) map.PlaceLinear(static_cast<std::uint8_t>(x), 4, BaseDirtRoad, TPlaceMode::Place);
    for (int y = 6; y <= 10; ++y) map.PlaceLinear(7, static_cast<std::uint8_t>(y), BasePavement, TPlaceMode::Place);
    for (int y = 2; y <= 6; ++y) map.PlaceLinear(12, static_cast<std::uint8_t>(y), BaseDuct, TPlaceMode::Place);
    for (int x = 10; x <= 14; ++x) map.PlaceLinear(static_cast<std::uint8_t>(x), 4, BaseDirtRoad, TPlaceMode::Place);
    for (int x = 10; x <= 14; ++x) map.PlaceLinear(static_cast<std::uint8_t>(x), 10, BaseDuct, TPlaceMode::Place);
    map.PlaceLinear(12, 9, BasePavement, TPlaceMode::Place);
    map.PlaceLinear(12, 10, BasePavement, TPlaceMode::Place);
    map.PlaceLinear(12, 11, BasePavement, TPlaceMode::Place);
    map.PlaceTree(2, 10);
    map.PlaceHouse(14, 6, 0);
    map.Tile(2, 12) = TTile{255, 120, tkEmpty};
    ASSERT_EQ(map.Tile(4, 4).kind, tkBridge);
    ASSERT_EQ(map.Tile(7, 8).kind, tkBridge);
    ASSERT_EQ(map.Tile(12, 4).kind, tkCrossing);
    ASSERT_EQ(map.Tile(12, 10).kind, tkCrossing);
  }
  void Weather(std::uint8_t today, std::uint8_t yesterday) {
    map.Record().weather = today;
    map.Record().weatherYesterday = yesterday;
  }
  void Draw() { map.Draw(device.Back(), 400, 300, 0, 0, list, horizontal, vertical); }
  // Pixel in the right half of the square of map tile (x, y) with the view at the origin.
  std::uint32_t At(int x, int y, int dx = 18) {
    return device.Back().Line((y - 1) * TileSize + 12)[(x - 1) * TileSize + dx];
  }
  bool SameFrame() {
    const std::size_t bytes = static_cast<std::size_t>(device.Back().Width()) * device.Back().Height() * 4;
    return std::memcmp(device.Back().Bits(), reference.Back().Bits(), bytes) == 0;
  }

  THeadlessDevice device{400, 300};
  THeadlessDevice reference{400, 300};
  TDXImageList list;
  TDXImageList referenceList;
  TMapa map;
  TFakeBar horizontal, vertical;
};

TEST_F(DetailedDraw, UncheckedEveryFrameIsTheFirstVersionsDrawingInSunAndRain) {
  for (const auto& [today, yesterday] : {std::pair{wtSunny, wtSunny}, {wtRain, wtCloudy}, {wtHeavyRain, wtRain}}) {
    Weather(today, yesterday);
    TFirstVersionDrawing firstVersion(map.Record());
    map.frameCounter = 0;
    // Nine frames: the clearing runs out and the water turns over once.
    for (int frame = 1; frame <= 9; ++frame) {
      firstVersion.Draw(reference.Back(), 400, 300, 0, 0, referenceList);
      Draw();
      ASSERT_TRUE(SameFrame()) << "weather " << int(today) << " frame " << frame;
    }
  }
}

TEST_F(DetailedDraw, CheckedTheFramesDifferAndTheMapIsLeftAsTheFirstVersionLeavesIt) {
  Weather(wtRain, wtRain);
  TMapa plain;
  plain.Record() = map.Record();
  DetailedTerrain = true;
  for (int frame = 1; frame <= 9; ++frame) Draw();
  DetailedTerrain = false;
  TFirstVersionDrawing firstVersion(plain.Record());
  for (int frame = 1; frame <= 9; ++frame) firstVersion.Draw(reference.Back(), 400, 300, 0, 0, referenceList);
  EXPECT_FALSE(SameFrame());
  for (int frame = 1; frame <= 9; ++frame) plain.Draw(reference.Back(), 400, 300, 0, 0, referenceList, horizontal, vertical);
  EXPECT_EQ(std::memcmp(&plain.Record(), &map.Record(), sizeof(TMapaRecord)), 0)
      << "the detailed pictures are never written into the map";
}

TEST_F(DetailedDraw, RainPutsTheWetGroundUnderATreeARoadAndTheHouse) {
  DetailedTerrain = true;
  auto version = [](std::uint8_t image, int ground) {
    for (std::size_t k = 0; k < WeatheredImages.size(); ++k)
      if (WeatheredImages[k] == image) return (ground == 5 ? FirstDampFeature : FirstSoakedFeature) + static_cast<int>(k);
    return -1;
  };
  const std::uint8_t tree = map.Tile(2, 10).image, road = map.Tile(2, 4).image;
  for (const auto& [yesterday, ground] : {std::pair{wtSunny, 5}, {wtHeavyRain, 10}}) {
    Weather(wtRain, yesterday);
    Draw();
    EXPECT_EQ(At(1, 1), GroundPixel(ground));
    EXPECT_EQ(At(2, 10), GroundPixel(version(tree, ground))) << ground;
    EXPECT_EQ(At(2, 4), GroundPixel(version(road, ground))) << ground;
    const int level = ground == 5 ? 1 : 2;
    EXPECT_EQ(At(14, 6), HousePixel(0 + HouseLevelStep * level));
    EXPECT_EQ(At(15, 7), HousePixel(3 + HouseLevelStep * level));
  }
  // On a dry day the stored pictures stand on the dry ground already.
  Weather(wtSunny, wtRain);
  Draw();
  EXPECT_EQ(At(2, 10), GroundPixel(tree));
  EXPECT_EQ(At(14, 6), HousePixel(0));
}

TEST_F(DetailedDraw, BridgesAndCrossingsShowWhichWayTheyRun) {
  DetailedTerrain = true;
  Draw();
  // The west-east bridge: the deck over the river's water, see-through on the left of the fixture's patterns.
  EXPECT_EQ(At(4, 4), GroundPixel(BridgeDeckWestEast));
  EXPECT_EQ(At(4, 4, 4), GroundPixel(WaterJoinImage[1 | 8]));
  EXPECT_EQ(At(7, 8), GroundPixel(BridgeDeckNorthSouth));
  EXPECT_EQ(At(7, 8, 4), GroundPixel(WaterJoinImage[2 | 4]));
  EXPECT_EQ(At(12, 4), GroundPixel(FirstCrossing));          // dirt, west-east
  EXPECT_EQ(At(12, 10), GroundPixel(FirstCrossing + 2 + 1));  // paved, north-south
  // The bend where the river turns east shows its bank turned round the corner.
  EXPECT_EQ(At(4, 8), GroundPixel(BankCornerPattern(1 | 4, CornerNE, false)));
  DetailedTerrain = false;
  Draw();
  for (const auto& [x, y] : {std::pair{4, 4}, {7, 8}, {12, 4}, {12, 10}}) EXPECT_EQ(At(x, y), GroundPixel(ImageBridge));
}

}  // namespace
