#pragma once
// Zoom and scrolling of the map view, stated once. The zoom is a step in the
// table ZoomSizes[FirstZoom..LastZoom]; the scroll origin is the position of
// the view's two bars, which ViewX and ViewY follow. Every caller that zooms
// or scrolls (palette, wheel, minimap, start-up, keys, panning) goes through
// these entries, each keeping its own rule.

// The zoom table's steps, and the step a run starts at.
inline constexpr int FirstZoom = 1;
inline constexpr int LastZoom = 5;
inline constexpr int StartZoom = 3;
// Pixels a tile at the start step; the other steps are scaled from it.
inline constexpr int BaseTileSize = 24;

// Fills ZoomSizes from the base size (12, 16, 24, 36, 48), puts the zoom on
// its start step and TileSize on its size.
void BuildZoomTable();

// Whether ZoomIndex names a step of the table.
bool ZoomStepValid();

// The palette's zoom: one step in (positive) or out (negative), stopping at
// the table's ends. Only the step changes: the scroll stays where it is, and
// the view takes the new size at its next frame.
void StepZoom(int steps);

// The scroll position (in tiles) that shows tile `tile` (1-based) at `pixel`
// pixels from the view's edge, at `tileSize` pixels a tile.
int ScrollKeeping(int tile, int pixel, int tileSize);

// The scroll position (in tiles) that puts the middle of tile `tile`
// (1..96) in the middle of `viewPixels` pixels of view at `tileSize` pixels a
// tile. The scroll bars keep it within their limits.
int CentredScroll(int tile, int viewPixels, int tileSize);

// The scroll position at which tile `start` (the house's column or row)
// stands third in the view; 0 when it lies in the first three.
int StartScroll(int start);
