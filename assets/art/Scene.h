#pragma once
// Small hand-laid maps, joined by the same tables the game uses, for looking
// at the tiles as the player will see them.
#include <cstdint>
#include <string>
#include <vector>

#include "assets/art/Canvas.h"
#include "map/GroundWetness.h"

namespace art {

// One character per tile: . ground, d dirt road, p pavement, b bridge,
// x crossing, f fence, g gate, u duct, v duct fitting, a clamped duct,
// w water, h house (2 x 2), t tree, s scenery, c clearing dust.
using TSceneMap = std::vector<std::string>;

// The roads, water and bridges sample, and the fences, ducts and house sample.
TSceneMap RoadsAndWater();
TSceneMap FencesAndDucts();
// Bridges both ways over a river that bends and steps diagonally, and
// crossings of dirt and paved roads over ducts, both ways.
TSceneMap BridgesAndBends();
// A stretch of ranch laid out the way a new game does it: a fenced homestead
// with the house, scattered trees and scenery, and a winding river.
TSceneMap RanchSample(int width, int height);

// Draws a map with tiles of the given size (nearest-pixel scaling) as the
// game does: bare ground is the day's ground pattern for `ground`, and with
// `detailed` the detailed terrain's pictures stand in for the stored ones.
TCanvas RenderScene(const TSceneMap& map, const TCanvas& chao, const TCanvas& casas, int tileSize,
                    TGroundWetness ground = TGroundWetness::Dry, bool detailed = false);
// A pasture as the game draws it with the ranch economy on: the scene's
// letters, and W water trough, F feed trough, P planted grass over bare
// ground; a herd of `head` spread over the walkable tiles joined to (startX,
// startY) as on game day `day`.
TCanvas RenderRanchScene(const TSceneMap& map, const TCanvas& chao, const TCanvas& casas, int tileSize,
                         TGroundWetness ground, int startX, int startY, std::uint32_t head, int day);
// A fenced pasture with a gate, troughs, planted rows and a few trees.
TSceneMap PastureSample();

// Pattern numbers of the ground image a map uses.
std::vector<int> ScenePatterns(const TSceneMap& map);

}  // namespace art
