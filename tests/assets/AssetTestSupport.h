#pragma once
// Reading the files the build wrote, for the asset tests.
#include <cstdint>
#include <string>
#include <vector>

#include "assets/art/Canvas.h"

namespace assettest {

using TBytes = std::vector<std::uint8_t>;

TBytes ReadBytes(const std::string& path);
std::uint32_t Le16(const TBytes& b, std::size_t at);
std::uint32_t Le32(const TBytes& b, std::size_t at);

// Decodes an uncompressed 24-bit bitmap; empty canvas and a reason when it is not one.
art::TCanvas DecodeBmp24(const TBytes& b, std::string& why);

std::string ArtFile(const std::string& name);   // a picture or sound the build made
std::string DataFile(const std::string& name);  // a file of the game's data folder

}  // namespace assettest
