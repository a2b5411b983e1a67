#include "present/DXInput.h"

#include <SDL.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

namespace {

// Virtual-key codes of the Qt keys that are neither letters, digits nor
// function keys; indexed by nothing, searched by Qt key.
struct TKeyCode {
  int Qt;
  std::uint8_t Virtual;
};
constexpr std::array<TKeyCode, 40> KeyCodes = {{
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},           {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},       {Qt::Key_Return, 13},       {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},       {Qt::Key_Control, 17},      {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},       {Qt::Key_CapsLock, 20},     {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},       {Qt::Key_PageUp, 33},       {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},         {Qt::Key_Home, 36},         {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},          {Qt::Key_Right, 39},        {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},       {Qt::Key_Insert, 45},       {Qt::Key_Delete, 46},
    {Qt::Key_Meta, 91},        {Qt::Key_Menu, 93},         {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145}, {Qt::Key_Semicolon, 186},   {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},       {Qt::Key_Comma, 188},       {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},     {Qt::Key_Slash, 191},       {Qt::Key_QuoteLeft, 192},
    {Qt::Key_BracketLeft, 219}, {Qt::Key_Backslash, 220},  {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222},
}};
static_assert(KeyCodes.size() == 40);

// The same for keys of the numeric keypad, where they differ from above.
constexpr std::array<TKeyCode, 7> KeypadCodes = {{
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109}, {Qt::Key_Period, 110},
    {Qt::Key_Comma, 110},    {Qt::Key_Slash, 111}, {Qt::Key_Enter, 13},
}};
static_assert(KeypadCodes.size() == 7);

// The map view's key table: the keys of each state that has any, by state.
struct TKeyAssign {
  TInputState State;
  std::array<std::int32_t, 3> Keys;
};
constexpr std::array<TKeyAssign, 9> MapViewKeys = {{
    {stUp, {75, 38, 104}},    // K, up arrow, keypad 8
    {stDown, {74, 40, 98}},   // J, down arrow, keypad 2
    {stLeft, {72, 37, 100}},  // H, left arrow, keypad 4
    {stRight, {76, 39, 102}}, // L, right arrow, keypad 6
    {stButton1, {90, 32, 0}}, // Z, space
    {stButton2, {88, 13, 0}}, // X, enter
    {stButton9, {113, 0, 0}}, // F2
    {stButton31, {107, 0, 0}},// keypad +
    {stButton32, {109, 0, 0}},// keypad -
}};
static_assert(MapViewKeys.size() == 9);

constexpr int MaxMouseButtons = 4;
constexpr int ControllerPollMs = 16;
constexpr int SdlAxisMax = 32767;

int MouseButtonIndex(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 0;
    case Qt::RightButton: return 1;
    case Qt::MiddleButton: return 2;
    case Qt::XButton1: return 3;
    default: return -1;
  }
}

}  // namespace

int VirtualKeyFromQt(int qtKey, bool keypad) {
  if (keypad) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
    for (const TKeyCode& code : KeypadCodes)
      if (code.Qt == qtKey) return code.Virtual;
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
  for (const TKeyCode& code : KeyCodes)
    if (code.Qt == qtKey) return code.Virtual;
  return 0;
}

// ---------------------------------------------------------------------------
// TKeyboard

TKeyboard::TKeyboard() = default;

void TKeyboard::SetKeyHeld(int virtualKey, bool held) {
  if (virtualKey <= 0 || virtualKey > 255) return;
  live_[virtualKey] = held ? 0x80 : 0;
}

void TKeyboard::ClearKeys() { live_.fill(0); }

void TKeyboard::Update(bool foreground) {
  Keys.fill(0);
  CurrentStates.reset();
  if (!Enabled || !foreground) return;
  Keys = live_;
  for (std::size_t state = 0; state < Assigns.size(); ++state) {
    for (std::int32_t key : Assigns[state]) {
      if (key >= 1 && key <= 255 && (Keys[key] & 0x80) != 0) {
        CurrentStates.set(state);
        break;
      }
    }
  }
}

// ---------------------------------------------------------------------------
// TMouse

void TMouse::SetButtonHeld(int button, bool held) {
  if (button >= 0 && button < MaxMouseButtons) live_[button] = held;
}

void TMouse::AddMotion(int dx, int dy, int dz) {
  dx_ += dx;
  dy_ += dy;
  dz_ += dz;
}

void TMouse::Update(bool foreground) {
  X = Y = Z = 0;
  Buttons.fill(false);
  CurrentStates.reset();
  const int dx = dx_, dy = dy_, dz = dz_;
  dx_ = dy_ = dz_ = 0;
  if (!Enabled || !foreground) return;
  X = dx;
  Y = dy;
  Z = dz;
  Buttons = live_;
  if (X < 0) CurrentStates.set(stLeft);
  if (X > 0) CurrentStates.set(stRight);
  if (Y < 0) CurrentStates.set(stUp);
  if (Y > 0) CurrentStates.set(stDown);
  for (int b = 0; b < 3; ++b)
    if (Buttons[b]) CurrentStates.set(stButton1 + b);
}

// ---------------------------------------------------------------------------
// TJoystick

struct TJoystick::Impl {
  int x = 0, y = 0;  // in -Range .. Range
  std::array<bool, 32> buttons{};
  std::array<bool, 4> hat{};  // by direction state stUp .. stRight
  SDL_GameController* controller = nullptr;
  bool subsystem = false;
  QTimer poll;

  ~Impl() { Close(); }
  void Close() {
    poll.stop();
    if (controller != nullptr) SDL_GameControllerClose(controller);
    controller = nullptr;
    if (subsystem) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    subsystem = false;
  }
};

TJoystick::TJoystick() : impl_(std::make_unique<Impl>()) {
  QObject::connect(&impl_->poll, &QTimer::timeout, &impl_->poll, [this] {
    SDL_GameControllerUpdate();
    SDL_GameController* pad = impl_->controller;
    if (pad == nullptr || !SDL_GameControllerGetAttached(pad)) {
      impl_->Close();
      impl_->x = impl_->y = 0;
      impl_->buttons.fill(false);
      impl_->hat.fill(false);
      return;
    }
    SetAxes(static_cast<int>(static_cast<long long>(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX)) *
                             RangeX / SdlAxisMax),
            static_cast<int>(static_cast<long long>(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY)) *
                             RangeY / SdlAxisMax));
    SetHatHeld(stUp, SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP) != 0);
    SetHatHeld(stDown, SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN) != 0);
    SetHatHeld(stLeft, SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT) != 0);
    SetHatHeld(stRight, SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) != 0);
    // The other buttons in SDL's order become buttons 1, 2, ...
    int index = 0;
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) {
      if (b >= SDL_CONTROLLER_BUTTON_DPAD_UP && b <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT) continue;
      SetButtonHeld(index++, SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(b)) != 0);
    }
  });
}

TJoystick::~TJoystick() = default;

bool TJoystick::OpenController() {
  if (impl_->controller != nullptr) return true;
  if (!impl_->subsystem) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // There is no SDL window to focus: read controllers regardless.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
    impl_->subsystem = true;
  }
  SDL_JoystickUpdate();
  int seen = 0;
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i)) continue;
    if (seen++ != ID) continue;
    impl_->controller = SDL_GameControllerOpen(i);
    break;
  }
  if (impl_->controller == nullptr) {
    impl_->Close();
    return false;
  }
  if (QCoreApplication::instance() != nullptr) impl_->poll.start(ControllerPollMs);
  return true;
}

bool TJoystick::ControllerOpen() const { return impl_->controller != nullptr; }

void TJoystick::SetAxes(int x, int y) {
  impl_->x = x;
  impl_->y = y;
}

void TJoystick::SetButtonHeld(int button, bool held) {
  if (button >= 0 && button < static_cast<int>(impl_->buttons.size())) impl_->buttons[button] = held;
}

void TJoystick::SetHatHeld(TInputState direction, bool held) {
  if (direction <= stRight) impl_->hat[direction] = held;
}

void TJoystick::Update(bool foreground) {
  CurrentStates.reset();
  if (!Enabled || !foreground) return;
  const long long deadX = static_cast<long long>(RangeX) * DeadZoneX / 100;
  const long long deadY = static_cast<long long>(RangeY) * DeadZoneY / 100;
  if (impl_->x < -deadX || impl_->hat[stLeft]) CurrentStates.set(stLeft);
  if (impl_->x > deadX || impl_->hat[stRight]) CurrentStates.set(stRight);
  if (impl_->y < -deadY || impl_->hat[stUp]) CurrentStates.set(stUp);
  if (impl_->y > deadY || impl_->hat[stDown]) CurrentStates.set(stDown);
  for (std::size_t b = 0; b < impl_->buttons.size(); ++b)
    if (impl_->buttons[b]) CurrentStates.set(stButton1 + b);
}

// ---------------------------------------------------------------------------
// TDXInput

TDXInput::TDXInput(QObject* owner) : QObject(owner) {
  AssignMapViewKeys();
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
  Joystick.OpenController();
}

TDXInput::~TDXInput() = default;

void TDXInput::AssignMapViewKeys() {
  Keyboard.Assigns = {};
  for (const TKeyAssign& row : MapViewKeys) Keyboard.Assigns[row.State] = row.Keys;
}

bool TDXInput::Foreground() const {
  if (const auto* widget = qobject_cast<const QWidget*>(parent())) return widget->window()->isActiveWindow();
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr ||
         QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void TDXInput::Poll() {
  const bool foreground = !ActiveOnly || Foreground();
  TInputStates merged;
  Keyboard.Update(foreground);
  if (Keyboard.BindInputStates) merged |= Keyboard.CurrentStates;
  Mouse.Update(foreground && UseDirectInput);
  if (Mouse.BindInputStates) merged |= Mouse.CurrentStates;
  Joystick.Update(foreground);
  if (Joystick.BindInputStates) merged |= Joystick.CurrentStates;
  // Only states whose device view changed since the last poll are touched,
  // so a state the program took away stays away until pressed again.
  const TInputStates changed = merged ^ previous_;
  CurrentStates = (CurrentStates & ~changed) | (merged & changed);
  previous_ = merged;
}

void TDXInput::ReleaseAll() {
  Keyboard.ClearKeys();
  pressedByScanCode_.fill(0);
  for (int b = 0; b < MaxMouseButtons; ++b) Mouse.SetButtonHeld(b, false);
  Joystick.SetAxes(0, 0);
}

void TDXInput::KeyEvent(QEvent* event, bool pressed) {
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->isAutoRepeat()) return;
  const quint32 scan = key->nativeScanCode();
  const bool tracked = scan != 0 && scan < pressedByScanCode_.size();
  int code = VirtualKeyFromQt(key->key(), (key->modifiers() & Qt::KeypadModifier) != 0);
  if (!pressed && tracked && pressedByScanCode_[scan] != 0) code = pressedByScanCode_[scan];
  if (tracked) pressedByScanCode_[scan] = pressed ? code : 0;
  Keyboard.SetKeyHeld(code, pressed);
}

std::optional<QPoint> TDXInput::KnownCursorPos() const {
  if (!cursorKnown_) return std::nullopt;
  return cursor_;
}

bool TDXInput::eventFilter(QObject* watched, QEvent* event) {
  // Windows (not widgets) see every move of the cursor over them, and learn
  // when it comes in and goes out.
  if (watched->isWindowType()) {
    switch (event->type()) {
      case QEvent::MouseMove:
        cursor_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        cursorKnown_ = true;
        break;
      case QEvent::Enter:
        cursor_ = static_cast<QEnterEvent*>(event)->globalPosition().toPoint();
        cursorKnown_ = true;
        break;
      case QEvent::Leave:
        cursorKnown_ = false;
        break;
      default:
        break;
    }
  }
  switch (event->type()) {
    case QEvent::KeyPress:
      KeyEvent(event, true);
      break;
    case QEvent::KeyRelease:
      KeyEvent(event, false);
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
      if (watched->isWidgetType()) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        Mouse.SetButtonHeld(MouseButtonIndex(mouse->button()), event->type() != QEvent::MouseButtonRelease);
      }
      break;
    case QEvent::MouseMove:
      if (watched->isWidgetType()) {
        // Events that travel up to parent widgets repeat the same global
        // position, so they add no motion twice.
        const QPoint p = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (havePosition_) Mouse.AddMotion(p.x() - lastX_, p.y() - lastY_, 0);
        lastX_ = p.x();
        lastY_ = p.y();
        havePosition_ = true;
      }
      break;
    case QEvent::Wheel:
      if (watched->isWidgetType() && event->spontaneous())
        Mouse.AddMotion(0, 0, static_cast<QWheelEvent*>(event)->angleDelta().y());
      break;
    case QEvent::ApplicationDeactivate:
      ReleaseAll();
      cursorKnown_ = false;
      break;
    case QEvent::ApplicationStateChange:
      if (static_cast<QApplicationStateChangeEvent*>(event)->applicationState() != Qt::ApplicationActive) {
        ReleaseAll();
        cursorKnown_ = false;
      }
      break;
    case QEvent::ApplicationActivate:
      if (!Joystick.ControllerOpen()) Joystick.OpenController();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}
