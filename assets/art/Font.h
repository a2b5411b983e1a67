#pragma once
// A 3 x 5 pixel font for numbers and labels on the contact sheet and glyphs.
#include <string>

#include "assets/art/Canvas.h"

namespace art {

// Draws text (digits, capital letters, a few signs) at scale; returns the width used.
int DrawText(TCanvas& c, int x, int y, const std::string& text, TColour colour, int scale = 1);
int TextWidth(const std::string& text, int scale = 1);

}  // namespace art
