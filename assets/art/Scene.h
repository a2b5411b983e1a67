#pragma once
// Small hand-laid maps, joined by the same tables the game uses, for looking
// at the tiles as the player will see them.
#include <string>
#include <vector>

#include "assets/art/Canvas.h"

namespace art {

// One character per tile: . ground, d dirt road, p pavement, b bridge,
// x crossing, f fence, g gate, u duct, v duct fitting, a clamped duct,
// w water, h house (2 x 2), t tree, s scenery, c clearing dust.
using TSceneMap = std::vector<std::string>;

// The roads, water and bridges sample, and the fences, ducts and house sample.
TSceneMap RoadsAndWater();
TSceneMap FencesAndDucts();

// Draws a map with tiles of the given size (nearest-pixel scaling).
TCanvas RenderScene(const TSceneMap& map, const TCanvas& chao, const TCanvas& casas, int tileSize);
// Pattern numbers of the ground image a map uses.
std::vector<int> ScenePatterns(const TSceneMap& map);

}  // namespace art
