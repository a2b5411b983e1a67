// The ranch's file commands and undo without any window: what each returns
// and what it leaves behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <memory>

#include "map/Mapa.h"
#include "map/Strokes.h"
#include "shell/Ranch.h"

namespace {

class RanchCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    RandomSeed(7);
    map = std::make_unique<TMapa>();
    map->Generate();
    map->AdvanceForecast();
    map->Tick(1);
  }

  // One fence piece on the first bare tile, laid as the map view lays it.
  void BuildOnePiece() {
    for (int y = 2; y < 95; ++y)
      for (int x = 2; x < 95; ++x)
        if (map->Tile(x, y).kind == tkEmpty) {
          strokes.Open();
          ASSERT_TRUE(UseTool(*map, tlCerca, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), &strokes));
          strokes.Close();
          return;
        }
    FAIL() << "no bare tile";
  }

  bool SameAs(const TMapaRecord& other) const { return std::memcmp(&map->Record(), &other, sizeof other) == 0; }

  QTemporaryDir dir;
  std::unique_ptr<TMapa> map;
  TStrokeHistory strokes;
  TRanch ranch{map, strokes};
};

TEST_F(RanchCommands, WithoutAMapEveryCommandSaysNothing) {
  map.reset();
  EXPECT_EQ(ranch.New(), TRanchResult::Nothing);
  EXPECT_EQ(ranch.SaveTo(dir.filePath("a.map")), TRanchResult::Nothing);
  EXPECT_EQ(ranch.Open(dir.filePath("a.map")), TRanchResult::Nothing);
  EXPECT_EQ(ranch.Undo(), TRanchResult::Nothing);
  EXPECT_EQ(ranch.Redo(), TRanchResult::Nothing);
  EXPECT_FALSE(QFile::exists(dir.filePath("a.map")));
}

TEST_F(RanchCommands, SavingAndOpeningFollowTheChangedMarkAndTheUndoLists) {
  const QString path = dir.filePath("ranch.map");
  BuildOnePiece();
  EXPECT_TRUE(ranch.Changed());
  EXPECT_EQ(ranch.SaveTo(path), TRanchResult::Saved);
  EXPECT_FALSE(ranch.Changed());
  EXPECT_TRUE(strokes.CanUndo());  // a save keeps what can be undone

  const TMapaRecord saved = map->Record();
  BuildOnePiece();
  EXPECT_EQ(ranch.Open(path), TRanchResult::Loaded);
  EXPECT_TRUE(SameAs(saved));
  EXPECT_FALSE(strokes.CanUndo());  // nothing of the ranch before is undone into this one
  EXPECT_FALSE(ranch.Changed());
}

TEST_F(RanchCommands, RefusedLoadsSayWhyAndLeaveTheRecord) {
  const TMapaRecord before = map->Record();
  EXPECT_EQ(ranch.Open(dir.filePath("missing.map")), TRanchResult::NoSave);
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.map"));
  EXPECT_EQ(ranch.Open(dir.filePath("folder.map")), TRanchResult::NotASave);
  QFile noise(dir.filePath("noise.map"));
  ASSERT_TRUE(noise.open(QIODevice::WriteOnly));
  noise.write(QByteArray(static_cast<int>(sizeof(TMapaRecord)), '\xFF'));
  noise.close();
  EXPECT_EQ(ranch.Open(dir.filePath("noise.map")), TRanchResult::Damaged);
  EXPECT_EQ(ranch.SaveTo(dir.filePath("folder.map")), TRanchResult::SaveRefused);
  EXPECT_TRUE(SameAs(before));
}

TEST_F(RanchCommands, UndoRedoAndARedoTheMoneyDoesNotReach) {
  const TMapaRecord before = map->Record();
  BuildOnePiece();
  const TMapaRecord built = map->Record();
  EXPECT_EQ(ranch.Undo(), TRanchResult::Undone);
  EXPECT_TRUE(SameAs(before));
  EXPECT_EQ(ranch.Undo(), TRanchResult::Nothing);
  EXPECT_EQ(ranch.Redo(), TRanchResult::Redone);
  EXPECT_TRUE(SameAs(built));
  EXPECT_EQ(ranch.Redo(), TRanchResult::Nothing);

  EXPECT_EQ(ranch.Undo(), TRanchResult::Undone);
  map->Record().funds = 0;
  const TMapaRecord poor = map->Record();
  EXPECT_EQ(ranch.Redo(), TRanchResult::RedoRefused);
  EXPECT_TRUE(SameAs(poor));
}

// A trade of the living ranch is a change too, until the ranch is saved,
// loaded or made anew.
TEST_F(RanchCommands, ATradeCountsAsAChangeUntilSaved) {
  ranch.MarkTraded();
  EXPECT_TRUE(ranch.Changed());
  EXPECT_EQ(ranch.SaveTo(dir.filePath("traded.map")), TRanchResult::Saved);
  EXPECT_FALSE(ranch.Changed());
  ranch.MarkTraded();
  EXPECT_EQ(ranch.Open(dir.filePath("traded.map")), TRanchResult::Loaded);
  EXPECT_FALSE(ranch.Changed());
  ranch.MarkTraded();
  EXPECT_EQ(ranch.New(), TRanchResult::NewRanch);
  EXPECT_FALSE(ranch.Changed());
}

TEST_F(RanchCommands, ANewRanchForgetsTheStrokes) {
  BuildOnePiece();
  EXPECT_EQ(ranch.New(), TRanchResult::NewRanch);
  EXPECT_FALSE(ranch.Changed());
  EXPECT_FALSE(strokes.CanUndo());
  EXPECT_GT(map->Record().startX, 0);
}

}  // namespace
