#include "assets/art/Sounds.h"

namespace art {

std::vector<TSound> MakeSounds() {
  std::vector<TSound> out;
  for (const char* n : {"bulldoze.wav", "ops.wav", "plop.wav", "compra.wav", "birds01.wav", "birds02.wav", "birds03.wav", "chuva01.wav"})
    out.push_back({n, std::vector<std::int16_t>(1000, 0)});
  return out;
}

}  // namespace art
