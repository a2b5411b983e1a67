#pragma once
// Program entry steps 2 to 4: the main window (which loads the assets), the
// map view and the palette, in this order.
#include <functional>
#include <memory>
#include <string>

#include "shell/Principal.h"

// Null when the assets could not be loaded; the reason has then been shown
// in a message box and written to stderr, and nothing else was made.
std::unique_ptr<TForm1> CreateGameWindows();

// Shows the main window maximised, with or without a window manager to
// maximise it; restored, it takes its design size (TForm1::changeEvent).
void ShowMainWindow(TForm1& form);

// Whether no D-Bus session bus can be reached: no address in the
// environment, no bus socket in the runtime folder, and no dbus-launch to
// start one. The queries are passed in so that tests need not touch the
// real environment.
bool NoSessionBusCanExist(const std::function<const char*(const char*)>& environment,
                          const std::function<bool(const std::string&)>& exists);

// Without a session bus, the toolkit (asking for a global menu bar) and the
// sound library each try to launch one at start-up, and each try costs a
// process started and failed while the window waits; an address that is
// not a transport makes them give up at once. Call before anything uses
// D-Bus; with a session bus, or a way to launch one, it changes nothing.
void SkipSessionBusLaunchWhenNoneCanExist();
