// zolvorn_scene: writes a saved game for measuring the idle game with and
// without water in view, wherever the view stands.
//   zolvorn_scene dry|water|flooded FILE
// dry: a generated ranch whose water is all bare ground; water: the ranch
// with its river, and a canal of open water every 20 rows and 25 columns,
// so any view shows some; flooded: the ranch with all bare ground turned to
// open water, the most a frame can animate.
#include <cstdio>
#include <string_view>

#include "map/Mapa.h"

int main(int argc, char** argv) {
  const std::string_view scene = argc == 3 ? argv[1] : "";
  if (scene != "dry" && scene != "water" && scene != "flooded") {
    std::fprintf(stderr, "usage: zolvorn_scene dry|water|flooded FILE\n");
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
      if (scene == "dry" && tile.kind == tkWater) {
        tile.kind = tkEmpty;
        tile.image = 0;
      } else if (bare && (scene == "flooded" || canal)) {
        tile.kind = tkWater;
        tile.image = (x + y) % 2 == 0 ? 23 : 24;
      }
    }
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
