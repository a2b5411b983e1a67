#include "shell/Startup.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/ToolReport.h"
#include "shell/WindowPlacement.h"
#include "shell/defines.h"
#include "view/SpeedButton.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

namespace {
constexpr int FrameInterval = 66;
}  // namespace

std::unique_ptr<TForm1> CreateGameWindows() {
  std::unique_ptr<TForm1> form1;
  try {
    form1 = std::make_unique<TForm1>();
  } catch (const EStartupError& error) {
    std::cerr << error.what() << std::endl;
    QMessageBox::critical(nullptr, QCoreApplication::applicationName(), QString::fromUtf8(error.what()));
    return nullptr;
  }
  form1->CreateMapView();
  form1->CreatePalette();
  return form1;
}

void ShowMainWindow(TForm1& form) {
  // Without a window manager nothing maximises a window: it takes the screen
  // itself. With one, the first map is already at the size it will show at.
  if (const QRect maximised = MaximisedGeometry(); !maximised.isEmpty()) form.setGeometry(maximised);
  form.showMaximized();
}

// The main window's part of the start: the map view and the palette made,
// and at the first show the layout, the language, the ranch and the globals
// in the order every run has them.
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
  // "Traçado com prévia": the view's drafts and unbuilt tiles in the status
  // bar, the tool's hint after them, and the right click that raises the tool.
  Form2->OnToolReport = [this](const TToolReport& report) {
    StatusText->setText(ToolReportStatus(Language.Extras(), report, Tools->PickedTool()));
  };
  Form2->OnRaiseTool = [this] { Tools->RaiseTool(); };
  // The palette's zoom is one of the remembered choices.
  for (TSpeedButton* zoom : {Tools->BotAproxima, Tools->BotReduz})
    connect(zoom, &QToolButton::clicked, this, [this] { Choices.Follow(); });
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
  Form2->PlaceInMainWindow(width(), height() - menuBar()->height());
  Tools->move(x() + 6, y() + 82);
  Tools->resize(84, Tools->height());

  LanguageFiles.clear();
  ScanLanguages();
  LoadLanguage("portugues.dat");

  Form2->DXTimer1->SetInterval(FrameInterval);

  RanchMap = std::make_unique<TMapa>(&Displays);
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

bool NoSessionBusCanExist(const std::function<const char*(const char*)>& environment,
                          const std::function<bool(const std::string&)>& exists) {
  const auto set = [&](const char* name) {
    const char* value = environment(name);
    return value != nullptr && *value != '\0';
  };
  if (set("DBUS_SESSION_BUS_ADDRESS")) return false;
  if (set("XDG_RUNTIME_DIR") && exists(std::string(environment("XDG_RUNTIME_DIR")) + "/bus")) return false;
  // The bus library looks for its launcher in its own folder, then on PATH
  // (the C library's own default when it is unset), where an empty entry,
  // a trailing colon included, is the current folder.
  if (exists("/usr/bin/dbus-launch")) return false;
  const std::string_view path = environment("PATH") != nullptr ? environment("PATH") : "/bin:/usr/bin";
  for (std::size_t start = 0;;) {
    const std::size_t colon = path.find(':', start);
    const std::string_view folder = path.substr(start, colon == std::string_view::npos ? colon : colon - start);
    if (exists((folder.empty() ? std::string(".") : std::string(folder)) + "/dbus-launch")) return false;
    if (colon == std::string_view::npos) return true;
    start = colon + 1;
  }
}

void SkipSessionBusLaunchWhenNoneCanExist() {
  const auto exists = [](const std::string& file) {
    struct stat status {};
    return ::stat(file.c_str(), &status) == 0;
  };
  if (NoSessionBusCanExist([](const char* name) { return std::getenv(name); }, exists))
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}
