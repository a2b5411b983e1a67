#pragma once
// Program entry steps 2 to 4: the main window (which loads the assets), the
// map view and the palette, in this order.
#include <memory>

#include "shell/Principal.h"

// Null when the assets could not be loaded; the reason has then been shown
// in a message box and written to stderr, and nothing else was made.
std::unique_ptr<TForm1> CreateGameWindows();
