// A loaded saved game is taken as it is: whatever its bytes, the daily step
// and every tool must stay inside the record.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "map/Mapa.h"
#include "map/Tools.h"
#include "shell/defines.h"

namespace {

class TDiscardingHost : public IMapHost {
 public:
  void ShowFunds(std::int32_t) override {}
  void ShowDate(std::string_view) override {}
  void ForecastCell(int, std::uint8_t) override {}
  void ForecastLine(int, int, int, int) override {}
  void PlayWave(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TDiscardingHost host;
  TMapa map(&host);
  std::memcpy(&map.Record(), data, size < sizeof(TMapaRecord) ? size : sizeof(TMapaRecord));
  SoundOn = true;
  GameSpeed = 4;
  RandomSeed(size);
  map.Tick(3);
  // Bytes past the record choose the tools and tiles to try.
  for (std::size_t i = sizeof(TMapaRecord); i + 2 < size; i += 3) {
    const auto tool = static_cast<TToolKind>(data[i] % ToolKindCount);
    const std::uint8_t x = data[i + 1];
    const std::uint8_t y = data[i + 2];
    if (InGrid(x, y)) ToolVerdict(tool, map.Tile(x, y), map.Record().funds);
    if (ToolAction(map, tool, x, y)) map.ChangeFunds(-ToolCost[tool]);
    map.PlaceWater(x, y, TPlaceMode::Place);
  }
  return 0;
}
