#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "datafiles/zolpackformat.h"
#include "present/Text.h"
#include "shell/Startup.h"
#include "shell/WindowPlacement.h"
#include "shell/defines.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

namespace {

// Ends the application after the last test, while Qt's own globals still
// exist; at static destruction they may not.
class TApplicationEnvironment : public ::testing::Environment {
 public:
  std::unique_ptr<QApplication> App;
  void TearDown() override { App.reset(); }
};

void EnsureApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "shell_tests";
  static char* argv[] = {name, nullptr};
  auto* environment = new TApplicationEnvironment;  // owned by GoogleTest once added
  environment->App = std::make_unique<QApplication>(argc, argv);
  ::testing::AddGlobalTestEnvironment(environment);
  QApplication::setApplicationName(QStringLiteral("Zol Vorn v0.1"));
}

// Runs in the build folder, where the game finds data/data.dpf.
class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ResetGameGlobals();
    ResetViewGlobals();
    saved = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QStringLiteral(ZV_BUILD_ROOT)));
  }
  void TearDown() override {
    form.reset();
    QDir::setCurrent(saved);
    ResetGameGlobals();
  }
  void StartGame() {
    form = CreateGameWindows();
    ASSERT_TRUE(form);
    form->show();
  }
  QString saved;
  std::unique_ptr<TForm1> form;
};

TEST_F(StartUp, CreationBuildsTheZoomTable) {
  form = CreateGameWindows();
  ASSERT_TRUE(form);
  EXPECT_EQ(TileSize, 24);
  EXPECT_EQ(ZoomIndex, 3);
  const unsigned char expected[] = {12, 16, 24, 36, 48};
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(ZoomSizes[i], expected[i - 1]) << i;
}

TEST_F(StartUp, AssetsStandAtTheirIndices) {
  form = CreateGameWindows();
  ASSERT_TRUE(form);
  const char* ground[] = {"chao.bmp", "casas.bmp", "equip.bmp", "constru.bmp"};
  ASSERT_EQ(form->IMGChao.Items.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    TPictureCollectionItem& item = form->IMGChao.Items.Items(i);
    EXPECT_EQ(item.Name, ground[i]);
    EXPECT_EQ(item.PatternWidth, 24);
    EXPECT_EQ(item.PatternHeight, 24);
    EXPECT_TRUE(item.Transparent);
    EXPECT_EQ(item.TransparentColor(), RGBColor(255, 0, 255));
  }
  ASSERT_EQ(form->IMGOutros.Items.Count(), 4);
  EXPECT_EQ(form->IMGOutros.Items.Items(0).Name, "status.bmp");
  EXPECT_FALSE(form->IMGOutros.Items.Items(0).Transparent);
  const std::uint32_t squares[] = {0xFFFFFFFF, 0xFFFF0000, 0xFF008000};
  for (int i = 1; i <= 3; ++i) {
    TPictureCollectionItem& item = form->IMGOutros.Items.Items(i);
    EXPECT_TRUE(item.Name.empty());
    EXPECT_FALSE(item.Transparent);
    EXPECT_EQ(item.Picture.Width, 24);
    EXPECT_EQ(item.Picture.Height, 24);
    EXPECT_EQ(item.Picture.Pixels.front(), squares[i - 1]);
    EXPECT_EQ(item.Picture.Pixels.back(), squares[i - 1]);
  }
  const char* waves[] = {"bulldoze.wav", "ops.wav",     "plop.wav",    "compra.wav",
                         "birds01.wav",  "birds02.wav", "birds03.wav", "chuva01.wav"};
  ASSERT_EQ(form->Audio.Items.Count(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(form->Audio.Items.Items(i).Name, waves[i]);
}

TEST_F(StartUp, WindowsComeInOrderAndInPlace) {
  StartGame();
  ASSERT_TRUE(form->Form2);
  ASSERT_TRUE(form->Tools);
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Zol Vorn v0.1"));
  EXPECT_EQ(form->Form2->windowTitle(), QStringLiteral("Editor"));
  EXPECT_EQ(form->MdiArea->subWindowList().size(), 1);
  EXPECT_EQ(form->Form2->pos(), QPoint(86, 0));
  EXPECT_LE(form->Form2->width(), 657);
  EXPECT_LE(form->Form2->height(), 524);
  EXPECT_EQ(form->Form2->Tela->width(), form->Form2->ClientWidth() - 17);
  EXPECT_EQ(form->Form2->Tela->height(), form->Form2->ClientHeight() - 17);
  EXPECT_TRUE(form->Form2->Tela->ReadyToDraw());
  EXPECT_EQ(form->Form2->DXTimer1->Interval(), 66);
  EXPECT_TRUE(form->Tools->isVisible());
  EXPECT_TRUE(form->Tools->windowFlags() & Qt::WindowStaysOnTopHint);
  // Window frames differ by platform; the palette sits at the main window's
  // corner plus (6, 82), give or take a frame border.
  const QPoint offset = form->Tools->geometry().topLeft() - form->geometry().topLeft();
  EXPECT_NEAR(offset.x(), 6, 4);
  EXPECT_NEAR(offset.y(), 82, 4);
  EXPECT_EQ(form->Tools->width(), 84);
  EXPECT_EQ(form->Form2->CurrentTool, tlNone);
}

// The game opens maximised; restored, it is the design's 659 x 401 client
// pixels below the menu bar, centred on the screen's free area.
TEST_F(StartUp, OpensMaximisedAndRestoresToTheDesignSizeCentred) {
  form = CreateGameWindows();
  ASSERT_TRUE(form);
  ShowMainWindow(*form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_TRUE(form->isMaximized());
  const QRect screen = MaximisedGeometry();
  EXPECT_EQ(form->frameGeometry().size(), screen.size());

  form->showNormal();
  QApplication::processEvents();
  EXPECT_FALSE(form->isMaximized());
  EXPECT_EQ(form->width(), 659);
  EXPECT_EQ(form->height() - form->menuBar()->height(), 401);
  EXPECT_LE((form->geometry().center() - screen.center()).manhattanLength(), 1);
}

TEST_F(StartUp, StateAfterTheShowEvent) {
  StartGame();
  ASSERT_TRUE(form->RanchMap);
  EXPECT_EQ(form->Form2->RanchMap, form->RanchMap.get());
  EXPECT_EQ(GameSpeed, 4);
  EXPECT_EQ(TickCount, 0);
  EXPECT_TRUE(SoundOn);
  EXPECT_TRUE(MusicOn);
  EXPECT_TRUE(form->Normal1->isChecked());
  EXPECT_TRUE(form->Msica1->isChecked());
  EXPECT_TRUE(form->udio1->isChecked());

  const TMapaRecord& record = form->RanchMap->Record();
  EXPECT_EQ(record.day, 2);  // one day has passed
  EXPECT_EQ(record.weather, record.forecast[0]);
  EXPECT_EQ(form->LabFunds->text(), QStringLiteral("40000"));
  EXPECT_TRUE(form->LabDate->text().contains(QStringLiteral("2004")));

  // The house stands in the view's third column and row.
  const int expectX = record.startX > 3 ? record.startX - 3 : 0;
  const int expectY = record.startY > 3 ? record.startY - 3 : 0;
  EXPECT_EQ(form->Form2->BarraHorizontal->value(), expectX);
  EXPECT_EQ(form->Form2->BarraVertical->value(), expectY);
  EXPECT_EQ(ViewX, expectX);
  EXPECT_EQ(ViewY, expectY);

  // Today's cell carries its red corner marks.
  EXPECT_EQ(form->DiasImage.pixel(1, 1), 0xFFFF0000u);
  EXPECT_EQ(form->DiasImage.pixel(24, 24), 0xFFFF0000u);
  EXPECT_EQ(form->DiasImage.pixel(1, 24), 0xFFFF0000u);
}

TEST_F(StartUp, TheFirstFrameDrawsTheRanch) {
  StartGame();
  TForm2& view = *form->Form2;
  view.DXTimer1Timer(1);
  const TDirectDrawSurface& back = *view.Tela->BackSurface();
  int black = 0;
  for (int y = 0; y < back.Height(); ++y)
    for (int x = 0; x < back.Width(); ++x) black += back.Line(y)[x] == 0xFF000000u;
  EXPECT_LT(black, back.Width() * back.Height() / 10);
  EXPECT_EQ(TickCount, 1);
}

TEST_F(StartUp, SpeedItemsFormOneRadioGroup) {
  StartGame();
  const std::pair<QAction*, int> items[] = {{form->Ultra1, 1}, {form->Muitorpido1, 2}, {form->Rpido1, 3},
                                            {form->Normal1, 4}, {form->Lento1, 5},      {form->Parado1, 6}};
  for (auto [item, speed] : items) {
    TickCount = 7;
    item->trigger();
    EXPECT_EQ(GameSpeed, speed);
    EXPECT_EQ(TickCount, 7);
    for (auto [other, unused] : items) EXPECT_EQ(other->isChecked(), other == item);
  }
  EXPECT_EQ(form->Ultra1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_5));
  EXPECT_EQ(form->Parado1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
}

TEST_F(StartUp, ShortcutsReachTheMenuFromTheMapView) {
  StartGame();
  QApplication::setActiveWindow(form.get());
  QLineEdit* edit = form->Form2->Edit1;
  edit->setFocus();
  ASSERT_TRUE(edit->hasFocus());
  int quits = 0;
  QObject::connect(form->Sair1, &QAction::triggered, [&quits] { ++quits; });
  // The map view's edit box must not claim Ctrl+X as "cut".
  QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(quits, 1);
  QTest::keyClick(edit, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(GameSpeed, 6);
  QTest::keyClick(edit, Qt::Key_5, Qt::ControlModifier);
  EXPECT_EQ(GameSpeed, 1);
  EXPECT_TRUE(form->Ultra1->isChecked());
}

TEST_F(StartUp, SoundAndMusicSwitchesToggle) {
  StartGame();
  form->udio1->trigger();
  EXPECT_FALSE(SoundOn);
  EXPECT_FALSE(form->udio1->isChecked());
  form->Msica1->trigger();
  EXPECT_FALSE(MusicOn);
  EXPECT_FALSE(form->Msica1->isChecked());
  EXPECT_TRUE(SoundOn == false);
  form->udio1->trigger();
  EXPECT_TRUE(SoundOn);
}

TEST_F(StartUp, MenuCarriesEveryCommand) {
  form = CreateGameWindows();
  ASSERT_TRUE(form);
  EXPECT_EQ(form->Jogo1->title(), QStringLiteral("&Jogo"));
  EXPECT_EQ(form->Lngua1->title(), QString::fromUtf8("&Língua"));
  EXPECT_EQ(form->Opes1->title(), QString::fromUtf8("Opções"));
  EXPECT_EQ(form->Muitorpido1->text(), QString::fromUtf8("Muito rápido"));
  EXPECT_EQ(form->Sair1->text(), QStringLiteral("S&air"));
  EXPECT_EQ(form->Sair1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
  EXPECT_EQ(form->Carregarjogo1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
  EXPECT_TRUE(form->N1->isSeparator());
  EXPECT_EQ(form->Jogo1->actions().size(), 6);
  EXPECT_EQ(form->Sobre1->text(), QStringLiteral("&Sobre..."));
  EXPECT_TRUE(form->FormCloseQuery());
  const TSpeedButton* buttons[] = {form->BotBuy,   form->BotSell,    form->BotEval,  form->BotMapa,
                                   form->BotTempo, form->BotBalanco, form->BotBanco, form->BotMercado};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(buttons[i]->geometry(), QRect(8 + 33 * i, 3, 32, 32));
    EXPECT_TRUE(buttons[i]->isCheckable());
  }
  EXPECT_EQ(form->LabData->text(), QStringLiteral("Data"));
  EXPECT_EQ(form->LabFund->text(), QStringLiteral("Dinheiro"));
}

TEST_F(StartUp, ForecastLineLeavesItsEndPoint) {
  form = CreateGameWindows();
  ASSERT_TRUE(form);
  form->DiasImage.fill(Qt::white);
  form->Displays.ForecastLine(24, 24, 24, 19);
  for (int y = 20; y <= 24; ++y) EXPECT_EQ(form->DiasImage.pixel(24, y), 0xFFFF0000u) << y;
  EXPECT_EQ(form->DiasImage.pixel(24, 19), 0xFFFFFFFFu);
  form->Displays.ForecastCell(1, 99);  // not an icon: the cell stays
  EXPECT_EQ(form->DiasImage.pixel(30, 5), 0xFFFFFFFFu);
}

// Collects the text of the message box start-up shows, and closes it.
class TMessageCatcher {
 public:
  TMessageCatcher() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        text = box->text();
        title = box->windowTitle();
        box->done(0);
      }
    });
    timer_.start();
  }
  QString text;
  QString title;

 private:
  QTimer timer_;
};

TEST_F(StartUp, MissingPackageStopsWithItsName) {
  QTemporaryDir empty;
  ASSERT_TRUE(QDir::setCurrent(empty.path()));
  TMessageCatcher catcher;
  testing::internal::CaptureStderr();
  form = CreateGameWindows();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(form);
  EXPECT_NE(err.find("data/data.dpf"), std::string::npos) << err;
  EXPECT_TRUE(catcher.text.contains(QStringLiteral("data/data.dpf"))) << catcher.text.toStdString();
}

TEST_F(StartUp, MissingEntryStopsWithItsName) {
  // The real package less one sound.
  TZolPackLoad reader;
  ASSERT_TRUE(reader.AbrePacote(PackagePath));
  std::vector<TZolPackStoredEntry> entries;
  for (int i = 1; i <= reader.ArquivosPacote(); ++i) {
    const std::string name = reader.PegaNome(i);
    if (name == "ops.wav") continue;
    std::vector<std::uint8_t> plain;
    ASSERT_TRUE(reader.ExtrairDados(name, plain));
    entries.push_back({name, ZolPackEncode(plain, {})});
  }
  const std::vector<std::uint8_t> package = ZolPackBuild('d', entries);
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("data")));
  QFile file(dir.path() + QStringLiteral("/data/data.dpf"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(package.data()), static_cast<qint64>(package.size()));
  file.close();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));

  TMessageCatcher catcher;
  testing::internal::CaptureStderr();
  form = CreateGameWindows();
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(form);
  EXPECT_NE(err.find("ops.wav"), std::string::npos) << err;
  EXPECT_TRUE(catcher.text.contains(QStringLiteral("ops.wav")));
}

}  // namespace

// After a click on the palette the palette is the active window; the
// game's shortcuts must still work from there.
TEST_F(StartUp, ShortcutsWorkWhileThePaletteIsActive) {
  StartGame();
  QApplication::setActiveWindow(form->Tools);
  ASSERT_EQ(QApplication::activeWindow(), form->Tools);
  QTest::keyClick(form->Tools, Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(GameSpeed, 6);
  EXPECT_TRUE(form->Parado1->isChecked());
  QTest::keyClick(form->Tools, Qt::Key_O, Qt::ControlModifier);
  EXPECT_FALSE(SoundOn);
}

TEST_F(StartUp, AboutBoxSaysWhatTheGameIsAndItsVersion) {
  StartGame();
  TMessageCatcher catcher;
  form->Sobre1->trigger();
  EXPECT_EQ(catcher.title, QStringLiteral("Zol Vorn v0.1"));
  EXPECT_TRUE(catcher.text.contains(QStringLiteral("fazenda"))) << catcher.text.toStdString();
  EXPECT_TRUE(catcher.text.contains(QString::fromUtf8("Versão 0.1"))) << catcher.text.toStdString();
}

// The whole menu bar, item by item, with access letters, shortcuts and
// check marks; a swapped shortcut or a lost check mark shows here.
TEST_F(StartUp, MenuBarMatchesTheCommandTable) {
  StartGame();
  struct TExpectedItem {
    QAction* item;
    const char* caption;  // UTF-8
    QKeySequence shortcut;
    bool checkable;
    bool checked;
  };
  const std::vector<TExpectedItem> expected = {
      {form->Jogo1->menuAction(), "&Jogo", {}, false, false},
      {form->Novojogo1, "&Novo jogo", QKeySequence(Qt::CTRL | Qt::Key_N), false, false},
      {form->Salvarjogo1, "&Salvar jogo", QKeySequence(Qt::CTRL | Qt::Key_S), false, false},
      {form->Salvarjogocomo1, "Salvar jogo como...", {}, false, false},
      {form->Carregarjogo1, "&Carregar jogo", QKeySequence(Qt::CTRL | Qt::Key_L), false, false},
      {form->Sair1, "S&air", QKeySequence(Qt::CTRL | Qt::Key_X), false, false},
      {form->Lngua1->menuAction(), "&Língua", {}, false, false},
      {form->Opes1->menuAction(), "Opções", {}, false, false},
      {form->Msica1, "Música", QKeySequence(Qt::CTRL | Qt::Key_M), true, true},
      {form->udio1, "Áudio", QKeySequence(Qt::CTRL | Qt::Key_O), true, true},
      {form->Velocidade1->menuAction(), "Velocidade", {}, false, false},
      {form->Ultra1, "Ultra", QKeySequence(Qt::CTRL | Qt::Key_5), true, false},
      {form->Muitorpido1, "Muito rápido", QKeySequence(Qt::CTRL | Qt::Key_4), true, false},
      {form->Rpido1, "Rápido", QKeySequence(Qt::CTRL | Qt::Key_3), true, false},
      {form->Normal1, "Normal", QKeySequence(Qt::CTRL | Qt::Key_2), true, true},
      {form->Lento1, "Lento", QKeySequence(Qt::CTRL | Qt::Key_1), true, false},
      {form->Parado1, "Parado", QKeySequence(Qt::CTRL | Qt::Key_0), true, false},
      {form->Sobre1, "&Sobre...", {}, false, false},
  };
  for (const TExpectedItem& e : expected) {
    ASSERT_NE(e.item, nullptr) << e.caption;
    EXPECT_EQ(e.item->text(), QString::fromUtf8(e.caption));
    EXPECT_EQ(e.item->shortcut(), e.shortcut) << e.caption;
    EXPECT_EQ(e.item->isCheckable(), e.checkable) << e.caption;
    EXPECT_EQ(e.item->isChecked(), e.checked) << e.caption;
  }

  // Menus in menu-bar order, and the items of each in order.
  const QList<QAction*> bar = form->MainMenu1->actions();
  const QList<QAction*> menus = {form->Jogo1->menuAction(), form->Lngua1->menuAction(),
                                 form->Opes1->menuAction(), form->Velocidade1->menuAction(), form->Sobre1,
                                 form->Extras1->menuAction()};
  EXPECT_EQ(bar, menus);
  EXPECT_EQ(form->Jogo1->actions(), (QList<QAction*>{form->Novojogo1, form->Salvarjogo1, form->Salvarjogocomo1,
                                                     form->Carregarjogo1, form->N1, form->Sair1}));
  EXPECT_EQ(form->Opes1->actions(), (QList<QAction*>{form->Msica1, form->udio1}));
  const QList<QAction*> speeds = {form->Ultra1, form->Muitorpido1, form->Rpido1,
                                  form->Normal1, form->Lento1, form->Parado1};
  EXPECT_EQ(form->Velocidade1->actions(), speeds);
  EXPECT_EQ(form->SpeedGroup->actions(), speeds);
  EXPECT_TRUE(form->SpeedGroup->isExclusive());

  // "Novo jogo" and "Salvar jogo como..." can be chosen and change nothing.
  const unsigned char speed = GameSpeed;
  const QString status = form->StatusText->text();
  for (QAction* idle : {form->Novojogo1, form->Salvarjogocomo1}) {
    EXPECT_TRUE(idle->isEnabled());
    idle->trigger();
  }
  EXPECT_EQ(GameSpeed, speed);
  EXPECT_EQ(form->StatusText->text(), status);
}


// Everything beyond the first version's menus sits in one menu after
// "Sobre...", with its options unchecked at every start.
TEST_F(StartUp, ExtrasMenuFollowsSobreWithItsOptionsUnchecked) {
  StartGame();
  struct TExpectedItem {
    QAction* item;
    const char* caption;  // UTF-8
    QList<QKeySequence> shortcuts;
    bool checkable;
  };
  const std::vector<TExpectedItem> expected = {
      {form->Extras1->menuAction(), "E&xtras", {}, false},
      {form->Novafazenda1, "&Nova fazenda", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)}, false},
      {form->Abrirjogo1, "&Abrir jogo...", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)}, false},
      {form->Salvarem1, "&Salvar em...", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, false},
      {form->Desfazer1, "&Desfazer", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, false},
      {form->Refazer1,
       "&Refazer",
       {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
       false},
      {form->Minimapa1, "&Minimapa", {QKeySequence(Qt::CTRL | Qt::Key_I)}, true},
      {form->Mapagrande1, "Mapa &grande", {QKeySequence(Qt::CTRL | Qt::Key_G)}, true},
      {form->Navegarcomomouse1, "Na&vegar com o mouse", {QKeySequence(Qt::CTRL | Qt::Key_R)}, true},
      {form->Marcadordestacado1, "Mar&cador destacado", {QKeySequence(Qt::CTRL | Qt::Key_B)}, true},
      {form->Terrenodetalhado1, "&Terreno detalhado", {QKeySequence(Qt::CTRL | Qt::Key_T)}, true},
      {form->Traadocomprvia1, "Traçado com &prévia", {QKeySequence(Qt::CTRL | Qt::Key_D)}, true},
      {form->Trilhasonora1, "Tri&lha sonora", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M)}, true},
      {form->Fazendaviva1, "&Fazenda viva", {QKeySequence(Qt::CTRL | Qt::Key_E)}, true},
      {form->Lembrarescolhas1, "&Lembrar escolhas", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)}, true},
      {form->Protegerojogo1, "&Proteger o jogo", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}, true},
  };
  for (const TExpectedItem& e : expected) {
    ASSERT_NE(e.item, nullptr) << e.caption;
    EXPECT_EQ(e.item->text(), QString::fromUtf8(e.caption));
    EXPECT_EQ(e.item->shortcuts(), e.shortcuts) << e.caption;
    EXPECT_EQ(e.item->isCheckable(), e.checkable) << e.caption;
    EXPECT_FALSE(e.item->isChecked()) << e.caption;
  }
  EXPECT_EQ(form->Extras1->actions(),
            (QList<QAction*>{form->Novafazenda1, form->Abrirjogo1, form->Salvarem1, form->N2, form->Desfazer1,
                             form->Refazer1, form->N3, form->Minimapa1, form->Mapagrande1, form->Navegarcomomouse1,
                             form->Marcadordestacado1, form->Terrenodetalhado1, form->Traadocomprvia1, form->N4,
                             form->Trilhasonora1, form->N5, form->Fazendaviva1, form->N6, form->Lembrarescolhas1,
                             form->Protegerojogo1}));
  for (bool option :
       {HighlightMarker, MinimapOn, LargeMapOn, MouseNavigation, DetailedTerrain, SoundtrackOn, DraftLines})
    EXPECT_FALSE(option);

  // Every shortcut of the whole menu bar is taken once only.
  QList<QKeySequence> taken;
  const std::function<void(QMenu*)> collect = [&](QMenu* menu) {
    for (QAction* item : menu->actions()) {
      if (item->menu()) collect(item->menu());
      for (const QKeySequence& key : item->shortcuts()) {
        EXPECT_FALSE(taken.contains(key)) << key.toString().toStdString();
        taken.push_back(key);
      }
    }
  };
  for (QAction* menu : form->MainMenu1->actions())
    if (menu->menu()) collect(menu->menu());
}

// Each option's check mark and its global go together.
TEST_F(StartUp, ExtrasOptionsKeepTheirGlobalsInStep) {
  StartGame();
  const std::vector<std::pair<QAction*, bool*>> options = {
      {form->Minimapa1, &MinimapOn},          {form->Mapagrande1, &LargeMapOn},
      {form->Navegarcomomouse1, &MouseNavigation}, {form->Marcadordestacado1, &HighlightMarker},
      {form->Terrenodetalhado1, &DetailedTerrain}, {form->Trilhasonora1, &SoundtrackOn},
      {form->Traadocomprvia1, &DraftLines},
  };
  for (const auto& [item, global] : options) {
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(*global) << item->text().toStdString();
    item->trigger();
    EXPECT_FALSE(*global) << item->text().toStdString();
  }
}

namespace {
// Relative luminance of a surface pixel, as contrast ratios are measured.
double Luminance(std::uint32_t pixel) {
  const auto channel = [pixel](int shift) {
    const double c = ((pixel >> shift) & 255) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(16) + 0.7152 * channel(8) + 0.0722 * channel(0);
}

double Contrast(std::uint32_t a, std::uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
}  // namespace

// The highlighted marker stands out from every ground pattern and house
// picture of the shipped art, on dry, wet and soaked ground, at every zoom:
// along its edge, one of its two rings reaches 3:1 against the ground beside
// it.
TEST_F(StartUp, HighlightedMarkerStandsOutFromEveryGroundPattern) {
  StartGame();
  TPictureCollectionItem& ground = form->IMGChao.Items.Items(0);
  TPictureCollectionItem& houses = form->IMGChao.Items.Items(1);
  ASSERT_GE(ground.PatternCount(), 130);
  double worst = 100;
  std::string where;
  for (int zoom = 1; zoom <= 5; ++zoom) {
    const int size = ZoomSizes[zoom];
    const int ring = MarkerOutlineWidth(size);
    TDirectDrawSurface surface(3 * size, 3 * size);
    for (int weather : {0, 5, 10}) {
      for (TPictureCollectionItem* item : {&ground, &houses}) {
        for (int pattern = 0; pattern < item->PatternCount(); ++pattern) {
          for (int square = 0; square < 9; ++square) {
            const int left = square % 3 * size, top = square / 3 * size;
            ground.DrawScaled(surface, {left, top, left + size, top + size}, weather);
            item->DrawScaled(surface, {left, top, left + size, top + size}, pattern);
          }
          DrawMarkerOutline(surface, {size, size, 2 * size, 2 * size}, size);
          // Along each edge (the corners, where the rings turn, aside): the
          // ground just outside, the dark and the light ring.
          for (int i = 2 * ring; i < size - 2 * ring; ++i) {
            const std::array<std::array<int, 6>, 4> edges = {{
                {size + i, size - 1, size + i, size, size + i, size + ring},
                {size + i, 2 * size, size + i, 2 * size - 1, size + i, 2 * size - 1 - ring},
                {size - 1, size + i, size, size + i, size + ring, size + i},
                {2 * size, size + i, 2 * size - 1, size + i, 2 * size - 1 - ring, size + i},
            }};
            for (const auto& e : edges) {
              const std::uint32_t beside = surface.Line(e[1])[e[0]];
              const std::uint32_t dark = surface.Line(e[3])[e[2]];
              const std::uint32_t light = surface.Line(e[5])[e[4]];
              const double best = std::max(Contrast(dark, beside), Contrast(light, beside));
              if (best < worst) {
                worst = best;
                where = std::to_string(size) + " px, ground " + std::to_string(weather) + ", pattern " +
                        std::to_string(pattern) + (item == &houses ? " of the houses" : "");
              }
            }
          }
        }
      }
    }
  }
  EXPECT_GE(worst, 3.0) << where;
}

// The bus is skipped only where it could not have been found or launched:
// a player's desktop session must keep its global menu and the like.
TEST(SessionBus, SkippedOnlyWhenNoAddressNoSocketAndNoLauncher) {
  std::map<std::string, std::string> environment;
  std::set<std::string> files;
  const auto check = [&] {
    return NoSessionBusCanExist(
        [&](const char* name) {
          const auto found = environment.find(name);
          return found == environment.end() ? nullptr : found->second.c_str();
        },
        [&](const std::string& file) { return files.count(file) > 0; });
  };
  environment["PATH"] = "/usr/local/bin::/opt/games/bin";
  EXPECT_TRUE(check());

  environment["DBUS_SESSION_BUS_ADDRESS"] = "";  // set but empty counts as none
  EXPECT_TRUE(check());
  environment["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/run/user/1000/bus";
  EXPECT_FALSE(check());
  environment.erase("DBUS_SESSION_BUS_ADDRESS");

  environment["XDG_RUNTIME_DIR"] = "/run/user/1000";
  EXPECT_TRUE(check());  // the folder alone is not a bus
  files.insert("/run/user/1000/bus");
  EXPECT_FALSE(check());
  files.clear();

  files.insert("/opt/games/bin/dbus-launch");  // the last folder on PATH
  EXPECT_FALSE(check());
  files = {"/usr/bin/dbus-launch"};  // the library's own folder, off PATH
  EXPECT_FALSE(check());
  files = {"./dbus-launch"};  // an empty PATH entry is the current folder
  EXPECT_FALSE(check());
  environment["PATH"] = "/usr/local/bin:";  // and so is a trailing colon
  EXPECT_FALSE(check());

  environment.erase("PATH");  // unset: the C library's default
  files = {"/bin/dbus-launch"};
  EXPECT_FALSE(check());
  files.clear();
  EXPECT_TRUE(check());
}
