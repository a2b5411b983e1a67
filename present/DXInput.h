#pragma once
// Keyboard, mouse and game controller folded into 36 abstract input states,
// polled once a frame.
#include <QObject>
#include <QPoint>
#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>

enum TInputState : std::uint8_t {
  stUp = 0, stDown = 1, stLeft = 2, stRight = 3,
  stButton1 = 4, stButton2, stButton3, stButton4, stButton5, stButton6, stButton7, stButton8,
  stButton9, stButton10, stButton11, stButton12, stButton13, stButton14, stButton15, stButton16,
  stButton17, stButton18, stButton19, stButton20, stButton21, stButton22, stButton23, stButton24,
  stButton25, stButton26, stButton27, stButton28, stButton29, stButton30, stButton31,
  stButton32 = 35,
};
using TInputStates = std::bitset<36>;

class TCustomInput {
 public:
  virtual ~TCustomInput() = default;
  bool Enabled = true;
  bool BindInputStates = true;
  TInputStates CurrentStates;
  bool ButtonDown(int i) const { return i >= 0 && i <= 31 && CurrentStates[stButton1 + i]; }
  virtual void Update(bool foreground) = 0;
};

class TKeyboard : public TCustomInput {
 public:
  TKeyboard();
  std::array<std::uint8_t, 256> Keys{};                  // bit 7 set: held
  std::array<std::array<std::int32_t, 3>, 36> Assigns{};  // virtual-key codes, 0 = none
  void SetKeyHeld(int virtualKey, bool held);             // fed by the event filter
  void ClearKeys();
  void Update(bool foreground) override;

 private:
  std::array<std::uint8_t, 256> live_{};
};

class TMouse : public TCustomInput {
 public:
  TMouse() { Enabled = false; BindInputStates = false; }
  int X = 0, Y = 0, Z = 0;  // motion since the previous poll
  std::array<bool, 4> Buttons{};
  void SetButtonHeld(int button, bool held);
  void AddMotion(int dx, int dy, int dz);
  void Update(bool foreground) override;

 private:
  std::array<bool, 4> live_{};
  int dx_ = 0, dy_ = 0, dz_ = 0;
};

class TJoystick : public TCustomInput {
 public:
  TJoystick();
  ~TJoystick() override;
  int DeadZoneX = 50, DeadZoneY = 50, DeadZoneZ = 50;  // percent of the range
  int RangeX = 1000, RangeY = 1000, RangeZ = 1000;
  int ID = 0;
  bool AutoCenter = true;
  void Update(bool foreground) override;
  // Feeds a state directly (tests, or a controller polled elsewhere); axes
  // run from -RangeX .. RangeX and -RangeY .. RangeY.
  void SetAxes(int x, int y);
  void SetButtonHeld(int button, bool held);
  void SetHatHeld(TInputState direction, bool held);
  // Opens the first game controller, if one is connected, and polls it from
  // a timer while it stays connected. True when one is open.
  bool OpenController();
  bool ControllerOpen() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Virtual-key code for a Qt key (0 when the key has none).
int VirtualKeyFromQt(int qtKey, bool keypad);

class TDXInput : public QObject {
 public:
  explicit TDXInput(QObject* owner = nullptr);
  ~TDXInput() override;
  TKeyboard Keyboard;
  TMouse Mouse;
  TJoystick Joystick;
  bool ActiveOnly = false;
  bool UseDirectInput = true;
  TInputStates CurrentStates;
  void Poll();
  // The cursor's screen position, while it lies over one of the
  // application's windows: the window system then reports every move, so
  // the last one reported is where it is. Empty when it lies elsewhere, or
  // nothing has been reported yet; only the window system knows then.
  std::optional<QPoint> KnownCursorPos() const;
  // Installs the map view's key table on the keyboard.
  void AssignMapViewKeys();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Foreground() const;
  void KeyEvent(QEvent* event, bool pressed);
  void ReleaseAll();
  TInputStates previous_;
  // Key released under the code it was pressed with, even if a modifier
  // changed in between (keyed by the native scan code).
  std::array<std::int32_t, 512> pressedByScanCode_{};
  int lastX_ = 0, lastY_ = 0;
  bool havePosition_ = false;
  QPoint cursor_;
  bool cursorKnown_ = false;
};
