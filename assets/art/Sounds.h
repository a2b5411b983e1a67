#pragma once
// The game's eight sounds, synthesised: 16-bit mono at one rate.
#include <cstdint>
#include <string>
#include <vector>

namespace art {

constexpr int SoundRate = 22050;

struct TSound {
  std::string name;  // entry name in the package
  std::vector<std::int16_t> samples;
};

// In package order: bulldoze, ops, plop, compra, birds01..03, chuva01.
std::vector<TSound> MakeSounds();

}  // namespace art
