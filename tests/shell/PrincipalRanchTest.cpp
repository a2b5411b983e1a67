// The ranch as a whole from the Extras menu: a new ranch, undo and redo of
// building, and the Jogo items that still do nothing.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <sys/stat.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "CommandsFixture.h"
#include "DialogTestSupport.h"
#include "map/Strokes.h"
#include "present/Text.h"
#include "shell/Principal.h"
#include "shell/defines.h"
#include "view/VerMapa.h"

namespace {

// Three bare tiles side by side, away from the last row and column.
std::pair<int, int> BareRun(const TMapa& map) {
  for (int y = 2; y < 95; ++y)
    for (int x = 2; x < 93; ++x)
      if (map.Tile(x, y).kind == tkEmpty && map.Tile(x + 1, y).kind == tkEmpty &&
          map.Tile(x + 2, y).kind == tkEmpty)
        return {x, y};
  return {0, 0};
}

class RanchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteLanguageFile(folder.Path("."), "portugues.dat", NumberedLanguage("pt"));
    form = folder.StartGame();
    // No frames: the water would flicker under the byte comparisons.
    form->Form2->DXTimer1->SetEnabled(false);
  }

  // A fence of three pieces laid in one stroke, as the map view lays it.
  void BuildFence() {
    TMapa& map = *form->RanchMap;
    const auto [x, y] = BareRun(map);
    ASSERT_NE(x, 0);
    form->Strokes.Open();
    for (int i = 0; i < 3; ++i)
      ASSERT_TRUE(UseTool(map, tlCerca, static_cast<std::uint8_t>(x + i), static_cast<std::uint8_t>(y), &form->Strokes));
    form->Strokes.Close();
  }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) { QTest::keyClick(form.get(), key, modifiers); }

  TGameFolder folder;
  std::unique_ptr<TForm1> form;
};

TEST_F(RanchTest, NewRanchWithoutChangesAsksNothingAndIsMadeAsAtStartUp) {
  TMapa& map = *form->RanchMap;
  TMapa* const object = &map;
  map.Record().week = 3;
  map.Tick(2);  // days passing are no change of the player's
  const QByteArray old = RecordBytes(map);
  const QString oldDate = form->LabDate->text();
  map.frameCounter = 5;
  form->Form2->BarraHorizontal->setValue(40);
  form->Form2->BarraVertical->setValue(40);

  TDialogAnswers answers;
  RandomSeed(77);
  form->Novafazenda1->trigger();
  EXPECT_TRUE(answers.Titles.empty());

  // The same object, made again with the generator going on from where it
  // stood: exactly what a fresh map gives for the same draws.
  RandomSeed(77);
  TMapa expected;
  expected.Generate();
  expected.AdvanceForecast();
  expected.Tick(1);
  EXPECT_EQ(form->RanchMap.get(), object);
  EXPECT_EQ(RecordBytes(map), RecordBytes(expected));
  EXPECT_NE(RecordBytes(map), old);
  EXPECT_EQ(map.frameCounter, 0);

  EXPECT_EQ(form->LabFunds->text(), "40000");
  EXPECT_EQ(Utf8(form->LabDate->text()), "pt56 1 pt58 pt44, 2004");
  EXPECT_NE(form->LabDate->text(), oldDate);
  EXPECT_EQ(Utf8(form->StatusText->text()), "Nova fazenda criada.");
  const TMapaRecord& r = map.Record();
  EXPECT_EQ(ViewX, r.startX > 3 ? r.startX - 3 : 0);
  EXPECT_EQ(ViewY, r.startY > 3 ? r.startY - 3 : 0);
  EXPECT_FALSE(form->Desfazer1->isEnabled());
  EXPECT_FALSE(form->Refazer1->isEnabled());
}

TEST_F(RanchTest, NewRanchAfterBuildingAsksFirstAndNoKeepsTheRanch) {
  TMapa& map = *form->RanchMap;
  BuildFence();
  const QByteArray built = RecordBytes(map);

  TDialogAnswers answers;
  TMessageBoxSeen seen;
  answers.Then(ClickButton(DecodeText("&N\xE3o"), &seen));
  form->Novafazenda1->trigger();
  ASSERT_EQ(answers.Titles.size(), 1U);
  EXPECT_TRUE(answers.InputLocked.at(0)) << "the map went on working under the question";
  EXPECT_EQ(Utf8(seen.text), "A fazenda tem mudanças que não foram salvas. Descartá-las?");
  EXPECT_EQ(Utf8(seen.defaultButton), "&Não");
  std::sort(seen.buttons.begin(), seen.buttons.end());
  EXPECT_EQ(seen.buttons, (std::vector<QString>{DecodeText("&N\xE3o"), QStringLiteral("&Sim")}));
  EXPECT_EQ(RecordBytes(map), built);
  EXPECT_TRUE(form->Desfazer1->isEnabled());

  answers.Then(ClickButton(QStringLiteral("&Sim")));
  form->Novafazenda1->trigger();
  EXPECT_EQ(answers.Titles.size(), 2U);
  EXPECT_NE(RecordBytes(map), built);
  EXPECT_FALSE(form->Desfazer1->isEnabled());
  EXPECT_EQ(answers.Unexpected, 0);

  // A fresh ranch has nothing to lose: no question.
  form->Novafazenda1->trigger();
  EXPECT_EQ(answers.Titles.size(), 2U);
}

TEST_F(RanchTest, NovoJogoAndSalvarJogoComoStillDoNothing) {
  const QByteArray before = RecordBytes(*form->RanchMap);
  const QString status = form->StatusText->text();
  TDialogAnswers answers;
  form->Novojogo1->trigger();
  form->Salvarjogocomo1->trigger();
  QTest::qWait(50);
  EXPECT_TRUE(answers.Titles.empty());
  EXPECT_EQ(RecordBytes(*form->RanchMap), before);
  EXPECT_EQ(form->StatusText->text(), status);
  EXPECT_FALSE(QFile::exists(QStringLiteral("mapa.map")));
  EXPECT_TRUE(form->Novojogo1->isEnabled());
  EXPECT_TRUE(form->Salvarjogocomo1->isEnabled());
}

TEST_F(RanchTest, UndoAndRedoFromTheMenuAndTheirGreyedItems) {
  TMapa& map = *form->RanchMap;
  EXPECT_FALSE(form->Desfazer1->isEnabled());
  EXPECT_FALSE(form->Refazer1->isEnabled());
  const QByteArray start = RecordBytes(map);
  BuildFence();
  const QByteArray built = RecordBytes(map);
  EXPECT_TRUE(form->Desfazer1->isEnabled());
  EXPECT_FALSE(form->Refazer1->isEnabled());

  Press(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(RecordBytes(map), start);
  EXPECT_EQ(form->LabFunds->text(), QString::number(map.Record().funds));
  EXPECT_EQ(Utf8(form->StatusText->text()), "Construção desfeita.");
  EXPECT_FALSE(form->Desfazer1->isEnabled());
  EXPECT_TRUE(form->Refazer1->isEnabled());

  Press(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(RecordBytes(map), built);
  EXPECT_EQ(form->LabFunds->text(), QString::number(map.Record().funds));
  EXPECT_EQ(Utf8(form->StatusText->text()), "Construção refeita.");
  EXPECT_TRUE(form->Desfazer1->isEnabled());
  EXPECT_FALSE(form->Refazer1->isEnabled());

  form->Desfazer1->trigger();
  Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(RecordBytes(map), built);

  // Redo with too little money: refused with the marker's complaint.
  form->Desfazer1->trigger();
  map.Record().funds = 3 * ToolCost[tlCerca] - 1;
  const QByteArray poor = RecordBytes(map);
  TWaveCollectionItem& ops = form->Audio.Items.Items(vsOps);
  const int opsBefore = ops.CopyCount();
  form->Refazer1->trigger();
  EXPECT_EQ(RecordBytes(map), poor);
  EXPECT_EQ(Utf8(form->StatusText->text()), "Dinheiro insuficiente para refazer.");
  EXPECT_TRUE(form->Refazer1->isEnabled());
  if (form->Som.Initialized()) {
    EXPECT_EQ(ops.CopyCount(), opsBefore + 1);
  }

  // A new ranch empties both lists.
  TDialogAnswers answers;
  answers.Then(ClickButton(QStringLiteral("&Sim")));
  form->Novafazenda1->trigger();
  EXPECT_FALSE(form->Desfazer1->isEnabled());
  EXPECT_FALSE(form->Refazer1->isEnabled());
}

// "Salvar em..." is Ctrl+S to a file of the player's choosing: the toolkit's
// save dialog in the current folder, "mapa.map" proposed, saved games listed.
TEST_F(RanchTest, SalvarEmSavesWhereTheDialogSaysWithTheChecksOfCtrlS) {
  TMapa& map = *form->RanchMap;
  BuildFence();
  TDialogAnswers answers;
  TFileDialogSeen seen;
  answers.Then(ChooseFile(folder.Path("ranch.map"), &seen));
  form->Salvarem1->trigger();
  ASSERT_EQ(answers.Titles.size(), 1U);
  EXPECT_EQ(seen.title, "Salvar jogo em");
  EXPECT_TRUE(seen.saving);
  EXPECT_EQ(seen.directory, QDir::currentPath());
  EXPECT_EQ(seen.proposed, "mapa.map");
  EXPECT_EQ(seen.filter, "Jogos salvos (*.map)");
  EXPECT_TRUE(answers.InputLocked.at(0)) << "the map went on working under the dialog";
  EXPECT_EQ(FileBytes(folder.Path("ranch.map")), RecordBytes(map));
  EXPECT_EQ(Utf8(form->StatusText->text()), "Jogo salvo em \"ranch.map\".");
  // Saved: a new ranch asks nothing now.
  EXPECT_FALSE(form->Strokes.Changed());

  // A pipe is refused as Ctrl+S refuses it, after the dialog's own question
  // whether to replace what is there.
  ASSERT_EQ(mkfifo(folder.Path("pipe.map").toLocal8Bit().constData(), 0600), 0);
  answers.Then(ChooseFile(folder.Path("pipe.map"))).Then(ClickButton(QStringLiteral("&Sim")));
  form->Salvarem1->trigger();
  EXPECT_EQ(answers.Titles.size(), 3U);
  EXPECT_EQ(Utf8(form->StatusText->text()), "\"pipe.map\" não é um arquivo comum: o jogo não foi salvo.");
  struct stat info {};
  ASSERT_EQ(lstat(folder.Path("pipe.map").toLocal8Bit().constData(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));

  // Cancelled: nothing is written.
  answers.Then(CancelFileDialog());
  form->Salvarem1->trigger();
  EXPECT_FALSE(QFile::exists(QStringLiteral("mapa.map")));
  EXPECT_EQ(answers.Unexpected, 0);
}

// "Abrir jogo..." is Ctrl+L from a file of the player's choosing.
TEST_F(RanchTest, AbrirJogoLoadsWhatTheDialogSaysWithTheChecksOfCtrlL) {
  TMapa& map = *form->RanchMap;
  ASSERT_TRUE(form->SaveGameTo(folder.Path("old.map")));
  const QByteArray saved = FileBytes(folder.Path("old.map"));
  BuildFence();
  map.Record().funds = 12345;

  TDialogAnswers answers;
  TFileDialogSeen seen;
  answers.Then(ChooseFile(folder.Path("old.map"), &seen));
  form->Abrirjogo1->trigger();
  EXPECT_EQ(seen.title, "Abrir jogo");
  EXPECT_FALSE(seen.saving);
  EXPECT_EQ(seen.directory, QDir::currentPath());
  EXPECT_EQ(seen.filter, "Jogos salvos (*.map)");
  EXPECT_TRUE(answers.InputLocked.at(0));
  EXPECT_EQ(RecordBytes(map), saved);
  EXPECT_EQ(form->LabFunds->text(), QString::number(map.Record().funds));
  EXPECT_EQ(Utf8(form->StatusText->text()), "Jogo carregado de \"old.map\".");
  // A load replaces the ranch: nothing to undo, nothing unsaved.
  EXPECT_FALSE(form->Desfazer1->isEnabled());
  EXPECT_FALSE(form->Strokes.Changed());

  // A damaged file is refused and the ranch stays byte for byte.
  QByteArray noise(sizeof(TMapaRecord), '\xA5');
  WriteBytes(folder.Path("noise.map"), noise);
  answers.Then(ChooseFile(folder.Path("noise.map")));
  form->Abrirjogo1->trigger();
  EXPECT_EQ(RecordBytes(map), saved);
  EXPECT_EQ(Utf8(form->StatusText->text()), "\"noise.map\" está danificado: o jogo não foi carregado.");
  EXPECT_EQ(answers.Unexpected, 0);
}

// A load through Ctrl+L empties the undo lists as well.
TEST_F(RanchTest, CtrlLAndCtrlSFollowTheUndoListsAndTheChangedMark) {
  BuildFence();
  form->Salvarjogo1->trigger();
  EXPECT_FALSE(form->Strokes.Changed());
  EXPECT_TRUE(form->Desfazer1->isEnabled());
  form->Carregarjogo1->trigger();
  EXPECT_FALSE(form->Desfazer1->isEnabled());
  EXPECT_FALSE(form->Refazer1->isEnabled());
}

}  // namespace
