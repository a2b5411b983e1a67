#include "assets/art/Files.h"

#include <fstream>

namespace art {

namespace {

void Put16(TBytes& b, std::uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(TBytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void PutText(TBytes& b, const char* text) {
  for (; *text; ++text) b.push_back(static_cast<std::uint8_t>(*text));
}

}  // namespace

TBytes EncodeBmp(const TCanvas& picture) {
  const std::uint32_t w = picture.Width(), h = picture.Height();
  const std::uint32_t stride = (w * 3 + 3) / 4 * 4;
  const std::uint32_t dataSize = stride * h;
  constexpr std::uint32_t headerSize = 14 + 40;
  TBytes b;
  b.reserve(headerSize + dataSize);
  PutText(b, "BM");
  Put32(b, headerSize + dataSize);
  Put32(b, 0);
  Put32(b, headerSize);
  Put32(b, 40);
  Put32(b, w);
  Put32(b, h);  // positive height: bottom-up rows
  Put16(b, 1);
  Put16(b, 24);
  Put32(b, 0);  // no compression
  Put32(b, dataSize);
  Put32(b, 2835);  // 72 dots per inch
  Put32(b, 2835);
  Put32(b, 0);
  Put32(b, 0);
  for (std::uint32_t row = 0; row < h; ++row) {
    const int y = static_cast<int>(h - 1 - row);
    for (std::uint32_t x = 0; x < w; ++x) {
      const TColour c = picture.Get(static_cast<int>(x), y);
      b.push_back(Blue(c));
      b.push_back(Green(c));
      b.push_back(Red(c));
    }
    for (std::uint32_t p = w * 3; p < stride; ++p) b.push_back(0);
  }
  return b;
}

TBytes EncodeWav(const std::vector<std::int16_t>& samples, int rate) {
  const std::uint32_t dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  TBytes b;
  b.reserve(44 + dataSize);
  PutText(b, "RIFF");
  Put32(b, 36 + dataSize);
  PutText(b, "WAVEfmt ");
  Put32(b, 16);
  Put16(b, 1);  // PCM
  Put16(b, 1);  // mono
  Put32(b, static_cast<std::uint32_t>(rate));
  Put32(b, static_cast<std::uint32_t>(rate) * 2);
  Put16(b, 2);
  Put16(b, 16);
  PutText(b, "data");
  Put32(b, dataSize);
  for (std::int16_t s : samples) Put16(b, static_cast<std::uint16_t>(s));
  return b;
}

bool WriteFile(const std::string& path, const TBytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace art
