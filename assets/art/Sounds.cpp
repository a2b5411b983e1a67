// The sounds are built from sines, sweeps and filtered noise. Each one ends in
// short fades so it starts and stops without a click, and is scaled to a set
// peak under full scale: tool sounds near the top, the ambient ones softer.
#include "assets/art/Sounds.h"

#include <algorithm>
#include <cmath>

#include "present/Synth.h"

namespace art {

namespace {

using synth::Bell;
using synth::Pi;
using synth::TNoise;
using TBandPass = synth::TBandPass;
using TLowPass = synth::TLowPass;

constexpr float Rate = static_cast<float>(SoundRate);

using TBuffer = std::vector<float>;

TBuffer Silence(float seconds) { return TBuffer(static_cast<std::size_t>(seconds * Rate), 0.0f); }

// A tone whose frequency follows a function of the time since its start.
template <typename TFreq, typename TEnv>
void AddTone(TBuffer& b, float start, float length, TFreq freq, TEnv envelope, float level) {
  float phase = 0;
  const std::size_t first = static_cast<std::size_t>(start * Rate);
  const std::size_t count = static_cast<std::size_t>(length * Rate);
  for (std::size_t i = 0; i < count && first + i < b.size(); ++i) {
    const float t = i / Rate;
    phase += 2 * Pi * freq(t) / Rate;
    b[first + i] += level * envelope(t / length) * std::sin(phase);
  }
}

// A struck partial: instant rise, exponential decay.
void AddStrike(TBuffer& b, float start, float freq, float decay, float level) {
  const std::size_t first = static_cast<std::size_t>(start * Rate);
  const std::size_t count = static_cast<std::size_t>(decay * 8 * Rate);
  for (std::size_t i = 0; i < count && first + i < b.size(); ++i) {
    const float t = i / Rate;
    const float rise = std::min(1.0f, t / 0.002f);
    b[first + i] += level * rise * std::exp(-t / decay) * std::sin(2 * Pi * freq * t);
  }
}

// Fades both ends and scales the loudest sample to peakDb under full scale.
std::vector<std::int16_t> Finish(TBuffer b, float fadeIn, float fadeOut, float peakDb) {
  const std::size_t in = static_cast<std::size_t>(fadeIn * Rate), out = static_cast<std::size_t>(fadeOut * Rate);
  for (std::size_t i = 0; i < in && i < b.size(); ++i) b[i] *= 0.5f - 0.5f * std::cos(Pi * i / in);
  for (std::size_t i = 0; i < out && i < b.size(); ++i) b[b.size() - 1 - i] *= 0.5f - 0.5f * std::cos(Pi * i / out);
  float peak = 0;
  for (float s : b) peak = std::max(peak, std::fabs(s));
  const float target = std::pow(10.0f, peakDb / 20.0f);
  const float gain = peak > 0 ? target / peak : 0;
  std::vector<std::int16_t> pcm(b.size());
  for (std::size_t i = 0; i < b.size(); ++i) pcm[i] = static_cast<std::int16_t>(std::lround(b[i] * gain * 32767.0f));
  return pcm;
}

// Diesel idle and push: a low pulsing drone, with blade scraping over gravel
// and two clanks of the tracks.
TBuffer Bulldoze() {
  TBuffer b = Silence(1.7f);
  TNoise noise(11);
  TLowPass engineTone(380, Rate), rumble(120, Rate), gritEnvelope(18, Rate);
  TBandPass scrape(1700, 1.2f, Rate);
  float phase = 0;
  for (std::size_t i = 0; i < b.size(); ++i) {
    const float t = i / Rate;
    const float f0 = 42 + 10 * std::sin(Pi * std::min(t / 1.7f, 1.0f));
    phase += f0 / Rate;
    const float saw = 2 * (phase - std::floor(phase)) - 1;
    const float chug = 0.65f + 0.35f * std::sin(Pi * phase);  // the cylinders fire every other turn
    float s = engineTone.Step(saw) * chug * 1.6f + rumble.Step(noise.Next()) * 1.5f;
    const float push = Bell(t / 1.7f, 0.25f, 0.3f);
    const float grit = std::fabs(gritEnvelope.Step(noise.Next())) * 12.0f;
    s += scrape.Step(noise.Next()) * push * (0.35f + grit) * 0.8f;
    b[i] = s * Bell(t / 1.7f, 0.08f, 0.2f);
  }
  for (float at : {0.42f, 1.05f}) {
    AddStrike(b, at, 860, 0.05f, 0.25f);
    AddStrike(b, at, 1390, 0.035f, 0.18f);
  }
  return b;
}

// Two falling, muted notes: "uh-oh".
TBuffer Ops() {
  TBuffer b = Silence(0.42f);
  for (int h = 1; h <= 7; h += 2) {
    AddTone(b, 0.0f, 0.14f, [h](float) { return 392.0f * h; }, [](float u) { return Bell(u, 0.1f, 0.4f); }, 0.5f / h);
    AddTone(b, 0.17f, 0.24f, [h](float t) { return (294.0f - 20 * t) * h; }, [](float u) { return Bell(u, 0.08f, 0.6f); }, 0.5f / h);
  }
  TLowPass soften(1800, Rate);
  for (float& s : b) s = soften.Step(s);
  return b;
}

// A soft drop: a sine whose pitch falls quickly, with a little thud.
TBuffer Plop() {
  TBuffer b = Silence(0.22f);
  AddTone(b, 0.0f, 0.22f, [](float t) { return 150 + 420 * std::exp(-t / 0.03f); },
          [](float u) { return std::min(1.0f, u * 0.22f / 0.003f) * std::exp(-u * 0.22f / 0.045f); }, 1.0f);
  TNoise noise(3);
  TLowPass thud(300, Rate);
  for (std::size_t i = 0; i < b.size(); ++i) b[i] += thud.Step(noise.Next()) * std::exp(-(i / Rate) / 0.02f) * 0.8f;
  return b;
}

// Cash drawer: a mechanical click, then a bell and a jingle of coins.
TBuffer Compra() {
  TBuffer b = Silence(1.1f);
  TNoise noise(5);
  TBandPass click(3000, 2.0f, Rate);
  for (std::size_t i = 0; i < static_cast<std::size_t>(0.02f * Rate); ++i)
    b[i] += click.Step(noise.Next()) * std::exp(-(i / Rate) / 0.004f) * 2.0f;
  const float partials[4][2] = {{2093, 0.5f}, {2637, 0.3f}, {4186, 0.18f}, {5780, 0.1f}};
  for (const auto& p : partials) AddStrike(b, 0.06f, p[0], 0.32f, p[1]);
  for (float at : {0.22f, 0.29f, 0.34f, 0.43f}) AddStrike(b, at, 3950 + 700 * std::sin(at * 40), 0.03f, 0.12f);
  return b;
}

// A two-note whistle, sung twice.
TBuffer Birds01() {
  TBuffer b = Silence(1.5f);
  for (float at : {0.05f, 0.75f}) {
    AddTone(b, at, 0.2f, [](float t) { return 3300 - 1500 * t + 60 * std::sin(2 * Pi * 30 * t); },
            [](float u) { return Bell(u, 0.2f, 0.3f); }, 0.8f);
    AddTone(b, at + 0.26f, 0.26f, [](float t) { return 2550 + 150 * std::sin(Pi * t / 0.26f); },
            [](float u) { return Bell(u, 0.15f, 0.5f); }, 0.7f);
  }
  return b;
}

// A fast rising trill that swells and fades, then a short answer.
TBuffer Birds02() {
  TBuffer b = Silence(1.8f);
  for (int k = 0; k < 14; ++k) {
    const float swell = std::sin(Pi * (k + 0.5f) / 14);
    AddTone(b, 0.05f + k * 0.07f, 0.045f, [](float t) { return 2700 + 1600 * t / 0.045f; },
            [](float u) { return Bell(u, 0.2f, 0.4f); }, 0.35f + 0.5f * swell);
  }
  for (int k = 0; k < 4; ++k)
    AddTone(b, 1.2f + k * 0.1f, 0.06f, [](float t) { return 4200 - 900 * t / 0.06f; },
            [](float u) { return Bell(u, 0.2f, 0.5f); }, 0.5f);
  return b;
}

// Descending chips followed by a warble.
TBuffer Birds03() {
  TBuffer b = Silence(2.1f);
  for (int k = 0; k < 5; ++k) {
    const float top = 5000 - k * 250;
    AddTone(b, 0.05f + k * 0.2f, 0.07f, [top](float t) { return top - 1500 * t / 0.07f; },
            [](float u) { return Bell(u, 0.1f, 0.6f); }, 0.7f);
  }
  AddTone(b, 1.2f, 0.65f, [](float t) { return 3600 + 500 * std::sin(2 * Pi * 22 * t) + 300 * t; },
          [](float u) { return Bell(u, 0.15f, 0.4f); }, 0.55f);
  return b;
}

// Steady rain: a hiss of filtered noise with many small drops on leaves.
TBuffer Chuva() {
  TBuffer b = Silence(6.0f);
  TNoise noise(7);
  TLowPass hissTop(3200, Rate), hissBottom(300, Rate), swell(0.4f, Rate);
  TNoise drops(9);
  for (std::size_t i = 0; i < b.size(); ++i) {
    const float w = noise.Next();
    const float hiss = hissTop.Step(w) - hissBottom.Step(w);
    b[i] = hiss * (0.55f + 0.6f * std::fabs(swell.Step(noise.Next()) * 40));
  }
  for (int k = 0; k < 420; ++k) {
    const float at = drops.Uniform() * 5.95f;
    const float freq = 1200 + drops.Uniform() * 3200;
    AddStrike(b, at, freq, 0.004f + drops.Uniform() * 0.006f, 0.1f + 0.35f * drops.Uniform());
  }
  return b;
}

}  // namespace

std::vector<TSound> MakeSounds() {
  return {
      {"bulldoze.wav", Finish(Bulldoze(), 0.01f, 0.05f, -1.5f)}, {"ops.wav", Finish(Ops(), 0.005f, 0.02f, -4.0f)},
      {"plop.wav", Finish(Plop(), 0.003f, 0.02f, -1.5f)},        {"compra.wav", Finish(Compra(), 0.002f, 0.08f, -2.0f)},
      {"birds01.wav", Finish(Birds01(), 0.01f, 0.05f, -7.0f)},   {"birds02.wav", Finish(Birds02(), 0.01f, 0.05f, -7.0f)},
      {"birds03.wav", Finish(Birds03(), 0.01f, 0.05f, -7.0f)},   {"chuva01.wav", Finish(Chuva(), 0.6f, 0.8f, -4.0f)},
  };
}

}  // namespace art
