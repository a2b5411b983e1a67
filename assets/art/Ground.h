#pragma once
// Single 24 x 24 tiles of the ground image; MakeChao puts them in place.
#include "assets/art/Canvas.h"

namespace art {

// The day's bare ground: dry (pattern 0), damp (5) and soaked (10).
enum class TWetness { Dry, Wet, VeryWet };

// Bare ground; variant 0 is the plain one, others add flowers, pebbles, clover.
TCanvas GroundTile(TWetness wetness, int variant);
// The dry grass colour at a tile pixel: every feature tile stands on it.
TColour Grass(int x, int y);
// A layer (with shadow marks) put down on plain ground of the given wetness.
TCanvas OnGround(const TCanvas& layer, TWetness ground);

// Water joined to the neighbours of `waterMask`; `corners` (CornerNW ...)
// turns the bank round those corners where only the diagonal tile is land.
TCanvas WaterTile(int waterMask, int frame, int corners = 0);

// Every feature stands on plain ground of the given wetness: dry for the
// stored pictures, damp and soaked for the detailed terrain's.
TCanvas RoadTile(int arms, bool paved, TWetness ground = TWetness::Dry);
TCanvas DeckTile();
// A bridge's deck alone, see-through (magenta) beside it, laid over water.
TCanvas BridgeDeck(bool northSouth);
// A road across a duct that passes beneath it, the duct showing on both sides.
TCanvas CrossingTile(bool roadNorthSouth, bool paved, TWetness ground);
TCanvas FenceTile(int arms, TWetness ground = TWetness::Dry);
TCanvas GateTile(bool northSouth, TWetness ground = TWetness::Dry);
TCanvas DuctTile(int arms, TWetness ground = TWetness::Dry);
TCanvas DuctFittingTile(bool northSouth, TWetness ground = TWetness::Dry);
TCanvas DuctClampTile(bool northSouth, TWetness ground = TWetness::Dry);
TCanvas SceneryTile(int k, TWetness ground = TWetness::Dry);
TCanvas TreeTile(int k, TWetness ground = TWetness::Dry);
TCanvas ClearingTile(int frame);

}  // namespace art
