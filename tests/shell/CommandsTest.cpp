// The main window's commands on a running game: saving and loading, the
// speed shortcuts, the sound switch, language files and the overview window.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <csignal>
#include <cstring>
#include <tuple>

#include "CommandsFixture.h"
#include "datafiles/zolsalvacfg.h"
#include "present/Text.h"
#include "shell/CoolForm.h"
#include "shell/Editor.h"
#include "shell/Principal.h"
#include "shell/defines.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

namespace {

auto Calendar(const TMapa& map) {
  // By value: the packed record's fields cannot be bound to references.
  const TMapaRecord& r = map.Record();
  return std::make_tuple(int{r.day}, int{r.week}, int{r.month}, int{r.year});
}


void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The file names of data/lang/*.dat in the order the directory lists them.
std::vector<std::string> ListingOrder() {
  std::vector<std::string> names;
  DIR* dir = opendir("data/lang");
  if (dir == nullptr) return names;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dat") == 0) names.push_back(name);
  }
  closedir(dir);
  return names;
}

// A map view whose speakers and cursor the test holds.
class TProbeView : public TForm2 {
 public:
  std::vector<int> sounds;

 protected:
  QPoint CursorClientPos() const override { return {5, 5}; }
  void PlaySound(int index) override { sounds.push_back(index); }
};

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteLanguageFile(folder.Path("."), "portugues.dat", NumberedLanguage("pt")); }
  TGameFolder folder;
};
}  // namespace

TEST_F(CommandsTest, SaveThenLoadRestoresTheRecordAndTheDisplays) {
  auto form = folder.StartGame();
  TMapa& map = *form->RanchMap;
  form->Salvarjogo1->trigger();
  const QByteArray saved = FileBytes("mapa.map");
  ASSERT_EQ(saved.size(), 28836);
  EXPECT_EQ(saved, RecordBytes(map));
  EXPECT_EQ(Utf8(form->StatusText->text()), "Jogo salvo em \"mapa.map\".");

  const QString fundsShown = form->LabFunds->text();
  const QString dateShown = form->LabDate->text();
  map.ChangeFunds(777);
  map.Tick(30);  // a week and more
  map.Record().tiles[5][6].kind = tkFence;
  GameSpeed = 2;
  ViewX = 7;
  ASSERT_NE(form->LabFunds->text(), fundsShown);
  ASSERT_NE(form->LabDate->text(), dateShown);
  form->Carregarjogo1->trigger();
  EXPECT_EQ(RecordBytes(map), saved);
  EXPECT_EQ(form->LabFunds->text(), fundsShown);
  EXPECT_EQ(form->LabDate->text(), dateShown);
  EXPECT_EQ(Utf8(form->StatusText->text()), "Jogo carregado de \"mapa.map\".");
  EXPECT_EQ(GameSpeed, 2);
  EXPECT_EQ(ViewX, 7);
}

TEST_F(CommandsTest, ShortOrMissingSaveLeavesTheGame) {
  auto form = folder.StartGame();
  const QByteArray before = RecordBytes(*form->RanchMap);
  form->Carregarjogo1->trigger();
  EXPECT_EQ(RecordBytes(*form->RanchMap), before);
  EXPECT_EQ(Utf8(form->StatusText->text()), "Não há jogo salvo em \"mapa.map\".");

  QFile file("mapa.map");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(28835, '\x01'));
  file.close();
  form->Carregarjogo1->trigger();
  EXPECT_EQ(RecordBytes(*form->RanchMap), before);
  EXPECT_EQ(Utf8(form->StatusText->text()), "\"mapa.map\" não é um jogo salvo.");
}

TEST_F(CommandsTest, FailedSaveKeepsTheLastGoodFileAndSaysSo) {
  auto form = folder.StartGame();
  form->Salvarjogo1->trigger();
  const QByteArray good = FileBytes("mapa.map");
  form->RanchMap->Record().funds += 1;

  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 4096;  // a nearly full disk
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  form->Salvarjogo1->trigger();
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, handler);

  EXPECT_EQ(FileBytes("mapa.map"), good);
  EXPECT_EQ(Utf8(form->StatusText->text()), "Não foi possível salvar o jogo em \"mapa.map\".");
}

TEST_F(CommandsTest, CtrlZeroStopsTheCalendarAndCtrlFiveResumesIt) {
  auto form = folder.StartGame();
  QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
  QTest::keyClick(focus, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(GameSpeed, 6);
  EXPECT_TRUE(form->Parado1->isChecked());
  EXPECT_FALSE(form->Normal1->isChecked());

  const auto stopped = Calendar(*form->RanchMap);
  for (int frame = 0; frame < 200; ++frame) form->Form2->DXTimer1Timer(1);
  EXPECT_EQ(Calendar(*form->RanchMap), stopped);

  QTest::keyClick(focus, Qt::Key_5, Qt::ControlModifier);
  EXPECT_EQ(GameSpeed, 1);
  EXPECT_TRUE(form->Ultra1->isChecked());
  EXPECT_FALSE(form->Parado1->isChecked());
  TickCount = 0;
  for (int frame = 0; frame < 3; ++frame) form->Form2->DXTimer1Timer(1);
  const auto [day, week, month, year] = Calendar(*form->RanchMap);
  const auto [day0, week0, month0, year0] = stopped;
  EXPECT_EQ((day + 6 * (week + 4 * month)) - (day0 + 6 * (week0 + 4 * month0)), 2);
}

TEST_F(CommandsTest, AudioOffSilencesAllButTheBulldozer) {
  auto form = folder.StartGame();
  form->udio1->trigger();
  EXPECT_FALSE(SoundOn);
  EXPECT_FALSE(form->udio1->isChecked());
  EXPECT_TRUE(form->Msica1->isChecked());

  TProbeView view;
  TMapa& map = *form->RanchMap;
  view.RanchMap = &map;
  map.Record().funds = 100000;
  int x = 0, y = 0;
  for (int i = 1; i <= 96 && x == 0; ++i)
    for (int j = 1; j <= 96 && x == 0; ++j)
      if (ToolVerdict(tlTerra, map.Record().tiles[i][j], map.Record().funds) == tvAllowed) std::tie(x, y) = std::tie(i, j);
  ASSERT_NE(x, 0);
  TileSize = 24;
  ViewX = x - 1;
  ViewY = y - 1;
  view.TelaMouseMove(5, 5);

  // Each use is a tap on the surface: a held button would also ask which
  // window lies under the cursor, which the offscreen platform does not
  // answer by stacking order when the game's windows are open too.
  auto use = [&](TToolKind tool) {
    view.CurrentTool = tool;
    ClickLatch = false;
    QTest::mousePress(view.Tela, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(view.Tela, Qt::LeftButton, {}, QPoint(5, 5));
    view.HandleTool();
  };
  use(tlTerra);  // placed, but no plop
  EXPECT_EQ(map.Record().tiles[x][y].kind, tkDirtRoad);
  use(tlBulldoze);
  map.Record().funds = 0;
  use(tlTerra);  // refused, but no ops
  EXPECT_EQ(view.sounds, std::vector<int>{vsBulldoze});

  form->udio1->trigger();
  EXPECT_TRUE(SoundOn);
  use(tlTerra);
  EXPECT_EQ(view.sounds, (std::vector<int>{vsBulldoze, vsOps}));
}

TEST_F(CommandsTest, MusicSwitchOnlyFlipsItsCheckMark) {
  auto form = folder.StartGame();
  form->Msica1->trigger();
  EXPECT_FALSE(MusicOn);
  EXPECT_FALSE(form->Msica1->isChecked());
  EXPECT_TRUE(SoundOn);
  form->Msica1->trigger();
  EXPECT_TRUE(MusicOn);
}

TEST_F(CommandsTest, SoundtrackIsComposedOnceAndPlaysWhileItAndTheMusicAreBothChecked) {
  auto form = folder.StartGame();
  if (form->Soundtrack.DeviceRate() == 0) GTEST_SKIP() << "no sound device, so no tune is made";
  EXPECT_FALSE(form->Soundtrack.HasTune());
  form->Trilhasonora1->trigger();
  EXPECT_TRUE(SoundtrackOn);
  // The click does not wait for the tune: it is made away from the frame loop.
  EXPECT_FALSE(form->Soundtrack.HasTune());
  QTRY_VERIFY_WITH_TIMEOUT(form->Soundtrack.HasTune(), 60000);
  EXPECT_TRUE(form->Soundtrack.Playing());

  form->Msica1->trigger();
  EXPECT_FALSE(MusicOn);
  QTRY_VERIFY_WITH_TIMEOUT(!form->Soundtrack.Playing(), 5000);
  form->Msica1->trigger();
  EXPECT_TRUE(form->Soundtrack.Playing());

  form->Trilhasonora1->trigger();
  EXPECT_FALSE(SoundtrackOn);
  QTRY_VERIFY_WITH_TIMEOUT(!form->Soundtrack.Playing(), 5000);
  const long long stoppedAt = form->Soundtrack.Position();
  form->Trilhasonora1->trigger();
  EXPECT_TRUE(form->Soundtrack.Playing()) << "the tune made before plays again at once";
  EXPECT_GE(form->Soundtrack.Position(), stoppedAt);
}

TEST_F(CommandsTest, ATuneFinishedWhileTheMusicIsOffWaitsForIt) {
  auto form = folder.StartGame();
  if (form->Soundtrack.DeviceRate() == 0) GTEST_SKIP() << "no sound device, so no tune is made";
  form->Trilhasonora1->trigger();
  form->Msica1->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(form->Soundtrack.HasTune(), 60000);
  EXPECT_FALSE(form->Soundtrack.Playing());
  form->Msica1->trigger();
  EXPECT_TRUE(form->Soundtrack.Playing());
}

TEST_F(CommandsTest, LanguageFileFillsEveryPlace) {
  auto form = folder.StartGame();
  EXPECT_EQ(form->Jogo1->title(), "pt1");
  EXPECT_EQ(form->Novojogo1->text(), "pt2");
  EXPECT_EQ(form->Sair1->text(), "pt6");
  EXPECT_EQ(form->Lngua1->title(), "pt7");
  EXPECT_EQ(form->udio1->text(), "pt10");
  EXPECT_EQ(form->Velocidade1->title(), "pt11");
  EXPECT_EQ(form->Parado1->text(), "pt17");
  EXPECT_EQ(form->Sobre1->text(), "pt18");
  EXPECT_EQ(form->Tools->windowTitle(), "pt19");
  EXPECT_EQ(form->Tools->BotAproxima->Hint(), "pt20");
  EXPECT_EQ(form->Tools->BotMover->Hint(), "pt23");
  EXPECT_EQ(form->Tools->BotTerra->Hint(), "pt24 - pt60: $20");
  EXPECT_EQ(form->Tools->BotAgua->Hint(), "pt31 - pt60: $15");
  EXPECT_EQ(form->Tools->BotSpray->Hint(), "pt35 - pt60: $200");
  EXPECT_EQ(form->BotBuy->Hint(), "pt36");
  EXPECT_EQ(form->BotMapa->Hint(), "pt39");
  EXPECT_EQ(form->BotMercado->Hint(), "pt43");
  EXPECT_EQ(form->LabData->text(), "pt57");
  EXPECT_EQ(form->LabFund->text(), "pt59");
  EXPECT_EQ(std::string(MonthNames[12].Text, MonthNames[12].Length), "pt55");
  EXPECT_EQ(std::string(MonthWord.Text, MonthWord.Length), "pt58");

  form->LoadLanguage("portugues.dat");
  EXPECT_EQ(form->Tools->BotCerca->Hint(), "pt26 - pt60: $50");
}

// Every one of the 60 lines lands on its own place: a shifted line (the
// separator counted, two palette hints swapped) shows here.
TEST_F(CommandsTest, EveryLanguageLineReachesItsPlace) {
  auto form = folder.StartGame();
  const std::vector<std::pair<int, QString>> captions = {
      {1, form->Jogo1->title()},        {2, form->Novojogo1->text()},     {3, form->Salvarjogo1->text()},
      {4, form->Salvarjogocomo1->text()}, {5, form->Carregarjogo1->text()}, {6, form->Sair1->text()},
      {7, form->Lngua1->title()},       {8, form->Opes1->title()},        {9, form->Msica1->text()},
      {10, form->udio1->text()},        {11, form->Velocidade1->title()}, {12, form->Ultra1->text()},
      {13, form->Muitorpido1->text()},  {14, form->Rpido1->text()},       {15, form->Normal1->text()},
      {16, form->Lento1->text()},       {17, form->Parado1->text()},      {18, form->Sobre1->text()},
      {19, form->Tools->windowTitle()}, {57, form->LabData->text()},      {59, form->LabFund->text()},
  };
  for (const auto& [line, caption] : captions) EXPECT_EQ(Utf8(caption), "pt" + std::to_string(line));
  EXPECT_TRUE(form->N1->text().isEmpty());

  const TTools& tools = *form->Tools;
  const std::vector<std::pair<const TSpeedButton*, int>> prices = {
      {tools.BotAproxima, 0}, {tools.BotReduz, 0},      {tools.BotVer, 0},        {tools.BotMover, 0},
      {tools.BotTerra, 20},   {tools.BotPavimento, 30}, {tools.BotCerca, 50},     {tools.BotPorteira, 75},
      {tools.BotDuto, 80},    {tools.BotDutoS, 35},     {tools.BotComida, 100},   {tools.BotAgua, 15},
      {tools.BotArvores, 10}, {tools.BotBulldoze, 25},  {tools.BotPlant, 120},    {tools.BotSpray, 200},
      {form->BotBuy, 0},      {form->BotSell, 0},       {form->BotEval, 0},       {form->BotMapa, 0},
      {form->BotTempo, 0},    {form->BotBalanco, 0},    {form->BotBanco, 0},      {form->BotMercado, 0},
  };
  int line = 20;
  for (const auto& [button, price] : prices) {
    std::string expected = "pt" + std::to_string(line++);
    if (price != 0) expected += " - pt60: $" + std::to_string(price);
    EXPECT_EQ(button->Hint(), expected);
  }
  for (int month = 1; month <= 12; ++month)
    EXPECT_EQ(std::string(MonthNames[month].Text, MonthNames[month].Length), "pt" + std::to_string(43 + month));
  EXPECT_EQ(std::string(WeekWord.Text, WeekWord.Length), "pt56");
  EXPECT_EQ(std::string(MonthWord.Text, MonthWord.Length), "pt58");
  EXPECT_EQ(std::string(PriceWord.Text, PriceWord.Length), "pt60");
}

TEST_F(CommandsTest, EmptyLineNineteenGivesThePaletteNoCaption) {
  std::string text = NumberedLanguage("x", "\r\n");
  text.replace(text.find("x19"), 3, "");
  WriteLanguageFile(folder.Path("."), "portugues.dat", text);
  auto form = folder.StartGame();
  EXPECT_TRUE(form->Tools->windowTitle().isEmpty());
  EXPECT_EQ(form->Sobre1->text(), "x18");
  EXPECT_EQ(form->LabData->text(), "x57");
}

TEST_F(CommandsTest, MissingLanguageFileStillStartsWithEmptyTexts) {
  QFile::remove("data/lang/portugues.dat");
  auto form = folder.StartGame();
  ASSERT_NE(form->RanchMap, nullptr);
  EXPECT_TRUE(form->Jogo1->title().isEmpty());
  EXPECT_TRUE(form->Salvarjogo1->text().isEmpty());
  EXPECT_TRUE(form->Tools->windowTitle().isEmpty());
  EXPECT_TRUE(form->LabData->text().isEmpty());
  EXPECT_TRUE(form->LabFund->text().isEmpty());
  EXPECT_EQ(form->Tools->BotCerca->Hint(), " - : $50");
  EXPECT_EQ(form->Tools->BotVer->Hint(), "");
  EXPECT_EQ(form->BotMapa->Hint(), "");
  EXPECT_TRUE(form->Lngua1->actions().isEmpty());
}

TEST_F(CommandsTest, LanguageMenuListsFilesInDirectoryOrder) {
  WriteLanguageFile(folder.Path("."), "english.dat", NumberedLanguage("en"));
  WriteLanguageFile(folder.Path("."), "notes.txt", "not a language");
  auto form = folder.StartGame();
  const std::vector<std::string> order = ListingOrder();
  ASSERT_EQ(order.size(), 2u);
  EXPECT_EQ(LanguageFiles, order);
  const QList<QAction*> items = form->Lngua1->actions();
  ASSERT_EQ(items.size(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Utf8(items[i]->text()) + ".dat", order[i]);
    EXPECT_EQ(items[i]->data().toInt(), i);
  }
  QAction* english = items[order[0] == "english.dat" ? 0 : 1];
  english->trigger();
  EXPECT_EQ(form->Tools->windowTitle(), "en19");
  EXPECT_EQ(form->Tools->BotCerca->Hint(), "en26 - en60: $50");
}

TEST_F(CommandsTest, ConfigurationStoreIsPresentAndIdle) {
  {
    auto form = folder.StartGame();
    ASSERT_NE(form->ZolSaveCfg1, nullptr);
    EXPECT_EQ(form->ZolSaveCfg1->FileName, "./vorn.ini");
    EXPECT_FALSE(form->ZolSaveCfg1->Encriptar);
    for (int frame = 0; frame < 10; ++frame) form->Form2->DXTimer1Timer(1);
  }
  EXPECT_FALSE(QFile::exists("vorn.ini"));
}

TEST_F(CommandsTest, BotMapaOpensClosesAndReopensTheOverview) {
  auto form = folder.StartGame();
  form->BotMapa->click();
  ASSERT_NE(OverviewWindow, nullptr);
  QPointer<TTelaMapa> first = OverviewWindow;
  EXPECT_TRUE(form->BotMapa->isChecked());
  EXPECT_TRUE(first->SubWindow()->isVisible());
  EXPECT_EQ(first->SubWindow()->mdiArea(), form->MdiArea);

  form->BotMapa->click();
  EXPECT_TRUE(first.isNull());
  EXPECT_EQ(OverviewWindow, nullptr);
  EXPECT_FALSE(form->BotMapa->isChecked());

  form->BotMapa->click();
  ASSERT_NE(OverviewWindow, nullptr);
  EXPECT_TRUE(form->BotMapa->isChecked());
  EXPECT_EQ(OverviewWindow->CoolForm1->geometry(), QRect(0, 0, 290, 282));
}

TEST_F(CommandsTest, OverviewClosedByTheSystemIsForgottenAndTheButtonComesUp) {
  auto form = folder.StartGame();
  form->BotMapa->click();
  QPointer<TTelaMapa> overview = OverviewWindow;
  ASSERT_FALSE(overview.isNull());
  overview->SubWindow()->close();
  RunDeferredDeletes();
  EXPECT_TRUE(overview.isNull());
  EXPECT_EQ(OverviewWindow, nullptr);
  EXPECT_FALSE(form->BotMapa->isChecked());

  form->BotMapa->click();
  EXPECT_NE(OverviewWindow, nullptr);
  form.reset();  // the program ends with the overview open
  EXPECT_EQ(OverviewWindow, nullptr);
}

// The companion file comes with its language file; without one the built-in
// texts come back, also after another language had its own.
TEST_F(CommandsTest, CompanionTextsFollowTheLanguage) {
  WriteLanguageFile(folder.Path("."), "english.dat", NumberedLanguage("en"));
  WriteLanguageFile(folder.Path("."), "english.extra", "E&xtras (en)\nA game.\n\n\n\n\n\n\n\n\nMarker (en)\n");
  auto form = folder.StartGame();
  EXPECT_EQ(form->Extras1->title(), "E&xtras");

  form->LoadLanguage("english.dat");
  EXPECT_EQ(form->Extras1->title(), "E&xtras (en)");
  EXPECT_EQ(form->Marcadordestacado1->text(), "Marker (en)");
  EXPECT_EQ(form->ExtraText(TExtraText::AboutDescription), "A game.");
  EXPECT_EQ(form->ExtraText(TExtraText::AboutVersion), DecodeText(BuiltInExtraText(TExtraText::AboutVersion)));
  EXPECT_EQ(form->Minimapa1->text(), "&Minimapa");  // a line the file leaves out

  form->LoadLanguage("portugues.dat");
  EXPECT_EQ(form->Extras1->title(), "E&xtras");
  EXPECT_EQ(form->Marcadordestacado1->text(), "Mar&cador destacado");
}

// A message on show is written again in the new language; a tool hint
// written over it since belongs to the palette and stays.
TEST_F(CommandsTest, StatusMessageFollowsTheLanguage) {
  WriteLanguageFile(folder.Path("."), "english.dat", NumberedLanguage("en"));
  WriteLanguageFile(folder.Path("."), "english.extra", "\n\n\nSaved to \"%1\".\n");
  auto form = folder.StartGame();
  form->ShowStatus(TExtraText::SavedStatus, QStringLiteral("mapa.map"));
  EXPECT_EQ(form->StatusText->text(), "Jogo salvo em \"mapa.map\".");
  form->LoadLanguage("english.dat");
  EXPECT_EQ(form->StatusText->text(), "Saved to \"mapa.map\".");

  form->StatusText->setText(QStringLiteral("a tool's hint"));
  form->LoadLanguage("portugues.dat");
  EXPECT_EQ(form->StatusText->text(), "a tool's hint");
}
