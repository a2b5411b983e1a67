#include "assets/art/Palette.h"

namespace art {

TMaterial MaterialOf(TColour c) {
  c |= 0xFF000000u;
  if (c == Magenta) return TMaterial::Key;
  for (const TRamp& ramp : Ramps)
    for (TColour s : ramp.shades)
      if (s == c) return ramp.material;
  return TMaterial::None;
}

}  // namespace art
