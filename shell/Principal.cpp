#include "shell/Principal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <chrono>

#include "datafiles/zolsalvacfg.h"
#include "office/Desk.h"
#include "present/WindowSurface.h"
#include "shell/Editor.h"
#include "shell/WindowPlacement.h"
#include "shell/defines.h"
#include "view/LargeMap.h"
#include "view/ToolsUnit.h"
#include "view/SpeedButton.h"
#include "view/VerMapa.h"
#include "view/ZoomScroll.h"

namespace {
constexpr int StatusBarHeight = 19;
}  // namespace

TForm1::TForm1() {
  setWindowTitle(QStringLiteral("Zol Vorn v0.1"));
  setWindowIcon(QIcon(QStringLiteral(":/glyphs/icon.png")));
  QFont font(QStringLiteral("Verdana"));
  font.setPointSize(8);
  setFont(font);
  // Faulting in a maximised window's memory at its first paint costs as much
  // as building all of its controls; the worker does it meanwhile.
  surfaceMapping_ = PrepareWindowSurface(*this, MaximisedGeometry().size());
  ZolSaveCfg1 = new TZolSaveCfg(this);
  ZolSaveCfg1->FileName = "./vorn.ini";
  ZolSaveCfg1->Encriptar = false;
  FormCreate();
  BuildMenu();
  BuildToolbar();
  ConnectLivingRanch();
  Displays.SetLabels(LabDate, LabFunds);
  Displays.OnDateShown = [this] { Protection.DateShown(); };
  // Every menu command may change a remembered choice.
  connect(MainMenu1, &QMenuBar::triggered, this, [this] { Choices.Follow(); });
  BuildStatusBar();
  FinishLoadingAssets();
  // Desfazer and Refazer are greyed whenever there is nothing to undo or redo.
  Strokes.OnChange = [this] {
    Desfazer1->setEnabled(Strokes.CanUndo());
    Refazer1->setEnabled(Strokes.CanRedo());
  };
  Strokes.OnChange();
  resize(DesignClientWidth, DesignClientHeight + menuBar()->sizeHint().height());
  new TRestoreToDesignSize(*this);
}

TForm1::~TForm1() {
  // The office's windows hold the window's economy: they go before it.
  if (Form2 != nullptr) Form2->ToolOwner = nullptr;
  Office.reset();
  // The map view holds the surface the image lists listen to: it goes first.
  delete Tools;
  Tools = nullptr;
  delete Form2;
  Form2 = nullptr;
}

void TForm1::FormCreate() {
  RandomSeed(static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  BuildZoomTable();
  Audio.SetDXSound(&Som);
  if (Som.AutoInitialize) Som.Initialize();
  // Decoding the package is the longest step of the start; it runs on a
  // worker while this thread builds the window's own controls, which touch
  // nothing the loading fills. std::async rather than QtConcurrent: its
  // future hands back the loader's own EStartupError, which start-up reports.
  assetsLoading_ = std::async(std::launch::async, [this] { LoadAssets(ZolPackLoad1, IMGChao, IMGOutros, Audio.Items); });
}

// Waits for the assets; a failure to load them is raised here, as if the
// loading had run on this thread.
void TForm1::FinishLoadingAssets() {
  if (assetsLoading_.valid()) assetsLoading_.get();
}

void TForm1::BuildStatusBar() {
  StatusBar = statusBar();
  StatusBar->setFixedHeight(StatusBarHeight);
  StatusBar->setSizeGripEnabled(false);
  StatusText = new QLabel(StatusBar);
  StatusBar->addWidget(StatusText, 1);
  Status.SetPanel(StatusText);
}

bool TForm1::FormCloseQuery() { return Protection.MayLeave(); }

void TForm1::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
  Protection.ProgramEnds();
  QCoreApplication::quit();
}

void TForm1::Sair1Click() {
  if (!Protection.MayLeave()) return;
  Protection.ProgramEnds();
  QCoreApplication::quit();
}

void TForm1::Msica1Click() {
  MusicOn = !MusicOn;
  Msica1->setChecked(MusicOn);
  SoundtrackSwitch.Follow();
}

void TForm1::udio1Click() {
  SoundOn = !SoundOn;
  udio1->setChecked(SoundOn);
}

void TForm1::Ultra1Click() { GameSpeed = 1; }
void TForm1::Muitorpido1Click() { GameSpeed = 2; }
void TForm1::Rpido1Click() { GameSpeed = 3; }
void TForm1::Normal1Click() { GameSpeed = 4; }
void TForm1::Lento1Click() { GameSpeed = 5; }
void TForm1::Parado1Click() { GameSpeed = 6; }

void TForm1::Sobre1Click() {
  QMessageBox::information(this, QCoreApplication::applicationName(),
                           ExtraText(TExtraText::AboutDescription) + QLatin1Char('\n') +
                               ExtraText(TExtraText::AboutVersion));
}

void TForm1::BotMapaClick() { ToggleOverview(*BotMapa, *MdiArea, *this, Form2); }

void TForm1::Minimapa1Click() {
  if (OverviewWindow != nullptr) OverviewWindow->ShowMinimap(Form2, MinimapOn);
}

void TForm1::Mapagrande1Click() {
  if (Form2 != nullptr) Form2->LargeMap->Apply();
}

void TForm1::Trilhasonora1Click() { SoundtrackSwitch.Follow(); }
void TForm1::Lembrarescolhas1Click() { Choices.Switch(RememberChoices, ChoiceTargets()); }
void TForm1::Protegerojogo1Click() { Protection.Switch(ProtectGame); }
void TForm1::Fazendaviva1Click() { FollowLivingRanchOption(); }

void TForm1::ShowGameState() { Displays.ShowGameState(RanchMap.get()); }

void TForm1::ShowStatus(TExtraText text, const QString& fileName) { Status.Show(text, fileName); }
