#pragma once
// The main window: the frame of the game (menu bar, toolbar panel, document
// area, status bar) and the owner of the map, the image and wave lists and
// the package reader. Each command is handed to the room of its subject: the
// ranch's file commands and undo, the language, the status messages, the
// displays the map writes to, the soundtrack; the menus, the Extras menu and
// the toolbar are built by their own files.
#include <QImage>
#include <QMainWindow>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "datafiles/zolpackload.h"
#include "map/Mapa.h"
#include "map/Strokes.h"
#include "present/DXImageList.h"
#include "present/DXSound.h"
#include "present/MusicStream.h"
#include "shell/AssetLoading.h"
#include "shell/Editor.h"
#include "shell/ForecastStrip.h"
#include "shell/GameDisplays.h"
#include "shell/Language.h"
#include "shell/LivingRanch.h"
#include "shell/Protection.h"
#include "shell/Ranch.h"
#include "shell/RememberedChoices.h"
#include "shell/SoundtrackSwitch.h"
#include "shell/StatusLine.h"
#include "shell/ToolkitTranslation.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMdiArea;
class QMenu;
class QMenuBar;
class QStatusBar;
class TForm2;
class TOfficeDesk;
class IToolOwner;
class TTools;
class TSpeedButton;
class TTelaMapa;
class TZolSaveCfg;

class TForm1 : public QMainWindow {
 public:
  // Runs the creation event: seed, zoom table, assets. Throws EStartupError
  // when an asset is missing; nothing else has been made then.
  TForm1();
  ~TForm1() override;

  // Program entry steps 3 and 4: the map view inside the document area, then
  // the palette beside it.
  void CreateMapView();
  void CreatePalette();

  // Non-visual components.
  TDXImageList IMGChao;
  TDXImageList IMGOutros;
  TDXSound Som;
  TDXWaveList Audio;
  // The soundtrack; it plays while "Trilha sonora" and "Música" are both checked.
  TMusicStream Soundtrack{Som};
  TZolPackLoad ZolPackLoad1;
  TZolSaveCfg* ZolSaveCfg1 = nullptr;  // present and idle; owned by this window

  std::unique_ptr<TMapa> RanchMap;
  TForm2* Form2 = nullptr;  // owned by the document area
  TTools* Tools = nullptr;  // owned by this window

  // Menu bar.
  QMenuBar* MainMenu1 = nullptr;
  QMenu* Jogo1 = nullptr;
  QAction* Novojogo1 = nullptr;
  QAction* Salvarjogo1 = nullptr;
  QAction* Salvarjogocomo1 = nullptr;
  QAction* Carregarjogo1 = nullptr;
  QAction* N1 = nullptr;
  QAction* Sair1 = nullptr;
  QMenu* Lngua1 = nullptr;
  QMenu* Opes1 = nullptr;
  QAction* Msica1 = nullptr;
  QAction* udio1 = nullptr;
  QMenu* Velocidade1 = nullptr;
  QActionGroup* SpeedGroup = nullptr;
  QAction* Ultra1 = nullptr;
  QAction* Muitorpido1 = nullptr;
  QAction* Rpido1 = nullptr;
  QAction* Normal1 = nullptr;
  QAction* Lento1 = nullptr;
  QAction* Parado1 = nullptr;
  QAction* Sobre1 = nullptr;

  // The Extras menu (shell/ExtrasMenu.cpp holds its rows).
  QMenu* Extras1 = nullptr;
  QAction* Novafazenda1 = nullptr;
  QAction* Abrirjogo1 = nullptr;
  QAction* Salvarem1 = nullptr;
  QAction* N2 = nullptr;
  QAction* Desfazer1 = nullptr;
  QAction* Refazer1 = nullptr;
  QAction* N3 = nullptr;
  QAction* Minimapa1 = nullptr;
  QAction* Mapagrande1 = nullptr;
  QAction* Navegarcomomouse1 = nullptr;
  QAction* Marcadordestacado1 = nullptr;
  QAction* Terrenodetalhado1 = nullptr;
  QAction* Traadocomprvia1 = nullptr;
  QAction* N4 = nullptr;
  QAction* Trilhasonora1 = nullptr;
  QAction* N5 = nullptr;
  QAction* Fazendaviva1 = nullptr;
  QAction* N6 = nullptr;
  QAction* Lembrarescolhas1 = nullptr;
  QAction* Protegerojogo1 = nullptr;

  // The player's building strokes, for Desfazer and Refazer; lent to the map view.
  TStrokeHistory Strokes;

  // Toolbar panel.
  QFrame* Panel1 = nullptr;
  TSpeedButton* BotBuy = nullptr;
  TSpeedButton* BotSell = nullptr;
  TSpeedButton* BotEval = nullptr;
  TSpeedButton* BotMapa = nullptr;
  TSpeedButton* BotTempo = nullptr;
  TSpeedButton* BotBalanco = nullptr;
  TSpeedButton* BotBanco = nullptr;
  TSpeedButton* BotMercado = nullptr;
  QFrame* Panel2 = nullptr;
  QLabel* Dias = nullptr;
  QImage DiasImage;  // the forecast box's canvas, 72 x 27
  QLabel* LabData = nullptr;
  QLabel* LabFund = nullptr;
  QLabel* LabDate = nullptr;
  QLabel* LabFunds = nullptr;

  // Document area and status bar; StatusText is panel 0.
  QMdiArea* MdiArea = nullptr;
  QStatusBar* StatusBar = nullptr;
  QLabel* StatusText = nullptr;

  // The rooms the window hands its commands to.
  TRanch Ranch{RanchMap, Strokes};
  TLanguage Language;
  TStatusLine Status{Language};
  TForecastStrip Forecast{DiasImage, IMGOutros};
  TGameDisplays Displays{Forecast, Audio};  // the map's host
  TSoundtrackSwitch SoundtrackSwitch{Soundtrack};
  // "Fazenda viva": the economy, and the office windows of the seven
  // toolbar buttons (shell/LivingRanchHooks.cpp connects them).
  TLivingRanch Living{RanchMap};
  std::unique_ptr<TOfficeDesk> Office;
  std::unique_ptr<IToolOwner> LivingTools;  // the economy's palette tools and the eye tool
  // The refusal sound of a refused order; a test may listen instead.
  std::function<void()> RefusalSound;
  TToolkitTranslation ToolkitTranslation;
  TRememberedChoices Choices;
  TProtection Protection{{*this, Ranch, RanchMap, Language, Status,
                          [this](const QString& path) { return SaveGameTo(path); },
                          [this](const QString& path) { return LoadGameFrom(path); }}};

  // Events and commands.
  void FormShow();
  bool FormCloseQuery();
  void Salvarjogo1Click();
  void Carregarjogo1Click();
  void Sair1Click();
  void Msica1Click();
  void udio1Click();
  void Ultra1Click();
  void Muitorpido1Click();
  void Rpido1Click();
  void Normal1Click();
  void Lento1Click();
  void Parado1Click();
  void Sobre1Click();
  void BotMapaClick();
  void Novafazenda1Click();
  void Abrirjogo1Click();
  void Salvarem1Click();
  void Desfazer1Click();
  void Refazer1Click();
  void Minimapa1Click();
  void Mapagrande1Click();
  void Trilhasonora1Click();
  void Fazendaviva1Click();
  void Lembrarescolhas1Click();
  void Protegerojogo1Click();

  // The displays show the record as it stands (see TGameDisplays).
  void ShowGameState();
  // Saves the record to `path`, or loads it from there, and says in the
  // status bar how it went; true when done. A refused load leaves the record
  // byte for byte as it was.
  bool SaveGameTo(const QString& path);
  bool LoadGameFrom(const QString& path);

  // Writes a message in the status bar; it is written again in the new
  // language when the language changes. "%1" in the text becomes fileName.
  void ShowStatus(TExtraText text, const QString& fileName = {});
  // A text of the current language as it appears on screen.
  QString ExtraText(TExtraText text) const { return Language.Text(text); }

  // Language files.
  void ScanLanguages();
  void LoadLanguage(const std::string& name);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FinishLoadingAssets();
  // The menu bar (MainMenu.cpp), the Extras menu and what its options keep
  // (ExtrasMenu.cpp), the toolbar panel (Toolbar.cpp), the status bar.
  void BuildMenu();
  void BuildExtrasMenu();
  void ApplyExtrasTexts();
  std::vector<std::pair<std::string, QAction*>> RememberedOptions() const;
  TChoiceTargets ChoiceTargets();
  void BuildToolbar();
  void BuildStatusBar();
  // "Fazenda viva" in the window (LivingRanchHooks.cpp): the windows and tools
  // connected, the option followed, the economy's file with the game's, a new
  // ranch, a day passed.
  void ConnectLivingRanch();
  void FollowLivingRanchOption();
  void LivingRanchLoaded(const QString& path);
  void LivingRanchSaved(const QString& path);
  void LivingRanchNewRanch();
  void LivingRanchDay();
  // The items and buttons language lines 1..18 and 36..43 label, in line order.
  decltype(TLanguageTargets::menuCaptions) MenuCaptionItems() const;
  decltype(TLanguageTargets::toolbar) ToolbarButtons() const;
  // Says how a ranch command went, and follows a replaced record on screen.
  bool Report(TRanchResult result, const QString& path = {});
  void ScrollToHouse();

  bool shown_ = false;
  // The assets being read on a worker while the window builds its controls.
  // Declared after the lists it fills, so that it is destroyed (and the
  // worker waited for) before them if the constructor fails half-way.
  std::future<void> assetsLoading_;
  // Maps the window's drawing memory while start-up goes on (see
  // PrepareWindowSurface); it never writes to it, so nothing waits for it.
  std::jthread surfaceMapping_;
};
