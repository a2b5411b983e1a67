#pragma once
// The economy's own random generator: the same permuted congruential
// generator as the game's, with a state of its own, so that the market moves
// without taking numbers from the game's sequence (and with it the weather).
#include <cstdint>

class TEcoRandom {
 public:
  explicit TEcoRandom(std::uint64_t seed = 0) { Seed(seed); }
  void Seed(std::uint64_t seed);
  // Uniform integer in 0..n-1.
  int Next(int n);

  std::uint64_t State() const { return state_; }
  void SetState(std::uint64_t state) { state_ = state; }

 private:
  std::uint32_t NextWord();
  std::uint64_t state_ = 0;
};
