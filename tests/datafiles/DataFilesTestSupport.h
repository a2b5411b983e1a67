#pragma once
// Helpers shared by the data-file tests: scratch folders, files, synthetic
// bitmap and wave files, and running the packing tool.
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace zvtest {

using Bytes = std::vector<std::uint8_t>;

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Bytes that compress poorly but are the same on every run.
inline Bytes NoiseBytes(std::size_t size, std::uint32_t seed) {
  Bytes bytes(size);
  for (auto& b : bytes) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<std::uint8_t>(seed >> 24);
  }
  return bytes;
}

inline void PutLe(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 16-bit PCM RIFF/WAVE file with the given samples.
inline Bytes MakeWave(std::uint16_t channels, std::uint32_t rate, const std::vector<std::int16_t>& samples) {
  Bytes out = {'R', 'I', 'F', 'F'};
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  PutLe(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  PutLe(out, 16, 4);
  PutLe(out, 1, 2);
  PutLe(out, channels, 2);
  PutLe(out, rate, 4);
  PutLe(out, rate * channels * 2, 4);
  PutLe(out, channels * 2, 2);
  PutLe(out, 16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  PutLe(out, dataBytes, 4);
  for (std::int16_t s : samples) PutLe(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

// A picture as the tests describe it: 0xRRGGBB per pixel, rows top first.
struct TTestImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Rgb;
};

// Colours whose channels are 0 or 255 survive every bit depth exactly.
inline TTestImage StripedImage(int width, int height, int colours) {
  TTestImage image{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int c = ((x / 3) + y) % colours;
      image.Rgb.push_back((c & 1 ? 0xFF0000u : 0) | (c & 2 ? 0x00FF00u : 0) | (c & 4 ? 0x0000FFu : 0));
    }
  return image;
}

enum class TBmpKind { Rgb, Rle, Bitfields, V5Alpha };

// Writes a Windows bitmap file the way common tools do.
Bytes EncodeBmp(const TTestImage& image, int bits, TBmpKind kind, bool topDown);

// Runs the packing tool; returns its exit code and fills the outputs.
struct TToolRun {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};
TToolRun RunZolpack(const QStringList& arguments);

}  // namespace zvtest
