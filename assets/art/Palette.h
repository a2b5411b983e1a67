#pragma once
// The one palette of the game's pictures. Every pixel of the tiles comes from
// these ramps (dark to light); the light always falls from the top left.
#include <array>
#include <cstddef>
#include <cstdint>

#include "assets/art/Canvas.h"

namespace art {

constexpr TColour Rgb(std::uint32_t rgb) { return 0xFF000000u | rgb; }

// What a colour stands for; the join checks compare materials across edges.
enum class TMaterial : std::uint8_t { Grass, Earth, Stone, Sandstone, Wood, Water, Metal, Leaf, Red, Cream, Gold, Sky, Cloud, Ink, Key, None };

struct TRamp {
  TMaterial material;
  std::array<TColour, 6> shades;  // dark to light
};

// Indexed by TMaterial up to Ink.
constexpr std::array<TRamp, 14> Ramps = {{
    {TMaterial::Grass, {Rgb(0x34521f), Rgb(0x46692a), Rgb(0x5a8131), Rgb(0x70973a), Rgb(0x8aad47), Rgb(0xa9c25c)}},
    {TMaterial::Earth, {Rgb(0x45301f), Rgb(0x654630), Rgb(0x86603c), Rgb(0xa57c4d), Rgb(0xc29a66), Rgb(0xdbbd8a)}},
    {TMaterial::Stone, {Rgb(0x35373f), Rgb(0x50535b), Rgb(0x6c6f77), Rgb(0x898c92), Rgb(0xa8aaae), Rgb(0xc9cacc)}},
    {TMaterial::Sandstone, {Rgb(0x6f6048), Rgb(0x8e7c5d), Rgb(0xab9874), Rgb(0xc4b28c), Rgb(0xdacba6), Rgb(0xece1c2)}},
    {TMaterial::Wood, {Rgb(0x3a2617), Rgb(0x573a21), Rgb(0x78522d), Rgb(0x996b3b), Rgb(0xbb8a53), Rgb(0xd8ad77)}},
    {TMaterial::Water, {Rgb(0x163a63), Rgb(0x1d4e85), Rgb(0x2864a2), Rgb(0x3a7fbd), Rgb(0x67a6d6), Rgb(0xb4dbf1)}},
    {TMaterial::Metal, {Rgb(0x29363f), Rgb(0x405360), Rgb(0x5b7281), Rgb(0x7f95a3), Rgb(0xa9bbc6), Rgb(0xd4e0e6)}},
    {TMaterial::Leaf, {Rgb(0x153a20), Rgb(0x1f5129), Rgb(0x2c6a30), Rgb(0x41863a), Rgb(0x5fa146), Rgb(0x86bd57)}},
    {TMaterial::Red, {Rgb(0x561c18), Rgb(0x822e28), Rgb(0xa84431), Rgb(0xcb6243), Rgb(0xe58c60), Rgb(0xf2b48a)}},
    {TMaterial::Cream, {Rgb(0x978667), Rgb(0xb6a584), Rgb(0xd2c3a0), Rgb(0xe6dabb), Rgb(0xf3ebd4), Rgb(0xfbf7ea)}},
    {TMaterial::Gold, {Rgb(0x8a6418), Rgb(0xb58724), Rgb(0xd9a834), Rgb(0xefc84a), Rgb(0xf8df78), Rgb(0xfdf0b4)}},
    {TMaterial::Sky, {Rgb(0x5f9fd6), Rgb(0x76b2e2), Rgb(0x8cc4ec), Rgb(0xa6d3f2), Rgb(0xc3e1f6), Rgb(0xe2f1fb)}},
    {TMaterial::Cloud, {Rgb(0x4d5866), Rgb(0x76828f), Rgb(0xa3adb8), Rgb(0xc8cfd7), Rgb(0xe6eaee), Rgb(0xfbfcfd)}},
    {TMaterial::Ink, {Rgb(0x1b1713), Rgb(0x2a231c), Rgb(0x3a3128), Rgb(0x4a4036), Rgb(0x5c5247), Rgb(0x6e655a)}},
}};
static_assert(Ramps.size() == static_cast<std::size_t>(TMaterial::Ink) + 1);

constexpr TColour Shade(TMaterial m, int i) {
  return Ramps[static_cast<std::size_t>(m)].shades[static_cast<std::size_t>(i < 0 ? 0 : i > 5 ? 5 : i)];
}

// Colour key of the clearing animation: these pixels are not drawn.
constexpr TColour Magenta = Rgb(0xff00ff);

// Which ramp a colour belongs to; Key for magenta, None for a colour outside the palette.
TMaterial MaterialOf(TColour c);

}  // namespace art
