// zolvorn_scene: writes a saved game for measuring the idle game with and
// without water in view, wherever the view stands.
//   zolvorn_scene dry|water|flooded|ranch FILE
// dry: a generated ranch whose water is all bare ground; water: the ranch
// with its river, and a canal of open water every 20 rows and 25 columns,
// so any view shows some; flooded: the ranch with all bare ground turned to
// open water, the most a frame can animate; ranch: the dry ranch fenced
// into pastures of 9 x 9 tiles, each with a gate, a pond and a herd
// of 40 head, so any view shows cattle, with its economy in the companion
// file beside FILE.
#include <cstdio>
#include <string>
#include <string_view>

#include "economy/EcoFile.h"
#include "economy/Economy.h"
#include "map/Mapa.h"
#include "map/MapaCodes.h"

namespace {
constexpr int PastureStep = 12;  // a pasture's fence box, 11 tiles, and a lane

// Fences a box of every PastureStep tiles with a gate, then starts the
// economy on it and stocks each pasture; false when the economy refused.
bool FenceAndStock(TMapa& map, const std::string& companion) {
  for (int x0 = 2; x0 + 10 <= 95; x0 += PastureStep)
    for (int y0 = 2; y0 + 10 <= 95; y0 += PastureStep) {
      // Inside, trees and scenery stay; whatever would cut the pasture goes.
      for (int x = x0 + 1; x < x0 + 10; ++x)
        for (int y = y0 + 1; y < y0 + 10; ++y) {
          TTile& tile = map.Record().tiles[x][y];
          if (tile.kind != tkTree && tile.kind != tkScenery) tile = TTile{};
        }
      for (int i = 0; i <= 10; ++i)
        for (const auto& [x, y] : {std::pair{x0 + i, y0}, {x0 + i, y0 + 10}, {x0, y0 + i}, {x0 + 10, y0 + i}}) {
          TTile& tile = map.Record().tiles[x][y];
          tile.kind = tkEmpty;
          tile.image = 0;
          map.PlaceLinear(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), BaseFence, TPlaceMode::Place);
        }
      // A pond in a corner waters the pasture; a lone pond does not shimmer.
      map.Record().tiles[x0 + 2][y0 + 2] = TTile{0, WaterJoinImage[0], tkWater};
      map.PlaceFitting(static_cast<std::uint8_t>(x0 + 5), static_cast<std::uint8_t>(y0 + 10), FittingGate);
    }
  map.Record().funds = 5000000;
  TEconomy eco;
  eco.Start(map, 1);
  for (int x0 = 2; x0 + 10 <= 95; x0 += PastureStep)
    for (int y0 = 2; y0 + 10 <= 95; y0 += PastureStep) {
      const TEcoResult bought = eco.Buy(map, x0 + 5, y0 + 5, 40);
      if (bought != TEcoResult::Done) {
        std::fprintf(stderr, "zolvorn_scene: the pasture at %d,%d was refused: %s\n", x0, y0,
                     std::string(EcoResultText(bought)).c_str());
        return false;
      }
    }
  // A loan keeps the goal unmet, so no message box takes the focus from
  // the map while the idle game is measured.
  if (eco.Borrow(map, 5000) != TEcoResult::Done) {
    std::fprintf(stderr, "zolvorn_scene: the bank refused\n");
    return false;
  }
  if (const auto error = WriteCompanionFile(companion, eco.Save(map))) {
    std::fprintf(stderr, "zolvorn_scene: %s\n", error->c_str());
    return false;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  const std::string_view scene = argc == 3 ? argv[1] : "";
  if (scene != "dry" && scene != "water" && scene != "flooded" && scene != "ranch") {
    std::fprintf(stderr, "usage: zolvorn_scene dry|water|flooded|ranch FILE\n");
    return 2;
  }
  RandomSeed(1);
  TMapa map;
  map.Generate();
  for (int x = 1; x <= 96; ++x)
    for (int y = 1; y <= 96; ++y) {
      TTile& tile = map.Record().tiles[x][y];
      const bool bare = tile.kind == tkEmpty && tile.image == 0;
      const bool canal = scene == "water" && (x % 25 == 10 || y % 20 == 10);
      if ((scene == "dry" || scene == "ranch") && tile.kind == tkWater) {
        tile.kind = tkEmpty;
        tile.image = 0;
      } else if (bare && (scene == "flooded" || canal)) {
        tile.kind = tkWater;
        tile.image = (x + y) % 2 == 0 ? 23 : 24;
      }
    }
  if (scene == "ranch" && !FenceAndStock(map, CompanionPath(argv[2]))) return 1;
  std::FILE* file = std::fopen(argv[2], "wb");
  if (file == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  const bool written = std::fwrite(&map.Record(), sizeof(TMapaRecord), 1, file) == 1;
  if (std::fclose(file) != 0 || !written) {
    std::perror(argv[2]);
    return 1;
  }
  return 0;
}
