#include "present/Synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

TBandPass::TBandPass(float centre, float q, float rate) {
  const float w = 2 * Pi * centre / rate, alpha = std::sin(w) / (2 * q);
  const float a0 = 1 + alpha;
  b0_ = alpha / a0;
  b2_ = -alpha / a0;
  a1_ = -2 * std::cos(w) / a0;
  a2_ = (1 - alpha) / a0;
}

TLowPass::TLowPass(float cutoff, float rate) : k_(1.0f - std::exp(-2 * Pi * cutoff / rate)) {}

float Bell(float u, float attack, float release) {
  if (u < attack) return std::sin(0.5f * Pi * u / attack);
  if (u > 1 - release) return std::max(0.0f, std::sin(0.5f * Pi * (1 - u) / release));
  return 1.0f;
}

}  // namespace synth
