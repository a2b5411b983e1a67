#pragma once
// Building blocks for making sounds in code: repeatable noise, simple
// filters and envelopes. Shared by the programs that make the game's sound
// effects and by the soundtrack the game composes itself. No toolkit here.
#include <cstdint>

namespace synth {

constexpr float Pi = 3.14159265f;

// A repeatable sequence from its seed: white noise for the sound effects,
// and the choices the composed soundtrack makes.
class TNoise {
 public:
  explicit TNoise(std::uint32_t seed) : state_(seed) {}
  // White noise in -1..1.
  float Next() { return static_cast<float>(NextBits()) / 8388608.0f - 1.0f; }
  float Uniform() { return 0.5f * (Next() + 1.0f); }
  // A whole number in 0..n-1, n > 0.
  int Below(int n) { return static_cast<int>(NextBits() % static_cast<std::uint32_t>(n)); }

 private:
  // The top 24 bits of the next state.
  std::uint32_t NextBits() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  std::uint32_t state_;
};

// Two-pole band-pass with a constant peak gain.
class TBandPass {
 public:
  TBandPass(float centre, float q, float rate);
  float Step(float x) {
    const float y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

 private:
  float b0_, b2_, a1_, a2_;
  float x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// One-pole low-pass.
class TLowPass {
 public:
  TLowPass(float cutoff, float rate);
  float Step(float x) { return y_ += k_ * (x - y_); }

 private:
  float k_;
  float y_ = 0;
};

// Smooth rise and fall over a note's relative time 0..1.
float Bell(float u, float attack = 0.15f, float release = 0.35f);

}  // namespace synth
