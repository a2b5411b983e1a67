#pragma once
// The five pictures of the asset package, made in memory.
#include "assets/art/Canvas.h"

namespace art {

TCanvas MakeChao();     // ground, water, scenery, trees, roads, fences, ducts, clearing, bridge
TCanvas MakeCasas();    // the 2 x 2 farmhouse: top-left, top-right, bottom-left, bottom-right
TCanvas MakeEquip();    // equipment
TCanvas MakeConstru();  // constructions
TCanvas MakeStatus();   // weather icons: sunny, partly cloudy, cloudy, rain, heavy rain

// Pattern i of a picture cut into 24 x 24 squares row by row.
TCanvas Pattern(const TCanvas& sheet, int i);

}  // namespace art
