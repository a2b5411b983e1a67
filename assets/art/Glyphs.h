#pragma once
// The button glyphs, window icon and overview picture, compiled into the
// program as resources ":/glyphs/<ButtonName>.png", ":/glyphs/icon.png" and
// ":/glyphs/overview.png". Call once before the first window is built.
void InitGameGlyphs();
