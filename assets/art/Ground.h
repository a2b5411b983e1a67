#pragma once
// Single 24 x 24 tiles of the ground image; MakeChao puts them in place.
#include "assets/art/Canvas.h"

namespace art {

enum class TWetness { Dry, Wet, VeryWet };

// Bare ground; variant 0 is the plain one, others add flowers, pebbles, clover.
TCanvas GroundTile(TWetness wetness, int variant);
// The dry grass colour at a tile pixel: every feature tile stands on it.
TColour Grass(int x, int y);

TCanvas WaterTile(int waterMask, int frame);
TCanvas RoadTile(int arms, bool paved);
TCanvas DeckTile();
TCanvas FenceTile(int arms);
TCanvas GateTile(bool northSouth);
TCanvas DuctTile(int arms);
TCanvas DuctFittingTile(bool northSouth);
TCanvas DuctClampTile(bool northSouth);
TCanvas SceneryTile(int k);
TCanvas TreeTile(int k);
TCanvas ClearingTile(int frame);

}  // namespace art
