// zolvorn_scene: writes a saved game for measuring the idle game with and
// without water in view.
//   zolvorn_scene dry|water FILE
// dry: a generated ranch whose water is all bare ground; water: the same
// ranch with all bare ground turned to open water.
#include <cstdio>
#include <cstring>

#include "map/Mapa.h"

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "dry") != 0 && std::strcmp(argv[1], "water") != 0)) {
    std::fprintf(stderr, "usage: zolvorn_scene dry|water FILE\n");
    return 2;
  }
  const bool water = std::strcmp(argv[1], "water") == 0;
  RandomSeed(1);
  TMapa map;
  map.Generate();
  for (int x = 1; x <= 96; ++x)
    for (int y = 1; y <= 96; ++y) {
      TTile& tile = map.Record().tiles[x][y];
      if (water && tile.kind == tkEmpty && tile.image == 0) {
        tile.kind = tkWater;
        tile.image = (x + y) % 2 == 0 ? 23 : 24;
      } else if (!water && tile.kind == tkWater) {
        tile.kind = tkEmpty;
        tile.image = 0;
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
