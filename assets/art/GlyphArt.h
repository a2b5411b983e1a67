#pragma once
// Button glyphs, the window icon and the overview window's picture, drawn in
// the palette of the tiles on a clear background.
#include <string_view>

#include "assets/art/Canvas.h"
#include "assets/art/GlyphNames.h"

namespace art {

// The glyph of a toolbar (28 x 28) or palette (24 x 24) button, the economy's
// palette buttons included; empty for an unknown name.
TCanvas MakeGlyph(std::string_view button);
// The game's icon, size x size (16..1024; empty otherwise): a ranch badge of
// sky, sun, a green hill with the farmhouse and a fence.
TCanvas MakeIcon(int size = IconSize);
TCanvas MakeOverview();  // 320 x 240: light parchment in a wooden frame

}  // namespace art
