// Input states: key table, merge rule, devices and the application-wide filter.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "present/DXInput.h"
#include "tests/present/PresentTestSupport.h"

namespace {

TInputStates States(std::initializer_list<TInputState> states) {
  TInputStates s;
  for (TInputState state : states) s.set(state);
  return s;
}

TEST(KeyTranslation, QtKeysBecomeVirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_K, false), 75);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Up, false), 38);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_8, true), 104);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_8, false), 56);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Plus, true), 107);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, true), 109);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, false), 189);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F2, false), 113);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Return, false), 13);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Enter, true), 13);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Space, false), 32);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Up, true), 38);  // keypad with Num Lock off
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_unknown, false), 0);
}

TEST(InputPoll, KeysOfTheMapViewTable) {
  TDXInput input;
  input.Keyboard.SetKeyHeld(75, true);  // K
  input.Keyboard.SetKeyHeld(38, true);  // up arrow: still one stUp
  input.Keyboard.SetKeyHeld(37, true);
  input.Keyboard.SetKeyHeld(102, true);  // keypad 6
  input.Keyboard.SetKeyHeld(32, true);
  input.Poll();
  EXPECT_EQ(input.CurrentStates, States({stUp, stLeft, stRight, stButton1}));
  EXPECT_EQ(input.Keyboard.Keys[75], 0x80);
  input.Keyboard.ClearKeys();
  input.Keyboard.SetKeyHeld(107, true);
  input.Keyboard.SetKeyHeld(109, true);
  input.Keyboard.SetKeyHeld(113, true);
  input.Keyboard.SetKeyHeld(13, true);
  input.Poll();
  EXPECT_EQ(input.CurrentStates, States({stButton31, stButton32, stButton9, stButton2}));
  input.Keyboard.Enabled = false;
  input.Poll();
  EXPECT_TRUE(input.CurrentStates.none());
}

TEST(InputPoll, AStateTakenAwayStaysAwayUntilPressedAgain) {
  TDXInput input;
  input.Keyboard.SetKeyHeld(75, true);
  input.Poll();
  EXPECT_TRUE(input.CurrentStates[stUp]);
  input.CurrentStates.reset(stUp);
  input.Poll();
  EXPECT_FALSE(input.CurrentStates[stUp]);
  input.Keyboard.SetKeyHeld(75, false);
  input.Poll();
  input.Keyboard.SetKeyHeld(75, true);
  input.Poll();
  EXPECT_TRUE(input.CurrentStates[stUp]);
  // A state the program added stays until the devices' view changes.
  input.CurrentStates.set(stButton5);
  input.Poll();
  EXPECT_TRUE(input.CurrentStates[stButton5]);
}

TEST(InputPoll, TheMouseGivesButtonsButNeverScrolls) {
  TDXInput input;
  input.Mouse.SetButtonHeld(0, true);
  input.Mouse.AddMotion(-5, 3, 0);
  input.Poll();
  EXPECT_FALSE(input.Mouse.ButtonDown(0));  // disabled until the view enables it
  input.Mouse.Enabled = true;
  input.Mouse.AddMotion(-5, 3, 0);
  input.Poll();
  EXPECT_TRUE(input.Mouse.ButtonDown(0));
  EXPECT_FALSE(input.Mouse.ButtonDown(-1));
  EXPECT_FALSE(input.Mouse.ButtonDown(32));
  EXPECT_EQ(input.Mouse.CurrentStates, States({stLeft, stDown, stButton1}));
  EXPECT_TRUE(input.CurrentStates.none());
  input.Poll();  // motion is per poll
  EXPECT_EQ(input.Mouse.X, 0);
  input.UseDirectInput = false;
  input.Poll();
  EXPECT_FALSE(input.Mouse.ButtonDown(0));
}

TEST(InputPoll, JoystickBeyondTheDeadZoneAndItsButtons) {
  TDXInput input;
  input.Joystick.SetAxes(-400, 0);  // inside the 50% dead zone
  input.Poll();
  EXPECT_TRUE(input.CurrentStates.none());
  input.Joystick.SetAxes(-600, 700);
  input.Joystick.SetButtonHeld(0, true);
  input.Joystick.SetButtonHeld(31, true);
  input.Poll();
  EXPECT_EQ(input.CurrentStates, States({stLeft, stDown, stButton1, stButton32}));
  input.Joystick.SetAxes(0, 0);
  input.Joystick.SetButtonHeld(0, false);
  input.Joystick.SetButtonHeld(31, false);
  input.Joystick.SetHatHeld(stUp, true);
  input.Poll();
  EXPECT_EQ(input.CurrentStates, States({stUp}));
}

struct FilteredInput : WithApp {
  FilteredInput() { widget.resize(50, 50); }
  void Key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint32 scan = 0,
           bool repeat = false) {
    QKeyEvent event(type, key, modifiers, scan, 0, 0, QString(), repeat);
    QCoreApplication::sendEvent(&widget, &event);
  }
  QWidget widget;
  TDXInput input;
};

TEST(InputFilter, KeyEventsAnywhereInTheApplicationHoldKeys) {
  FilteredInput f;
  f.Key(QEvent::KeyPress, Qt::Key_8, Qt::KeypadModifier);
  f.input.Poll();
  EXPECT_EQ(f.input.CurrentStates, States({stUp}));
  f.Key(QEvent::KeyRelease, Qt::Key_8, Qt::KeypadModifier, 0, true);  // auto-repeat: still held
  f.input.Poll();
  EXPECT_EQ(f.input.CurrentStates, States({stUp}));
  f.Key(QEvent::KeyRelease, Qt::Key_8, Qt::KeypadModifier);
  f.input.Poll();
  EXPECT_TRUE(f.input.CurrentStates.none());
}

TEST(InputFilter, AKeyIsReleasedUnderTheCodeItWasPressedWith) {
  FilteredInput f;
  f.Key(QEvent::KeyPress, Qt::Key_L, Qt::NoModifier, 46);
  f.Key(QEvent::KeyRelease, Qt::Key_unknown, Qt::ShiftModifier, 46);
  f.input.Poll();
  EXPECT_TRUE(f.input.CurrentStates.none());
}

TEST(InputFilter, LosingActivationReleasesEverything) {
  FilteredInput f;
  f.input.Mouse.Enabled = true;
  f.Key(QEvent::KeyPress, Qt::Key_Left);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&f.widget, &press);
  f.input.Poll();
  EXPECT_TRUE(f.input.CurrentStates[stLeft]);
  EXPECT_TRUE(f.input.Mouse.ButtonDown(0));
  QEvent deactivate(QEvent::ApplicationDeactivate);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &deactivate);
  f.input.Poll();
  EXPECT_TRUE(f.input.CurrentStates.none());
  EXPECT_FALSE(f.input.Mouse.ButtonDown(0));
}

// The cursor is known while it lies over one of the application's windows,
// from the moves they report; a widget's own moves (which may be missing
// when it does not track the mouse) do not count.
TEST(InputFilter, TheCursorIsKnownWhileOverTheApplicationsWindows) {
  FilteredInput f;
  QWindow window;
  EXPECT_FALSE(f.input.KnownCursorPos());
  const auto move = [&](QObject* target, QPoint global) {
    QMouseEvent event(QEvent::MouseMove, QPointF(1, 1), QPointF(global), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
  };
  move(&f.widget, {40, 50});
  EXPECT_FALSE(f.input.KnownCursorPos());
  move(&window, {40, 50});
  EXPECT_EQ(f.input.KnownCursorPos(), QPoint(40, 50));
  move(&window, {41, 52});
  EXPECT_EQ(f.input.KnownCursorPos(), QPoint(41, 52));

  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&window, &leave);
  EXPECT_FALSE(f.input.KnownCursorPos());
  QEnterEvent enter(QPointF(2, 3), QPointF(2, 3), QPointF(300, 200));
  QCoreApplication::sendEvent(&window, &enter);
  EXPECT_EQ(f.input.KnownCursorPos(), QPoint(300, 200));

  QEvent deactivate(QEvent::ApplicationDeactivate);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &deactivate);
  EXPECT_FALSE(f.input.KnownCursorPos());
}

}  // namespace
