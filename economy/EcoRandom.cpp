#include "economy/EcoRandom.h"

namespace {
constexpr std::uint64_t Multiplier = 6364136223846793005ULL;
constexpr std::uint64_t Increment = 1442695040888963407ULL;  // odd: full period
}  // namespace

void TEcoRandom::Seed(std::uint64_t seed) {
  state_ = 0;
  NextWord();
  state_ += seed;
  NextWord();
}

std::uint32_t TEcoRandom::NextWord() {
  const std::uint64_t old = state_;
  state_ = old * Multiplier + Increment;
  const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
  const auto rotation = static_cast<std::uint32_t>(old >> 59U);
  return (xorShifted >> rotation) | (xorShifted << ((32U - rotation) & 31U));
}

int TEcoRandom::Next(int n) {
  if (n <= 1) return 0;
  const auto bound = static_cast<std::uint32_t>(n);
  const std::uint32_t threshold = (0U - bound) % bound;  // rejects the biased low values
  for (;;) {
    const std::uint32_t word = NextWord();
    if (word >= threshold) return static_cast<int>(word % bound);
  }
}
