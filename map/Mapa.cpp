// The map object's record and codes: construction, funds, families.
#include "map/Mapa.h"

#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <limits>

// The record is the saved file byte for byte, so its layout is fixed here.
static_assert(std::endian::native == std::endian::little,
              "the saved record is little-endian and written from memory");
static_assert(offsetof(TMapaRecord, moisture) == 0);
static_assert(offsetof(TMapaRecord, reserved1) == 1);
static_assert(offsetof(TMapaRecord, reserved2) == 2);
static_assert(offsetof(TMapaRecord, weather) == 3);
static_assert(offsetof(TMapaRecord, weatherYesterday) == 4);
static_assert(offsetof(TMapaRecord, forecast) == 5);
static_assert(offsetof(TMapaRecord, day) == 10);
static_assert(offsetof(TMapaRecord, week) == 11);
static_assert(offsetof(TMapaRecord, month) == 12);
static_assert(offsetof(TMapaRecord, padding1) == 13);
static_assert(offsetof(TMapaRecord, year) == 14);
static_assert(offsetof(TMapaRecord, funds) == 16);
static_assert(offsetof(TMapaRecord, startX) == 20);
static_assert(offsetof(TMapaRecord, startY) == 21);
static_assert(offsetof(TMapaRecord, tiles) == TileOffset(0, 0));
static_assert(offsetof(TMapaRecord, tiles[0][1]) == TileOffset(0, 1));
static_assert(offsetof(TMapaRecord, tiles[1][0]) == TileOffset(1, 0));
static_assert(offsetof(TMapaRecord, tiles[1][2]) == 322);
static_assert(offsetof(TMapaRecord, tiles[1][2].kind) == 324);
static_assert(offsetof(TMapaRecord, tiles[97][97]) == TileOffset(97, 97));
static_assert(offsetof(TMapaRecord, padding2) == 28834);
static_assert(offsetof(TTile, spare) == 0);
static_assert(offsetof(TTile, image) == 1);
static_assert(offsetof(TTile, kind) == 2);

namespace {

// Kinds of each family as bit sets over TTileKind, indexed by TFamily.
constexpr std::array<std::uint16_t, 4> FamilyKinds = {
    (1U << tkDirtRoad) | (1U << tkPavement) | (1U << tkBridge) | (1U << tkCrossing),  // Road
    (1U << tkFence) | (1U << tkGate),                                                 // Fence
    (1U << tkDuct) | (1U << tkDuctS) | (1U << tkCrossing),                            // Duct
    (1U << tkWater) | (1U << tkBridge),                                               // Water
};
static_assert(FamilyKinds.size() == static_cast<std::size_t>(TFamily::Water) + 1);

constexpr std::int32_t OpeningFunds = 40000;

}  // namespace

bool InFamily(std::uint8_t kind, TFamily family) {
  if (kind > tkHouse) return false;
  return (FamilyKinds[static_cast<std::size_t>(family)] >> kind) & 1U;
}

bool IsWaterKind(std::uint8_t kind) { return InFamily(kind, TFamily::Water); }

void AddSaturating(std::uint8_t& value, int amount) {
  const int sum = value + amount;
  value = static_cast<std::uint8_t>(sum > 255 ? 255 : (sum < 0 ? 0 : sum));
}

void SubtractSaturating(std::uint8_t& value, int amount) {
  const int difference = value - amount;
  value = static_cast<std::uint8_t>(difference < 0 ? 0 : (difference > 255 ? 255 : difference));
}

TMapa::TMapa(IMapHost* host) : host_(host) { Reset(); }

void TMapa::Reset() {
  record_ = TMapaRecord{};
  frameCounter = 0;
  record_.moisture = 128;
  record_.reserved1 = 26;
  record_.reserved2 = 0;
  record_.weather = wtSunny;
  for (auto& slot : record_.forecast) slot = wtNone;
  record_.day = 1;
  record_.week = 1;
  record_.month = 1;
  record_.year = 2004;
  ChangeFunds(OpeningFunds);
  for (int x = 1; x <= MapSize - 2; ++x) {
    for (int y = 1; y <= MapSize - 2; ++y) Tile(x, y) = TTile{255, 0, tkEmpty};
  }
}

TTile& TMapa::Tile(int x, int y) {
  assert(InGrid(x, y));
  return record_.tiles[x][y];
}

const TTile& TMapa::Tile(int x, int y) const {
  assert(InGrid(x, y));
  return record_.tiles[x][y];
}

bool TMapa::ChangeFunds(std::int32_t delta) {
  const std::int64_t sum = std::int64_t{record_.funds} + delta;
  if (delta < 0 && sum < 0) return false;
  // A loaded record may hold any funds; a gain never wraps them negative.
  record_.funds = static_cast<std::int32_t>(
      sum > std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                     : sum);
  if (host_ != nullptr) host_->ShowFunds(record_.funds);
  return true;
}

void TMapa::ForceFunds(std::int64_t delta) {
  constexpr std::int64_t Low = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t High = std::numeric_limits<std::int32_t>::max();
  const std::int64_t sum = std::int64_t{record_.funds} + delta;
  record_.funds = static_cast<std::int32_t>(sum < Low ? Low : (sum > High ? High : sum));
  if (host_ != nullptr) host_->ShowFunds(record_.funds);
}
