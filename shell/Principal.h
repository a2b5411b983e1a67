#pragma once
// The main window: owner of the map, the image and wave lists and the package
// reader; start-up order; the menu bar, the toolbar panel and the status bar;
// and the host through which the map shows funds, date and forecast and plays
// its ambient sounds.
#include <QImage>
#include <QMainWindow>
#include <cstdint>
#include <future>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "datafiles/zolpackload.h"
#include "map/MapHost.h"
#include "map/Mapa.h"
#include "map/Strokes.h"
#include "present/DXImageList.h"
#include "present/DXSound.h"
#include "present/MusicStream.h"
#include "shell/ExtraTexts.h"

class QAction;
class QActionGroup;
template <typename T>
class QFutureWatcher;
class QFrame;
class QLabel;
class QMdiArea;
class QMenu;
class QMenuBar;
class QStatusBar;
class TForm2;
class TTools;
class TSpeedButton;
class TTelaMapa;
class TZolSaveCfg;

// Start-up cannot go on: the package or one of its entries is missing or
// unreadable. The message names it.
class EStartupError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Names of the language files found at start-up; entry i belongs to the
// language menu item whose tag is i.
extern std::vector<std::string> LanguageFiles;
// The open overview window, if any.
extern TTelaMapa* OverviewWindow;

// Where the package lies, relative to the working directory.
inline constexpr const char* PackagePath = "data/data.dpf";

class TForm1 : public QMainWindow, public IMapHost {
 public:
  // Runs the creation event: seed, zoom table, assets. Throws EStartupError
  // when an asset is missing; nothing else has been made then.
  TForm1();
  ~TForm1() override;

  // Where the window goes when shown maximised with no window manager to
  // place it: the screen's free area. Empty without a screen.
  static QRect MaximisedGeometry();

  // Program entry steps 3 and 4: the map view inside the document area, then
  // the palette beside it.
  void CreateMapView();
  void CreatePalette();

  // Non-visual components.
  TDXImageList IMGChao;
  TDXImageList IMGOutros;
  TDXSound Som;
  TDXWaveList Audio;
  // The soundtrack, composed when it is first asked for; it plays while
  // "Trilha sonora" and "Música" are both checked.
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

  // The Extras menu: what the game offers beyond its first version's menus.
  // Options start unchecked in every run.
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

  // The current language's companion texts.
  TExtraTexts Extras;

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
  QImage DiasImage;  // the forecast strip's canvas, 72 x 27
  QLabel* LabData = nullptr;
  QLabel* LabFund = nullptr;
  QLabel* LabDate = nullptr;
  QLabel* LabFunds = nullptr;

  // Document area and status bar; StatusText is panel 0.
  QMdiArea* MdiArea = nullptr;
  QStatusBar* StatusBar = nullptr;
  QLabel* StatusText = nullptr;

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
  void Navegarcomomouse1Click();
  void Marcadordestacado1Click();
  void Terrenodetalhado1Click();
  void Traadocomprvia1Click();
  void Trilhasonora1Click();

  // The whole game: the funds, date and forecast displays show the record as
  // it stands, at once, changing nothing in it.
  void ShowGameState();
  // Saves the record to `path` (see SaveGameRecord) and says in the status
  // bar how it went; true when saved.
  bool SaveGameTo(const QString& path);
  // Loads a saved game from `path` when it is sound, says in the status bar
  // how it went, and calls GameReplaced after a load. A refused load leaves
  // the record byte for byte as it was. True when loaded.
  bool LoadGameFrom(const QString& path);
  // Everything that follows the record once it was replaced as a whole (a
  // load, a new ranch) hooks in here.
  void GameReplaced();

  // Writes a message in the status bar; it is written again in the new
  // language when the language changes. "%1" in the text becomes fileName.
  void ShowStatus(TExtraText text, const QString& fileName = {});
  // A text of the current language as it appears on screen.
  QString ExtraText(TExtraText text) const;

  // Language files.
  void ScanLanguages();
  void LanguageClick(QObject* sender);
  void LoadLanguage(const std::string& name);

  // IMapHost.
  void ShowFunds(std::int32_t funds) override;
  void ShowDate(std::string_view text) override;
  void ForecastCell(int cell, std::uint8_t weather) override;
  void ForecastLine(int x1, int y1, int x2, int y2) override;
  void PlayWave(int index) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FinishLoadingAssets();
  void LoadAssets();
  void ExtractEntry(const std::string& name, TPictureCollection* pictures, TWaveCollection* waves);
  void AddMarkerSquare(TColor color);
  void BuildMenu();
  void BuildExtrasMenu();
  void ApplyExtraTexts();
  void BuildToolbar();
  void BuildStatusBar();
  void SetSpeed(unsigned char speed);
  void ShowForecast();
  void FollowStrokes();
  bool AskDiscardChanges();
  QString ChooseGameFile(bool saving);
  void ScrollToHouse();
  void ComposeSoundtrack();
  void FollowMusicSwitches();

  bool shown_ = false;
  // The assets being read on a worker while the window builds its controls.
  // Declared after the lists it fills, so that it is destroyed (and the
  // worker waited for) before them if the constructor fails half-way.
  std::future<void> assetsLoading_;
  // Maps the window's drawing memory while start-up goes on (see
  // PrepareWindowSurface); it never writes to it, so nothing waits for it.
  std::jthread surfaceMapping_;
  // The soundtrack being composed away from the frame loop, until it is done.
  QFutureWatcher<std::vector<std::int16_t>>* composing_ = nullptr;
  // The status message on show, kept so that it can follow a language change.
  struct TStatusMessage {
    bool shown = false;
    TExtraText text = TExtraText::ExtrasMenu;
    QString fileName;
  } status_;
};
