#pragma once
// The ranch economy's pictures, each on a clear 24 x 24 square: troughs,
// planted grass, cattle figures and the shadows the game lays beneath them.
#include "assets/art/Canvas.h"
#include "assets/art/Ground.h"
#include "view/RanchPictures.h"

namespace art {

TCanvas WaterTrough();
TCanvas FeedTrough();
// A trough's shadow, cast down and to the right.
TCanvas TroughShadow(const TCanvas& trough);
// Sown rows of young grass over bare ground of a wetness.
TCanvas PlantedGrass(TWetness ground);
TCanvas CattleFigure(TCoat coat, TCattlePose pose, TFacing facing);
TCanvas CattleShadowPicture(TCattlePose pose, TFacing facing);

// Puts them in the ground image at their numbers; everything else of their
// rows is the colour key.
void PutRanchPictures(TCanvas& sheet, int columns);

}  // namespace art
