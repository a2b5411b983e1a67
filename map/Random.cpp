// The program's one random generator: a 32-bit permuted congruential
// generator. Small, fast, and the same sequence for a seed on every
// platform, so tests can pin the outcome of a seed.
#include <cstdint>

#include "map/Mapa.h"

namespace {

constexpr std::uint64_t Multiplier = 6364136223846793005ULL;
constexpr std::uint64_t Increment = 1442695040888963407ULL;  // odd: full period

std::uint64_t State = 0x853c49e6748fea9bULL;

std::uint32_t NextWord() {
  const std::uint64_t old = State;
  State = old * Multiplier + Increment;
  const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
  const auto rotation = static_cast<std::uint32_t>(old >> 59U);
  return (xorShifted >> rotation) | (xorShifted << ((32U - rotation) & 31U));
}

}  // namespace

void RandomSeed(std::uint64_t seed) {
  State = 0;
  NextWord();
  State += seed;
  NextWord();
}

int RandomInt(int n) {
  if (n <= 1) return 0;
  const auto bound = static_cast<std::uint32_t>(n);
  // Reject the low values that would make the modulo biased.
  const std::uint32_t threshold = (0U - bound) % bound;
  for (;;) {
    const std::uint32_t word = NextWord();
    if (word >= threshold) return static_cast<int>(word % bound);
  }
}
