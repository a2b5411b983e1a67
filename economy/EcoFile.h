#pragma once
// The companion file "<name>.eco" beside "<name>.map": the economy's state
// in a fixed-size little-endian layout (docs/economy.md), and reading and
// writing it as a whole. Writes are atomic: a temporary file in the same
// folder, flushed to disk, renamed over the old one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "map/Mapa.h"

constexpr std::uint32_t EcoMagic = 0x4345565A;  // "ZVEC"
constexpr std::uint16_t EcoVersion = 1;
constexpr std::size_t EcoFileSize = 34736;

// CRC-32 (zlib's) of the map record as it is saved.
std::uint32_t MapCrc(const TMapaRecord& record);

// Reads a whole companion file; a file larger than the format is refused
// without reading it all. The message says why.
std::optional<std::string> ReadCompanionFile(const std::string& path, std::vector<std::uint8_t>& bytes);
std::optional<std::string> WriteCompanionFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
