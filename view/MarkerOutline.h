#pragma once
// "Marcador destacado": the hover marker's outline.
#include <cstdint>

#include "present/Surface.h"

// The highlighted marker's outline: a dark ring along the tile's edge and a
// light ring inside it, so that one of the two stands out from any ground.
inline constexpr std::uint32_t MarkerOutlineDark = 0xFF000000;
inline constexpr std::uint32_t MarkerOutlineLight = 0xFFFFFFFF;
// Width in pixels of each ring for a tile size.
constexpr int MarkerOutlineWidth(int tileSize) { return tileSize >= 48 ? 2 : 1; }
// Draws the outline around `square`, clipped to the surface.
void DrawMarkerOutline(TDirectDrawSurface& surface, const TRect& square, int tileSize);
