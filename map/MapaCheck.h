#pragma once
// Whether a record read from outside (a saved game) is one the game can play:
// every byte that an operation reads as a code holds a value that play can
// produce. No window toolkit here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "map/Mapa.h"

// One plain-ASCII line per problem found, empty when the record is sound.
// Funds, year, moisture, the start position, the spare and reserved bytes and
// the padding are taken as they are: the game reads them without harm.
std::vector<std::string> CheckRecord(const TMapaRecord& record);

// Whether a tile of this kind ever shows this image, including the water
// animation, the clearing after the bulldozer and the older straight ducts.
bool KindShowsImage(std::uint8_t kind, std::uint8_t image);

// Whether the byte is a weather code the simulation uses (0..4, or 99 for a
// day not yet rolled).
bool IsWeatherCode(std::uint8_t code);

// What loading makes of the bytes read from a saved-game file.
enum class TRecordVerdict {
  Loaded,   // the record now holds the first record-size bytes
  Short,    // fewer bytes than a record: not a saved game
  Damaged,  // a record the game cannot play (CheckRecord found problems)
};

// Takes the first record-size bytes over `record` when there are that many
// and they pass CheckRecord; otherwise `record` stays byte for byte as it was.
TRecordVerdict TakeRecord(const std::uint8_t* bytes, std::size_t size, TMapaRecord& record);
