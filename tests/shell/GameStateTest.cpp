// The commands tell the truth: the displays follow a loaded game and a
// language change at once, every save and load says how it went, a damaged
// or strange file changes nothing, and what is not a saved game is never
// replaced.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <random>

#include "CommandsFixture.h"
#include "map/Mapa.h"
#include "shell/Principal.h"
#include "shell/defines.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

namespace {

// What the three displays show.
struct TDisplays {
  QString funds, date;
  QImage forecast;
  bool operator==(const TDisplays&) const = default;
};

class GameState : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteLanguageFile(folder.Path("."), "portugues.dat", NumberedLanguage("pt"));
    form = folder.StartGame();
    map = form->RanchMap.get();
  }
  TDisplays Shown() const {
    return {form->LabFunds->text(), form->LabDate->text(), form->Dias->pixmap().toImage()};
  }
  std::string Status() const { return Utf8(form->StatusText->text()); }

  TGameFolder folder;
  std::unique_ptr<TForm1> form;
  TMapa* map = nullptr;
};

// At "Parado" nothing else would ever bring the displays up to date.
TEST_F(GameState, DisplaysShowTheLoadedGameAtOnceWithoutMovingIt) {
  form->Parado1->trigger();
  ASSERT_TRUE(form->SaveGameTo("mapa.map"));
  const QByteArray saved = FileBytes("mapa.map");
  const TDisplays atSave = Shown();

  map->ChangeFunds(-1234);
  map->Tick(40);  // another week, month and forecast
  ASSERT_NE(Shown(), atSave);

  RandomSeed(55);
  const int next = RandomInt(1 << 30);
  RandomSeed(55);
  const std::uint8_t frames = map->frameCounter;
  ASSERT_TRUE(form->LoadGameFrom("mapa.map"));
  EXPECT_EQ(RecordBytes(*map), saved);  // no day, no forecast step on the way
  EXPECT_EQ(Shown(), atSave);
  EXPECT_EQ(map->frameCounter, frames);
  EXPECT_EQ(RandomInt(1 << 30), next);
  EXPECT_EQ(Status(), "Jogo carregado de \"mapa.map\".");
}

TEST_F(GameState, ADamagedSaveIsRefusedAndChangesNothing) {
  form->Parado1->trigger();
  std::mt19937 noise(3);
  QByteArray bytes(28836, '\0');
  for (char& c : bytes) c = static_cast<char>(noise());
  WriteBytes("mapa.map", bytes);
  const QByteArray before = RecordBytes(*map);
  const TDisplays shown = Shown();

  EXPECT_FALSE(form->LoadGameFrom("mapa.map"));
  EXPECT_EQ(RecordBytes(*map), before);
  EXPECT_EQ(Shown(), shown);
  EXPECT_EQ(Status(), "\"mapa.map\" está danificado: o jogo não foi carregado.");

  // One wrong byte in an otherwise good save is enough.
  ASSERT_TRUE(form->SaveGameTo("mapa.map"));
  QByteArray good = FileBytes("mapa.map");
  good[static_cast<int>(TileOffset(30, 30)) + 1] = static_cast<char>(200);
  WriteBytes("mapa.map", good);
  form->Carregarjogo1->trigger();
  EXPECT_EQ(RecordBytes(*map), before);
  EXPECT_EQ(Status(), "\"mapa.map\" está danificado: o jogo não foi carregado.");
}

// Made in the game's own temporary folder, never aimed at /dev; every other
// kind of thing that is not an ordinary file is tried in SaveGameTest.
TEST_F(GameState, SaveOverALinkToAPipeIsRefusedAndSaysSo) {
  ASSERT_EQ(::mkfifo("pipe", 0644), 0);
  ASSERT_EQ(::symlink("pipe", "mapa.map"), 0);
  struct stat before {};
  ASSERT_EQ(::lstat("mapa.map", &before), 0);
  form->Salvarjogo1->trigger();
  EXPECT_EQ(Status(), "\"mapa.map\" não é um arquivo comum: o jogo não foi salvo.");
  struct stat after {};
  ASSERT_EQ(::lstat("mapa.map", &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  ASSERT_EQ(::stat("pipe", &after), 0);
  EXPECT_TRUE(S_ISFIFO(after.st_mode));

  // Loading from it neither hangs nor takes anything.
  const QByteArray record = RecordBytes(*map);
  form->Carregarjogo1->trigger();
  EXPECT_EQ(RecordBytes(*map), record);
  EXPECT_EQ(Status(), "\"mapa.map\" não é um jogo salvo.");
}

TEST_F(GameState, ALaterSuccessReplacesAnEarlierErrorAndHintsStillShow) {
  form->Carregarjogo1->trigger();
  EXPECT_EQ(Status(), "Não há jogo salvo em \"mapa.map\".");
  form->Salvarjogo1->trigger();
  EXPECT_EQ(Status(), "Jogo salvo em \"mapa.map\".");
  form->Tools->BotCerca->click();
  EXPECT_EQ(Status(), "pt26 - pt60: $50");
  form->Carregarjogo1->trigger();
  EXPECT_EQ(Status(), "Jogo carregado de \"mapa.map\".");
  form->Tools->BotTerra->click();
  EXPECT_EQ(Status(), "pt24 - pt60: $20");
}

TEST_F(GameState, EverythingOnShowFollowsTheLanguageAtOnce) {
  WriteLanguageFile(folder.Path("."), "english.dat", NumberedLanguage("en"));
  form->Parado1->trigger();
  TMapaRecord& r = map->Record();
  r.week = 3;
  r.month = 2;
  r.year = 2007;
  form->ShowGameState();
  EXPECT_EQ(Utf8(form->LabDate->text()), "pt56 3 pt58 pt45, 2007");

  form->Tools->BotCerca->click();
  const QByteArray record = RecordBytes(*map);
  form->LoadLanguage("english.dat");
  EXPECT_EQ(Utf8(form->LabDate->text()), "en56 3 en58 en45, 2007");
  EXPECT_EQ(Status(), "en26 - en60: $50");  // the picked tool's hint, in the new words
  EXPECT_EQ(RecordBytes(*map), record);

  form->ShowStatus(TExtraText::DamagedStatus, "mapa.map");
  form->LoadLanguage("portugues.dat");
  EXPECT_EQ(Status(), "\"mapa.map\" está danificado: o jogo não foi carregado.");
}

}  // namespace
