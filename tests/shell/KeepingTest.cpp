// Keeping the player's game: the remembered choices and the protected game,
// through the Extras menu of a running game, with the config folder of a
// temporary HOME.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "CommandsFixture.h"
#include "DialogTestSupport.h"
#include "map/MapaCheck.h"
#include "map/Strokes.h"
#include "shell/GameGuard.h"
#include "shell/Principal.h"
#include "shell/defines.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

namespace {

class Keeping : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(config.isValid());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    WriteLanguageFile(folder.Path("."), "portugues.dat", NumberedLanguage("pt"));
    WriteLanguageFile(folder.Path("."), "english.dat", NumberedLanguage("en"));
  }
  void TearDown() override {
    form.reset();
    qunsetenv("XDG_CONFIG_HOME");
  }
  void Start() {
    form = folder.StartGame();
    form->Form2->DXTimer1->SetEnabled(false);
  }
  // The start every run has, whatever was remembered.
  void ExpectThePartsStart() {
    EXPECT_EQ(GameSpeed, 4);
    EXPECT_TRUE(SoundOn);
    EXPECT_TRUE(MusicOn);
    EXPECT_EQ(ZoomIndex, 3);
    EXPECT_EQ(form->Language.Current(), "portugues.dat");
    EXPECT_EQ(form->LabData->text(), "pt57");
    for (QAction* option : {form->Minimapa1, form->Mapagrande1, form->Navegarcomomouse1, form->Marcadordestacado1,
                            form->Terrenodetalhado1, form->Traadocomprvia1, form->Trilhasonora1,
                            form->Lembrarescolhas1, form->Protegerojogo1})
      EXPECT_FALSE(option->isChecked()) << option->text().toStdString();
    EXPECT_FALSE(LargeMapOn);
  }
  QString ChoicesFile() const { return config.path() + "/zolvorn/choices.ini"; }
  void BuildFence() {
    TMapa& map = *form->RanchMap;
    for (int y = 2; y < 95; ++y)
      for (int x = 2; x < 95; ++x)
        if (map.Tile(x, y).kind == tkEmpty) {
          form->Strokes.Open();
          ASSERT_TRUE(UseTool(map, tlCerca, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), &form->Strokes));
          form->Strokes.Close();
          return;
        }
  }

  QTemporaryDir config;
  TGameFolder folder;
  std::unique_ptr<TForm1> form;
};

TEST_F(Keeping, ChoicesComeBackInTheNextRunOnlyWhenAsked) {
  Start();
  ExpectThePartsStart();
  form->Lembrarescolhas1->trigger();
  EXPECT_EQ(Utf8(form->StatusText->text()), "Nenhuma escolha guardada ainda: as de agora serão lembradas.");
  form->LoadLanguage("english.dat");
  form->Ultra1->trigger();
  form->udio1->trigger();
  form->Mapagrande1->trigger();
  form->Tools->BotAproxima->click();
  QTest::qWait(20);  // each choice is written once its command is over
  ASSERT_TRUE(QFile::exists(ChoicesFile()));
  form.reset();
  ResetGameGlobals();

  // The next run starts as every run does, the file notwithstanding.
  Start();
  ExpectThePartsStart();
  form->Lembrarescolhas1->trigger();
  EXPECT_EQ(form->Language.Current(), "english.dat");
  EXPECT_EQ(form->LabData->text(), "en57");
  EXPECT_EQ(GameSpeed, 1);
  EXPECT_TRUE(form->Ultra1->isChecked());
  EXPECT_FALSE(SoundOn);
  EXPECT_FALSE(form->udio1->isChecked());
  EXPECT_TRUE(LargeMapOn);
  EXPECT_TRUE(form->Mapagrande1->isChecked());
  EXPECT_EQ(ZoomIndex, 4);

  // Unchecking forgets them.
  form->Lembrarescolhas1->trigger();
  EXPECT_FALSE(QFile::exists(ChoicesFile()));
}

TEST_F(Keeping, AFileOfNoiseRestoresNothingAndSaysSo) {
  ASSERT_TRUE(QDir().mkpath(config.path() + "/zolvorn"));
  QFile noise(ChoicesFile());
  ASSERT_TRUE(noise.open(QIODevice::WriteOnly));
  noise.write("[choices]\nspeed=1\nlanguage=english.dat\n\x01\x02\xff garbage");
  noise.close();
  Start();
  form->Lembrarescolhas1->trigger();
  EXPECT_EQ(Utf8(form->StatusText->text()), "As escolhas guardadas não puderam ser lidas: nada foi restaurado.");
  EXPECT_EQ(GameSpeed, 4);
  EXPECT_EQ(form->Language.Current(), "portugues.dat");
}

TEST_F(Keeping, AProtectedGameKeepsAnAutosaveThroughAMonthAndAKill) {
  Start();
  form->Protegerojogo1->trigger();
  EXPECT_TRUE(QFile::exists(folder.Path(RunningMarkerName)));
  form->Ultra1->trigger();
  const int month = form->RanchMap->Record().month;
  for (int frame = 0; frame < 3 * 24 && form->RanchMap->Record().month == month; ++frame)
    form->Form2->DXTimer1Timer(1);
  ASSERT_NE(form->RanchMap->Record().month, month);
  const QByteArray autosave = FileBytes(folder.Path(AutosaveFileName));
  ASSERT_EQ(autosave.size(), static_cast<int>(sizeof(TMapaRecord)));
  TMapaRecord record{};
  std::memcpy(&record, autosave.constData(), sizeof record);
  EXPECT_TRUE(CheckRecord(record).empty());
  // Killed: the marker stays, and the next run offers the autosave back.
  form.reset();
  ResetGameGlobals();
  Start();
  BuildFence();
  TDialogAnswers answers;
  TMessageBoxSeen seen;
  answers.Then(ClickButton(QStringLiteral("&Sim"), &seen));
  form->Protegerojogo1->trigger();
  EXPECT_EQ(Utf8(seen.text), "O jogo anterior não terminou bem. Restaurar o jogo salvo automaticamente?");
  EXPECT_EQ(RecordBytes(*form->RanchMap), autosave);
}

TEST_F(Keeping, QuittingWithUnsavedChangesAsksFirst) {
  Start();
  BuildFence();
  // Unprotected, the window closes at once, as it always did.
  EXPECT_TRUE(form->FormCloseQuery());

  form->Protegerojogo1->trigger();
  TDialogAnswers answers;
  TMessageBoxSeen seen;
  answers.Then(ClickButton(QStringLiteral("&Cancelar"), &seen));
  EXPECT_FALSE(form->close());
  EXPECT_EQ(Utf8(seen.text), "A fazenda tem mudanças que não foram salvas. Salvar antes?");
  EXPECT_EQ(seen.buttons.size(), 3U);
  EXPECT_TRUE(form->isVisible());

  answers.Then(ClickButton(QStringLiteral("&Não")));
  EXPECT_TRUE(form->close());
  EXPECT_FALSE(QFile::exists(folder.Path("mapa.map")));
  EXPECT_FALSE(QFile::exists(folder.Path(RunningMarkerName)));  // a clean end
  EXPECT_TRUE(QFile::exists(folder.Path(AutosaveFileName)));
}

}  // namespace
