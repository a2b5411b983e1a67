#pragma once
// A plain 32-bit picture (0xAARRGGBB) with the few drawing steps our pixel art
// needs. Everything the art programs draw goes through it, so the pictures
// come out the same on every machine.
#include <cstdint>
#include <vector>

namespace art {

using TColour = std::uint32_t;

constexpr TColour Transparent = 0x00000000u;

constexpr std::uint8_t Red(TColour c) { return (c >> 16) & 0xFF; }
constexpr std::uint8_t Green(TColour c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t Blue(TColour c) { return c & 0xFF; }
constexpr std::uint8_t Alpha(TColour c) { return c >> 24; }

class TCanvas {
 public:
  TCanvas() = default;
  TCanvas(int width, int height, TColour fill = Transparent);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  TColour Get(int x, int y) const { return pixels_[Index(x, y)]; }
  // Writes outside the picture are dropped, so shapes may overhang the edge.
  void Set(int x, int y, TColour c) {
    if (Inside(x, y)) pixels_[Index(x, y)] = c;
  }
  void Fill(TColour c);
  void FillRect(int x, int y, int w, int h, TColour c);
  // Copies src at (dx, dy); with skipClear, fully transparent pixels are left out.
  void Draw(const TCanvas& src, int dx, int dy, bool skipClear = true);
  TCanvas Crop(int x, int y, int w, int h) const;
  TCanvas Scaled(int factor) const;  // nearest pixel
  const std::vector<TColour>& Pixels() const { return pixels_; }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
  int width_ = 0;
  int height_ = 0;
  std::vector<TColour> pixels_;
};

// Repeatable pseudo-random value for a pixel, so textures need no generator state.
std::uint32_t Hash(int x, int y, int seed);
// Hash folded into 0..n-1.
int HashBelow(int x, int y, int seed, int n);

}  // namespace art
