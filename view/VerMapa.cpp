#include "view/VerMapa.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "shell/defines.h"
#include "view/LargeMap.h"
#include "view/MouseNavigation.h"

std::int32_t MouseX = 0, MouseY = 0;
std::int32_t HoverX = 0, HoverY = 0;
std::int32_t LastHoverX = 0, LastHoverY = 0;
bool ClickLatch = false;
std::uint8_t DrawRate = 0;
std::uint32_t FrameStart = 0, FrameEnd = 0, FrameTime = 0;

void ResetViewGlobals() {
  MouseX = MouseY = 0;
  HoverX = HoverY = 0;
  LastHoverX = LastHoverY = 0;
  ClickLatch = false;
  DrawRate = 0;
  FrameStart = FrameEnd = FrameTime = 0;
}

namespace {
constexpr int FrameInterval = 66;
constexpr int ScrollBarSize = 16;
constexpr int SurfaceInset = 17;  // the surface stops one pixel short of the bars
// The cursor counts as over the map when it lies this far inside the
// window's outer right and bottom edges, clear of frame and scroll bars.
constexpr int ActiveAreaRight = 28;
constexpr int ActiveAreaBottom = 44;
constexpr int DesignClientWidth = 309;
constexpr int DesignClientHeight = 242;
// At start-up the view reaches below the main window's client by this much.
constexpr int StartHeightOver = 32;

// Frames after which the game clock steps, and the days of one step,
// indexed by GameSpeed (0 unused). A threshold of 0 never steps.
struct TClockStep {
  std::uint16_t dueAt;
  std::uint8_t days;
};
constexpr TClockStep ClockSteps[] = {
    {0, 0},   // not started
    {3, 2},   // Ultra
    {9, 1},   // Muito rápido
    {26, 1},  // Rápido
    {45, 1},  // Normal
    {90, 1},  // Lento
    {0, 0},   // Parado
};
static_assert(std::size(ClockSteps) == 7);

// The map drawing leaves alone what lies past column and row 96 (at the
// largest scroll position, or when the map is smaller than the view); it is
// cleared here every frame, so nothing of an earlier frame stays there.
void ClearBeyondMap(TDirectDrawSurface& back, int viewX, int viewY) {
  const int size = TileSize;
  if (size <= 0) return;
  const int right = (LastPlayable - std::max(viewX, 0)) * size;
  const int bottom = (LastPlayable - std::max(viewY, 0)) * size;
  back.FillRect({right, 0, back.Width(), back.Height()}, BeyondMapPixel);
  back.FillRect({0, bottom, back.Width(), back.Height()}, BeyondMapPixel);
}

std::uint32_t ProcessMilliseconds() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return static_cast<std::uint32_t>(clock.elapsed());
}
}  // namespace

bool ModalInputOpen() {
  return QApplication::activePopupWidget() != nullptr || QApplication::activeModalWidget() != nullptr;
}

bool TFocusEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    event->ignore();
    return true;
  }
  return QLineEdit::event(event);
}

TForm2::TForm2(QWidget* parent) : QMdiSubWindow(parent) {
  setWindowTitle(QStringLiteral("Editor"));
  setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint);
  setMaximumSize(MapViewMaxWidth, MapViewMaxHeight);

  Client = new QWidget;
  setWidget(Client);
  Client->installEventFilter(this);

  Tela = new TDXDraw(Client);
  Tela->move(0, 0);
  Tela->AutoInitialize = true;
  Tela->AutoSize = true;
  Tela->Options = doAllowReboot | doAllowPalette256 | doCenter | doFlip | doDirectX7Mode |
                  doHardware | doSelectDriver;
  Tela->OnMouseMove = [this](TDXDraw&, int x, int y, Qt::KeyboardModifiers) { TelaMouseMove(x, y); };
  Tela->installEventFilter(this);

  // Both bars start at 0..100; the map drawing narrows them every frame.
  BarraHorizontal = new QScrollBar(Qt::Horizontal, Client);
  BarraHorizontal->setRange(0, 100);
  BarraHorizontal->setPageStep(5);
  BarraHorizontal->setFocusPolicy(Qt::NoFocus);
  BarraVertical = new QScrollBar(Qt::Vertical, Client);
  BarraVertical->setRange(0, 100);
  BarraVertical->setPageStep(5);
  BarraVertical->setFocusPolicy(Qt::NoFocus);
  QObject::connect(BarraHorizontal, &QScrollBar::valueChanged, this, [this] { BarraHorizontalChange(); });
  QObject::connect(BarraVertical, &QScrollBar::valueChanged, this, [this] { BarraVerticalChange(); });
  horizontalLink_ = std::make_unique<TScrollBarLink>(BarraHorizontal);
  verticalLink_ = std::make_unique<TScrollBarLink>(BarraVertical);

  Panel1 = new QFrame(Client);
  Panel1->resize(ScrollBarSize, ScrollBarSize);
  Panel1->setAutoFillBackground(true);

  Edit1 = new TFocusEdit(Client);
  Edit1->setGeometry(1, 96, 0, Edit1->sizeHint().height());
  Edit1->installEventFilter(this);  // [draft] Escape and the loss of focus cancel a draft

  DXTimer1 = new TDXTimer(this);
  DXTimer1->ActiveOnly = true;
  DXTimer1->SetInterval(FrameInterval);
  DXTimer1->OnTimer = [this](TDXTimer&, int lagCount) { DXTimer1Timer(lagCount); };
  DXTimer1->SetEnabled(true);

  Tecla = new TDXInput(this);
  Tecla->UseDirectInput = true;
  Tecla->ActiveOnly = false;
  Tecla->AssignMapViewKeys();
  Tecla->Keyboard.Enabled = true;
  Tecla->Keyboard.BindInputStates = true;
  Tecla->Mouse.Enabled = true;
  Tecla->Mouse.BindInputStates = false;
  Tecla->Joystick.Enabled = true;
  Tecla->Joystick.BindInputStates = true;
  Tecla->Joystick.ID = 0;
  Tecla->Joystick.AutoCenter = true;

  LargeMap = new TLargeMap(*this);
  Navigation = new TMouseNavigation(
      *Tela, [this](int steps, const QPoint& cursor) { ZoomAt(steps, cursor); },
      [this](int viewX, int viewY) { ScrollTo(viewX, viewY); });

  SetClientSize(DesignClientWidth, DesignClientHeight);
  FormCreate();
}

TForm2::~TForm2() = default;

// The client is what the subwindow's frame and caption leave inside it.
int TForm2::ClientWidth() const { return contentsRect().width(); }
int TForm2::ClientHeight() const { return contentsRect().height(); }

void TForm2::SetClientSize(int width, int height) {
  const QMargins frame = contentsMargins();
  resize(width + frame.left() + frame.right(), height + frame.top() + frame.bottom());
  if (layout()) layout()->activate();
}

void TForm2::FormCreate() {
  DrawRate = 0;
  CurrentTool = tlNone;
}

void TForm2::FormResize() {
  Tela->resize(ClientWidth() - SurfaceInset, ClientHeight() - SurfaceInset);
  Tela->RestoreSurfaces();
  LayOutControls();
}

// The bars and the corner panel hug the right and bottom edges.
void TForm2::LayOutControls() {
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  BarraVertical->setGeometry(cw - ScrollBarSize, 0, ScrollBarSize, ch - ScrollBarSize);
  BarraHorizontal->setGeometry(0, ch - ScrollBarSize, cw - ScrollBarSize, ScrollBarSize);
  Panel1->move(cw - ScrollBarSize, ch - ScrollBarSize);
}

void TForm2::PlaceInMainWindow(int mainClientWidth, int mainClientHeight) {
  SetClientSize(mainClientWidth, mainClientHeight + StartHeightOver);
  move(MapViewLeft, 0);
  LayOutControls();
  Tela->resize(ClientWidth() - SurfaceInset, ClientHeight() - SurfaceInset);
  Tela->StartDevice();
}

void TForm2::BarraHorizontalChange() { ViewX = BarraHorizontal->value(); }
void TForm2::BarraVerticalChange() { ViewY = BarraVertical->value(); }

void TForm2::TelaMouseMove(int x, int y) {
  MouseX = x;
  MouseY = y;
  FollowPointer(x, y);  // [drag]
}

void TForm2::DXTimer1Timer(int) {
  if (x() < 0) move(0, y());
  if (y() < 0) move(x(), 0);

  ++TickCount;
  AdvanceClock();

  if (!Tela->ReadyToDraw()) {
    dragFrom_.reset();  // [drag] this frame handled no tool
    return;
  }
  TDirectDrawSurface& back = *Tela->BackSurface();

  FrameStart = Milliseconds();
  const int viewX = ViewX, viewY = ViewY;  // the drawing may move the bars
  if (RanchMap && IMGChao)
    RanchMap->Draw(back, Tela->width(), Tela->height(), viewX, viewY, *IMGChao, *horizontalLink_,
                   *verticalLink_);
  if (RanchMap && IMGChao)
    figures_.Draw(back, EconomyOnShow ? EconomyOnShow() : nullptr, *RanchMap, *IMGChao, Tela->width(), Tela->height(),
                  viewX, viewY, TileSize, RanchDay(RanchMap->Record()));
  ClearBeyondMap(back, viewX, viewY);

  back.Canvas().TextOut(0, 0, std::to_string(DrawRate));
  back.Canvas().ReleaseCanvas();

  Tecla->Poll();
  FollowStroke();
  FollowZoom();
  // An open menu or dialog keeps its keys and clicks to itself.
  bool handled = false;
  if (!ModalInputOpen()) {
    ScrollByKeys();
    const QPoint cursor = CursorClientPos();
    handled = cursor.x() > 0 && cursor.x() < width() - ActiveAreaRight && cursor.y() > 0 &&
              cursor.y() < height() - ActiveAreaBottom;
    if (handled) HandleTool();
  }
  pressPending_ = false;
  EndToolFrame(handled);  // [drag] [draft] releases, the draft's tint

  Tela->PresentFrame();

  FrameEnd = Milliseconds();
  FrameTime = FrameEnd - FrameStart;
  // A rate above what the figure can hold shows as its largest value.
  if (FrameTime != 0) DrawRate = static_cast<std::uint8_t>(std::min<std::uint32_t>(1000 / FrameTime, 255));
}

void TForm2::AdvanceClock() {
  if (GameSpeed >= std::size(ClockSteps)) return;
  const TClockStep step = ClockSteps[GameSpeed];
  if (step.dueAt == 0 || TickCount < step.dueAt) return;
  TickCount = 0;
  if (!RanchMap) return;
  if (!OnDayPassed) {
    RanchMap->Tick(step.days);
    return;
  }
  // A day at a time is the same weather as the days in one go.
  for (int day = 0; day < step.days; ++day) {
    RanchMap->Tick(1);
    OnDayPassed();
  }
}

// A stroke runs from a press of the left button to the first frame that sees
// it up again, wherever the cursor is meanwhile. A press since the last frame
// starts a new stroke even when it is over already (a tap).
void TForm2::FollowStroke() {
  if (!Strokes) return;
  if (pressPending_)
    Strokes->Open();
  else if (!Tecla->Mouse.ButtonDown(0))
    Strokes->Close();
  else if (!Strokes->IsOpen())
    Strokes->Open();
}

// Asking the window system is a round trip; while the cursor lies over the
// game's windows, the last move they reported says the same.
QPoint TForm2::CursorClientPos() const {
  const std::optional<QPoint> known = Tecla->KnownCursorPos();
  return Client->mapFromGlobal(known ? *known : QCursor::pos());
}

// The button state is the whole application's: a press on the overview
// window or the palette lying over the map must not work the tool beneath.
bool TForm2::SurfaceUnderCursor() const {
  const QWidget* under = QApplication::widgetAt(Client->mapToGlobal(CursorClientPos()));
  return under != nullptr && (under == Tela || Tela->isAncestorOf(under));
}

std::uint32_t TForm2::Milliseconds() const { return ProcessMilliseconds(); }

void TForm2::PlaySound(int index) {
  if (!Audio || index < 0 || index >= Audio->Items.Count()) return;
  Audio->Items.Items(index).Play(false);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Client && event->type() == QEvent::Resize) FormResize();
  const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
  if (watched == Tela && press) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (mouse->button() == Qt::LeftButton) TelaMouseDown(at.x(), at.y());
    if (mouse->button() == Qt::RightButton) TelaRightClick();  // [draft]
  }
  // [drag] [draft] The pointer leaving the map, Escape, and the window
  // losing the focus.
  if (watched == Tela && event->type() == QEvent::Leave) trail_.Break();
  if (watched == Edit1 && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && drafting_) {
    CancelDraft();
    return true;
  }
  if ((watched == Edit1 && event->type() == QEvent::FocusOut) ||
      (watched == Tela && event->type() == QEvent::WindowDeactivate))
    CancelDraft();
  return QMdiSubWindow::eventFilter(watched, event);
}

// The view lives as long as the program; closing it only puts it aside.
void TForm2::closeEvent(QCloseEvent* event) {
  event->ignore();
  showMinimized();
}
