#pragma once
// How wet the day's bare ground is, read from the weather: dry, damp on a
// rainy day, soaked on the second rainy day running. Drawing picks the
// ground pattern from it, the detailed terrain the wet versions of its
// pictures, and the minimap its ground colour, so all three always agree.
#include <array>
#include <cstddef>
#include <cstdint>

#include "map/Mapa.h"
#include "map/MapaCodes.h"

enum class TGroundWetness : std::uint8_t { Dry, Damp, Soaked };

constexpr bool IsRainy(std::uint8_t weather) { return weather == wtRain || weather == wtHeavyRain; }

constexpr TGroundWetness GroundWetnessOf(std::uint8_t today, std::uint8_t yesterday) {
  if (!IsRainy(today)) return TGroundWetness::Dry;
  return IsRainy(yesterday) ? TGroundWetness::Soaked : TGroundWetness::Damp;
}

constexpr TGroundWetness GroundWetnessOf(const TMapaRecord& record) {
  return GroundWetnessOf(record.weather, record.weatherYesterday);
}

// The ground image's pattern of bare ground, indexed by TGroundWetness.
constexpr std::array<std::uint8_t, 3> GroundImages = {ImageGroundDry, ImageGroundDamp, ImageGroundSoaked};
static_assert(GroundImages.size() == static_cast<std::size_t>(TGroundWetness::Soaked) + 1);

constexpr std::uint8_t GroundImage(TGroundWetness wetness) {
  return GroundImages[static_cast<std::size_t>(wetness)];
}
