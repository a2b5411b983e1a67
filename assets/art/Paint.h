#pragma once
// Painting steps shared by the tile, picture and glyph makers: ordered
// dithering over a ramp, lit spheres and blobs, shadow layers.
#include "assets/art/Canvas.h"
#include "assets/art/Palette.h"

namespace art {

// Marks a pixel of a layer as "in shadow": it darkens what lies below.
constexpr TColour ShadowMark = 0x01000000u;

// 4 x 4 ordered dither threshold in 0..1.
float Bayer(int x, int y);
// Picks a shade of the ramp for a brightness 0..1, dithered at the pixel.
TColour DitherShade(TMaterial m, float brightness, int x, int y, int lo = 0, int hi = 5);
// The same colour so many steps darker (negative: lighter) within its ramp;
// colours outside the ramps stay as they are.
TColour Darken(TColour c, int steps);
// Light falling from the top left on a sphere's surface point (nx, ny), both -1..1.
float SphereLight(float nx, float ny);

// Puts a layer over a base: opaque pixels replace, shadow marks darken, clear ones keep.
void Compose(TCanvas& base, const TCanvas& layer, int dx = 0, int dy = 0);
// Mirrors a picture across its main diagonal; top-left light stays top-left.
TCanvas Transposed(const TCanvas& c);

// A lit ball of the ramp, outlined by its darkest shade when outline is set.
void LitDisc(TCanvas& c, float cx, float cy, float r, TMaterial m, int lo, int hi, bool outline);
// A disc of shadow marks, usually set down and right of the thing casting it.
void ShadowDisc(TCanvas& c, float cx, float cy, float rx, float ry);
void FillDisc(TCanvas& c, float cx, float cy, float r, TColour colour);
void Line(TCanvas& c, int x0, int y0, int x1, int y1, TColour colour);

}  // namespace art
