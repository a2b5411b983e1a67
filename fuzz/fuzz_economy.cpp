// A companion file is read as it comes: whatever its bytes, the reader
// refuses it with a message or takes it whole, and an economy it took runs,
// saves and reads back the same.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "economy/EcoFile.h"
#include "economy/Economy.h"
#include "map/MapaCodes.h"
#include "shell/defines.h"

namespace {

// The map of `zolmap new --seed 1` with a gate in the homestead's north
// fence, so that the ground around the house is a pasture.
const TMapa& FuzzMap() {
  static const TMapa map = [] {
    SoundOn = false;
    RandomSeed(1);
    TMapa m;
    m.Generate();
    m.AdvanceForecast();
    m.Tick(1);
    const int left = m.Record().startX - 1, top = m.Record().startY - 1;
    if (m.PlaceFitting(static_cast<std::uint8_t>(left + 5), static_cast<std::uint8_t>(top), FittingGate)) {
      m.ChangeFunds(-75);
    }
    return m;
  }();
  return map;
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The input with a sound header and both checksums, so that the fuzzer
// reaches the checks of every field behind them.
std::vector<std::uint8_t> Sealed(const std::uint8_t* data, std::size_t size, const TMapa& map) {
  std::vector<std::uint8_t> bytes(EcoFileSize, 0);
  std::memcpy(bytes.data(), data, size < EcoFileSize ? size : EcoFileSize);
  PutU32(bytes, 0, EcoMagic);
  bytes[4] = static_cast<std::uint8_t>(EcoVersion);
  bytes[5] = 0;
  PutU32(bytes, 8, MapCrc(map.Record()));
  const auto crc = crc32(crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(EcoFileSize - 4));
  PutU32(bytes, EcoFileSize - 4, static_cast<std::uint32_t>(crc));
  return bytes;
}

void RunAndReread(TEconomy& eco, const TMapa& start) {
  TMapa map;
  map.Record() = start.Record();
  for (int day = 0; day < 30; ++day) {
    map.Tick(1);
    eco.Day(map);
  }
  eco.MapChanged(map);
  const std::vector<std::uint8_t> saved = eco.Save(map);
  TEconomy again;
  if (again.Load(saved, map).has_value() || again.Save(map) != saved) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TMapa& map = FuzzMap();
  TEconomy eco;
  (void)eco.Load({data, size}, map);
  const std::vector<std::uint8_t> sealed = Sealed(data, size, map);
  if (!eco.Load(sealed, map).has_value()) RunAndReread(eco, map);
  return 0;
}
