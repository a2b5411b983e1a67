#include "shell/Principal.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <array>
#include <chrono>
#include <cmath>

#include "datafiles/zolsalvacfg.h"
#include "present/Tune.h"
#include "present/WindowSurface.h"
#include "shell/Editor.h"
#include "present/Text.h"
#include "shell/defines.h"
#include "view/LargeMap.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

namespace {
constexpr int BaseTileSize = 24;
constexpr int MarkerSize = 24;
constexpr int PatternSize = 24;
constexpr int ForecastWidth = 72;
constexpr int ForecastHeight = 27;
constexpr int ForecastCells = 3;
constexpr int DesignClientWidth = 659;
constexpr int DesignClientHeight = 401;
constexpr int ToolbarHeight = 40;
constexpr int StatusBarHeight = 19;
constexpr QRgb ForecastMarkColor = 0xFFFF0000;

// IMGChao's bitmaps, in item order.
constexpr std::array<const char*, 4> GroundEntries = {"chao.bmp", "casas.bmp", "equip.bmp", "constru.bmp"};
constexpr const char* StatusEntry = "status.bmp";
// The marker squares appended to IMGOutros after the status icons: white for a
// tool without a rule, red for a refusal, green for an allowed placement.
constexpr std::array<TColor, 3> MarkerColors = {RGBColor(255, 255, 255), RGBColor(255, 0, 0),
                                                RGBColor(0, 128, 0)};
// The wave list, in item order.
constexpr std::array<const char*, 8> WaveEntries = {"bulldoze.wav", "ops.wav",     "plop.wav",
                                                    "compra.wav",   "birds01.wav", "birds02.wav",
                                                    "birds03.wav",  "chuva01.wav"};

// The eight toolbar buttons, left to right.
struct TToolbarButton {
  TSpeedButton* TForm1::*button;
  const char* glyph;
};
constexpr std::array<TToolbarButton, 8> ToolbarButtons = {{
    {&TForm1::BotBuy, "BotBuy"},
    {&TForm1::BotSell, "BotSell"},
    {&TForm1::BotEval, "BotEval"},
    {&TForm1::BotMapa, "BotMapa"},
    {&TForm1::BotTempo, "BotTempo"},
    {&TForm1::BotBalanco, "BotBalanco"},
    {&TForm1::BotBanco, "BotBanco"},
    {&TForm1::BotMercado, "BotMercado"},
}};

std::string Utf8(std::string_view windows1252) { return DecodeText(windows1252).toStdString(); }

QAction* MenuItem(QMenu* menu, const char* caption, const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(DecodeText(caption));
  action->setShortcut(shortcut);
  return action;
}

QLabel* Label(QWidget* parent, const char* text, const QRect& geometry, Qt::Alignment alignment) {
  auto* label = new QLabel(DecodeText(text), parent);
  label->setGeometry(geometry);
  label->setAlignment(alignment);
  return label;
}

QLabel* ValueDisplay(QWidget* parent, const QRect& geometry) {
  QLabel* label = Label(parent, "", geometry, Qt::AlignCenter);
  label->setFrameStyle(QFrame::Panel | QFrame::Raised);
  label->setAutoFillBackground(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::white);
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
  return label;
}
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
  BuildStatusBar();
  FinishLoadingAssets();
  FollowStrokes();
  resize(DesignClientWidth, DesignClientHeight + menuBar()->sizeHint().height());
}

QRect TForm1::MaximisedGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

TForm1::~TForm1() {
  // A tune still being made is let go; the stream it would have gone to goes now.
  delete composing_;
  composing_ = nullptr;
  // The map view holds the surface the image lists listen to: it goes first.
  delete Tools;
  Tools = nullptr;
  delete Form2;
  Form2 = nullptr;
}

void TForm1::FormCreate() {
  RandomSeed(static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));

  TileSize = BaseTileSize;
  ZoomSizes[1] = BaseTileSize / 2;
  ZoomSizes[2] = static_cast<unsigned char>(std::lround(BaseTileSize / 1.5));
  ZoomSizes[3] = BaseTileSize;
  ZoomSizes[4] = static_cast<unsigned char>(std::lround(BaseTileSize * 1.5));
  ZoomSizes[5] = BaseTileSize * 2;
  ZoomIndex = 3;

  Audio.SetDXSound(&Som);
  if (Som.AutoInitialize) Som.Initialize();
  // Decoding the package is the longest step of the start; it runs on a
  // worker while this thread builds the window's own controls, which touch
  // nothing the loading fills. The lists are complete, in their order,
  // before the constructor returns and anything else can read them.
  // std::async rather than QtConcurrent (as the soundtrack uses): its future
  // hands back the loader's own EStartupError, which start-up reports.
  assetsLoading_ = std::async(std::launch::async, [this] { LoadAssets(); });
}

// Waits for the assets; a failure to load them is raised here, as if the
// loading had run on this thread.
void TForm1::FinishLoadingAssets() {
  if (assetsLoading_.valid()) assetsLoading_.get();
}

void TForm1::LoadAssets() {
  if (!ZolPackLoad1.AbrePacote(PackagePath))
    throw EStartupError("Zol Vorn: não foi possível abrir o pacote " + std::string(PackagePath) + ": " +
                        Utf8(ZolPackLoad1.Erro()));

  for (std::size_t i = 0; i < GroundEntries.size(); ++i) {
    ExtractEntry(GroundEntries[i], &IMGChao.Items, nullptr);
    TPictureCollectionItem& item = IMGChao.Items.Items(static_cast<int>(i));
    item.PatternHeight = PatternSize;
    item.PatternWidth = PatternSize;
    item.Transparent = true;
    item.SetTransparentColor(RGBColor(255, 0, 255));
  }

  ExtractEntry(StatusEntry, &IMGOutros.Items, nullptr);
  TPictureCollectionItem& status = IMGOutros.Items.Items(0);
  status.PatternHeight = PatternSize;
  status.PatternWidth = PatternSize;
  status.Transparent = false;

  for (TColor color : MarkerColors) AddMarkerSquare(color);

  for (const char* wave : WaveEntries) ExtractEntry(wave, nullptr, &Audio.Items);

  ZolPackLoad1.Reseta();
}

// Every later use takes the items at fixed indices, so a missing or broken
// entry stops start-up here, naming it.
void TForm1::ExtractEntry(const std::string& name, TPictureCollection* pictures, TWaveCollection* waves) {
  const int before = pictures ? pictures->Count() : waves->Count();
  std::string problem;
  try {
    if (!ZolPackLoad1.ExtrairArquivo(name, pictures, waves)) problem = Utf8(ZolPackLoad1.Erro());
  } catch (const std::exception& e) {
    problem = e.what();
  }
  const int after = pictures ? pictures->Count() : waves->Count();
  if (problem.empty() && after != before + 1) problem = "nenhum item foi lido";
  if (!problem.empty())
    throw EStartupError("Zol Vorn: falta o item " + name + " no pacote " + PackagePath + ": " + problem);
}

void TForm1::AddMarkerSquare(TColor color) {
  TBitmap square;
  square.Width = MarkerSize;
  square.Height = MarkerSize;
  square.Pixels.assign(MarkerSize * MarkerSize, ColorToPixel(color));
  TPictureCollectionItem& item = IMGOutros.Items.Add();
  item.Picture = std::move(square);
  item.Transparent = false;
  item.RebuildPatterns();
}

void TForm1::BuildMenu() {
  MainMenu1 = menuBar();

  Jogo1 = MainMenu1->addMenu(DecodeText("&Jogo"));
  Novojogo1 = MenuItem(Jogo1, "&Novo jogo", QKeySequence(Qt::CTRL | Qt::Key_N));
  Salvarjogo1 = MenuItem(Jogo1, "&Salvar jogo", QKeySequence(Qt::CTRL | Qt::Key_S));
  Salvarjogocomo1 = MenuItem(Jogo1, "Salvar jogo como...");
  Carregarjogo1 = MenuItem(Jogo1, "&Carregar jogo", QKeySequence(Qt::CTRL | Qt::Key_L));
  N1 = Jogo1->addSeparator();
  Sair1 = MenuItem(Jogo1, "S&air", QKeySequence(Qt::CTRL | Qt::Key_X));

  Lngua1 = MainMenu1->addMenu(DecodeText("&L\xEDngua"));

  Opes1 = MainMenu1->addMenu(DecodeText("Op\xE7\xF5" "es"));
  Msica1 = MenuItem(Opes1, "M\xFAsica", QKeySequence(Qt::CTRL | Qt::Key_M));
  udio1 = MenuItem(Opes1, "\xC1udio", QKeySequence(Qt::CTRL | Qt::Key_O));
  for (QAction* item : {Msica1, udio1}) {
    item->setCheckable(true);
    item->setChecked(true);
  }

  Velocidade1 = MainMenu1->addMenu(DecodeText("Velocidade"));
  SpeedGroup = new QActionGroup(this);
  SpeedGroup->setExclusive(true);
  Ultra1 = MenuItem(Velocidade1, "Ultra", QKeySequence(Qt::CTRL | Qt::Key_5));
  Muitorpido1 = MenuItem(Velocidade1, "Muito r\xE1pido", QKeySequence(Qt::CTRL | Qt::Key_4));
  Rpido1 = MenuItem(Velocidade1, "R\xE1pido", QKeySequence(Qt::CTRL | Qt::Key_3));
  Normal1 = MenuItem(Velocidade1, "Normal", QKeySequence(Qt::CTRL | Qt::Key_2));
  Lento1 = MenuItem(Velocidade1, "Lento", QKeySequence(Qt::CTRL | Qt::Key_1));
  Parado1 = MenuItem(Velocidade1, "Parado", QKeySequence(Qt::CTRL | Qt::Key_0));
  for (QAction* item : {Ultra1, Muitorpido1, Rpido1, Normal1, Lento1, Parado1}) {
    item->setCheckable(true);
    SpeedGroup->addAction(item);
  }
  Normal1->setChecked(true);

  Sobre1 = MainMenu1->addAction(DecodeText("&Sobre..."));

  connect(Salvarjogo1, &QAction::triggered, this, [this] { Salvarjogo1Click(); });
  connect(Carregarjogo1, &QAction::triggered, this, [this] { Carregarjogo1Click(); });
  connect(Sair1, &QAction::triggered, this, [this] { Sair1Click(); });
  connect(Msica1, &QAction::triggered, this, [this] { Msica1Click(); });
  connect(udio1, &QAction::triggered, this, [this] { udio1Click(); });
  connect(Ultra1, &QAction::triggered, this, [this] { Ultra1Click(); });
  connect(Muitorpido1, &QAction::triggered, this, [this] { Muitorpido1Click(); });
  connect(Rpido1, &QAction::triggered, this, [this] { Rpido1Click(); });
  connect(Normal1, &QAction::triggered, this, [this] { Normal1Click(); });
  connect(Lento1, &QAction::triggered, this, [this] { Lento1Click(); });
  connect(Parado1, &QAction::triggered, this, [this] { Parado1Click(); });
  connect(Sobre1, &QAction::triggered, this, [this] { Sobre1Click(); });

  BuildExtrasMenu();
}

void TForm1::BuildExtrasMenu() {
  Extras1 = MainMenu1->addMenu(QString());
  Novafazenda1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  Abrirjogo1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
  Salvarem1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  N2 = Extras1->addSeparator();
  Desfazer1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_Z));
  Refazer1 = Extras1->addAction(QString());
  Refazer1->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  N3 = Extras1->addSeparator();
  Minimapa1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_I));
  Mapagrande1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_G));
  Navegarcomomouse1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_R));
  Marcadordestacado1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_B));
  Terrenodetalhado1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_T));
  N4 = Extras1->addSeparator();
  Trilhasonora1 = Extras1->addAction(QString(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
  for (QAction* option : {Minimapa1, Mapagrande1, Navegarcomomouse1, Marcadordestacado1, Terrenodetalhado1,
                          Trilhasonora1}) {
    option->setCheckable(true);
    option->setChecked(false);
  }
  ApplyExtraTexts();

  connect(Novafazenda1, &QAction::triggered, this, [this] { Novafazenda1Click(); });
  connect(Abrirjogo1, &QAction::triggered, this, [this] { Abrirjogo1Click(); });
  connect(Salvarem1, &QAction::triggered, this, [this] { Salvarem1Click(); });
  connect(Desfazer1, &QAction::triggered, this, [this] { Desfazer1Click(); });
  connect(Refazer1, &QAction::triggered, this, [this] { Refazer1Click(); });
  connect(Minimapa1, &QAction::triggered, this, [this] { Minimapa1Click(); });
  connect(Mapagrande1, &QAction::triggered, this, [this] { Mapagrande1Click(); });
  connect(Navegarcomomouse1, &QAction::triggered, this, [this] { Navegarcomomouse1Click(); });
  connect(Marcadordestacado1, &QAction::triggered, this, [this] { Marcadordestacado1Click(); });
  connect(Terrenodetalhado1, &QAction::triggered, this, [this] { Terrenodetalhado1Click(); });
  connect(Trilhasonora1, &QAction::triggered, this, [this] { Trilhasonora1Click(); });
}

// Captions of the Extras menu from the current companion texts.
void TForm1::ApplyExtraTexts() {
  struct TCaption {
    QAction* item;
    TExtraText text;
  };
  const std::array<TCaption, 12> captions = {{
      {Extras1->menuAction(), TExtraText::ExtrasMenu},
      {Novafazenda1, TExtraText::NewRanchItem},
      {Abrirjogo1, TExtraText::OpenGameItem},
      {Salvarem1, TExtraText::SaveToItem},
      {Desfazer1, TExtraText::UndoItem},
      {Refazer1, TExtraText::RedoItem},
      {Minimapa1, TExtraText::MinimapItem},
      {Mapagrande1, TExtraText::LargeMapItem},
      {Navegarcomomouse1, TExtraText::MouseNavigationItem},
      {Marcadordestacado1, TExtraText::HighlightMarkerItem},
      {Terrenodetalhado1, TExtraText::DetailedTerrainItem},
      {Trilhasonora1, TExtraText::SoundtrackItem},
  }};
  for (const TCaption& caption : captions) caption.item->setText(ExtraText(caption.text));
}

QString TForm1::ExtraText(TExtraText text) const { return DecodeText(Extras.Text(text)); }

void TForm1::ShowStatus(TExtraText text, const QString& fileName) {
  status_ = {true, text, fileName};
  if (StatusText) StatusText->setText(DecodeText(Extras.Format(text, EncodeText(fileName))));
}

void TForm1::BuildToolbar() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  Panel1 = new QFrame(central);
  Panel1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Panel1->setLineWidth(1);
  Panel1->setFixedHeight(ToolbarHeight);
  layout->addWidget(Panel1);

  int left = 8;
  for (const TToolbarButton& entry : ToolbarButtons) {
    auto* button = new TSpeedButton(Panel1);
    this->*entry.button = button;
    button->setGeometry(left, 3, 32, 32);
    button->setCheckable(true);
    button->setIcon(QIcon(QStringLiteral(":/glyphs/%1.png").arg(QLatin1String(entry.glyph))));
    button->setIconSize(QSize(28, 28));
    left += 33;
  }
  connect(BotMapa, &QToolButton::clicked, this, [this] { BotMapaClick(); });

  Panel2 = new QFrame(Panel1);
  Panel2->setGeometry(280, 4, 75, 30);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Dias = new QLabel(Panel2);
  Dias->setGeometry(1, 1, ForecastWidth, ForecastHeight);
  DiasImage = QImage(ForecastWidth, ForecastHeight, QImage::Format_RGB32);
  DiasImage.fill(Qt::white);
  ShowForecast();

  LabData = Label(Panel1, "Data", QRect(360, 4, 54, 13), Qt::AlignRight | Qt::AlignVCenter);
  LabFund = Label(Panel1, "Dinheiro", QRect(360, 20, 54, 13), Qt::AlignRight | Qt::AlignVCenter);
  LabDate = ValueDisplay(Panel1, QRect(419, 2, 208, 16));
  LabFunds = ValueDisplay(Panel1, QRect(419, 19, 208, 16));

  MdiArea = new QMdiArea(central);
  MdiArea->setBackground(QColor(128, 128, 128));
  layout->addWidget(MdiArea, 1);
  setCentralWidget(central);
}

void TForm1::BuildStatusBar() {
  StatusBar = statusBar();
  StatusBar->setFixedHeight(StatusBarHeight);
  StatusBar->setSizeGripEnabled(false);
  StatusText = new QLabel(StatusBar);
  StatusBar->addWidget(StatusText, 1);
}

void TForm1::CreateMapView() {
  Form2 = new TForm2;
  MdiArea->addSubWindow(Form2);
  Form2->RanchMap = RanchMap.get();
  Form2->IMGChao = &IMGChao;
  Form2->IMGOutros = &IMGOutros;
  Form2->Audio = &Audio;
  Form2->Strokes = &Strokes;
  IMGChao.SetDXDraw(Form2->Tela);
  IMGOutros.SetDXDraw(Form2->Tela);
  Form2->show();
}

void TForm1::CreatePalette() {
  Tools = new TTools(Form2, StatusText, this);
  Tools->show();
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TForm1::FormShow() {
  if (!Form2 || !Tools) return;
  if (centralWidget()->layout()) centralWidget()->layout()->activate();

  // Client sizes: the window without its frame and menu bar.
  const int mainClientWidth = width();
  const int mainClientHeight = height() - menuBar()->height();
  Form2->SetClientSize(mainClientWidth, mainClientHeight + 32);
  Form2->move(86, 0);
  const int cw = Form2->ClientWidth();
  const int ch = Form2->ClientHeight();
  Form2->BarraVertical->setGeometry(cw - 16, 0, 16, ch - 16);
  Form2->BarraHorizontal->setGeometry(0, ch - 16, cw - 16, 16);
  Form2->Panel1->move(cw - 16, ch - 16);
  Form2->Tela->resize(cw - 17, ch - 17);
  Form2->Tela->StartDevice();

  Tools->move(x() + 6, y() + 82);
  Tools->resize(84, Tools->height());

  LanguageFiles.clear();
  ScanLanguages();
  LoadLanguage("portugues.dat");

  Form2->DXTimer1->SetInterval(66);

  RanchMap = std::make_unique<TMapa>(this);
  Form2->RanchMap = RanchMap.get();
  RanchMap->Generate();
  RanchMap->AdvanceForecast();
  RanchMap->Tick(1);

  ViewY = 0;
  ViewX = 0;
  GameSpeed = 4;
  TickCount = 0;
  SoundOn = true;
  MusicOn = true;

  ScrollToHouse();
}

bool TForm1::FormCloseQuery() { return true; }

void TForm1::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  event->accept();
  QCoreApplication::quit();
}

void TForm1::Sair1Click() { QCoreApplication::quit(); }

void TForm1::Msica1Click() {
  MusicOn = !MusicOn;
  Msica1->setChecked(MusicOn);
  FollowMusicSwitches();
}

void TForm1::udio1Click() {
  SoundOn = !SoundOn;
  udio1->setChecked(SoundOn);
}

void TForm1::SetSpeed(unsigned char speed) { GameSpeed = speed; }
void TForm1::Ultra1Click() { SetSpeed(1); }
void TForm1::Muitorpido1Click() { SetSpeed(2); }
void TForm1::Rpido1Click() { SetSpeed(3); }
void TForm1::Normal1Click() { SetSpeed(4); }
void TForm1::Lento1Click() { SetSpeed(5); }
void TForm1::Parado1Click() { SetSpeed(6); }

void TForm1::Sobre1Click() {
  QMessageBox::information(this, QCoreApplication::applicationName(),
                           ExtraText(TExtraText::AboutDescription) + QLatin1Char('\n') +
                               ExtraText(TExtraText::AboutVersion));
}

// The options only keep their global in step with the check mark; what each
// one changes is read where it shows.
void TForm1::Minimapa1Click() {
  MinimapOn = Minimapa1->isChecked();
  if (OverviewWindow != nullptr) OverviewWindow->ShowMinimap(Form2, MinimapOn);
}

void TForm1::Mapagrande1Click() {
  LargeMapOn = Mapagrande1->isChecked();
  if (Form2 != nullptr) Form2->LargeMap->Apply();
}

void TForm1::Navegarcomomouse1Click() { MouseNavigation = Navegarcomomouse1->isChecked(); }
void TForm1::Marcadordestacado1Click() { HighlightMarker = Marcadordestacado1->isChecked(); }
void TForm1::Terrenodetalhado1Click() { DetailedTerrain = Terrenodetalhado1->isChecked(); }
void TForm1::Trilhasonora1Click() {
  SoundtrackOn = Trilhasonora1->isChecked();
  if (SoundtrackOn) ComposeSoundtrack();
  FollowMusicSwitches();
}

// The tune takes about a second to make: a worker thread makes it while the
// frames run on, and it starts playing once it is there, if still wanted.
void TForm1::ComposeSoundtrack() {
  const int rate = Soundtrack.DeviceRate();
  if (composing_ != nullptr || Soundtrack.HasTune() || rate == 0) return;
  composing_ = new QFutureWatcher<std::vector<std::int16_t>>(this);
  connect(composing_, &QFutureWatcherBase::finished, this, [this, rate] {
    Soundtrack.SetTune(composing_->result(), rate);
    FollowMusicSwitches();
  });
  composing_->setFuture(QtConcurrent::run([rate] { return MakeTune(rate); }));
}

void TForm1::FollowMusicSwitches() {
  if (SoundtrackOn && MusicOn) Soundtrack.Play();
  else Soundtrack.Stop();
}

void TForm1::ShowFunds(std::int32_t funds) {
  if (LabFunds) LabFunds->setText(QString::number(funds));
}

void TForm1::ShowDate(std::string_view text) {
  if (LabDate) LabDate->setText(DecodeText(text));
}

void TForm1::ForecastCell(int cell, std::uint8_t weather) {
  if (cell < 0 || cell >= ForecastCells || IMGOutros.Items.Count() == 0) return;
  TPictureCollectionItem& icons = IMGOutros.Items.Items(0);
  const TRect source = icons.PatternRect(weather);
  const TDirectDrawSurface* surface = icons.PatternSurface(weather);
  if (!surface || source.Empty()) return;
  const int left = PatternSize * cell;
  for (int y = 0; y < source.Height() && y < DiasImage.height(); ++y) {
    const int sy = source.Top + y;
    if (sy < 0 || sy >= surface->Height()) continue;
    const std::uint32_t* from = surface->Line(sy);
    auto* to = reinterpret_cast<QRgb*>(DiasImage.scanLine(y));
    for (int x = 0; x < source.Width() && left + x < DiasImage.width(); ++x) {
      const int sx = source.Left + x;
      if (sx >= 0 && sx < surface->Width()) to[left + x] = from[sx];
    }
  }
  ShowForecast();
}

void TForm1::ForecastLine(int x1, int y1, int x2, int y2) {
  // Bresenham's line, the end point left out as a pen line leaves it.
  const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
  const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  int x = x1, y = y1;
  while (x != x2 || y != y2) {
    if (DiasImage.rect().contains(x, y)) DiasImage.setPixel(x, y, ForecastMarkColor);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
  ShowForecast();
}

void TForm1::ShowForecast() {
  if (Dias) Dias->setPixmap(QPixmap::fromImage(DiasImage));
}

// Ambient sounds keep quiet with the sound off and at the two fastest speeds.
void TForm1::PlayWave(int index) {
  if (!SoundOn || GameSpeed == 1 || GameSpeed == 2) return;
  if (index < 0 || index >= Audio.Items.Count()) return;
  Audio.Items.Items(index).Play(false);
}
