#pragma once
// Encoders for the package's file kinds: Windows bitmaps and RIFF waves.
#include <cstdint>
#include <string>
#include <vector>

#include "assets/art/Canvas.h"

namespace art {

using TBytes = std::vector<std::uint8_t>;

// 24-bit uncompressed bitmap, rows bottom-up, each padded to 4 bytes.
TBytes EncodeBmp(const TCanvas& picture);
// 16-bit PCM, mono.
TBytes EncodeWav(const std::vector<std::int16_t>& samples, int rate);
// Writes the bytes; false when the file cannot be written completely.
bool WriteFile(const std::string& path, const TBytes& bytes);

}  // namespace art
