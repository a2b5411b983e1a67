// The soundtrack the game makes for itself: long enough not to repeat within
// a minute, quiet enough to stay under the effects, with no offset, no click
// where it loops, no hiss, and a melody over an accompaniment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <set>
#include <vector>

#include "present/Tune.h"

namespace {

constexpr int Rate = 44100;

const std::vector<std::int16_t>& Tune() {
  static const std::vector<std::int16_t> tune = MakeTune(Rate);
  return tune;
}

std::size_t Frames() { return Tune().size() / 2; }

// Left and right folded to one channel.
std::vector<double> Mono() {
  std::vector<double> mono(Frames());
  for (std::size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5 * (Tune()[2 * i] + Tune()[2 * i + 1]);
  return mono;
}

void Fft(std::vector<std::complex<double>>& a) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const std::complex<double> w = std::polar(1.0, -2 * M_PI / static_cast<double>(len));
    for (std::size_t i = 0; i < n; i += len) {
      std::complex<double> wk = 1;
      for (std::size_t k = 0; k < len / 2; ++k, wk *= w) {
        const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * wk;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

// Power of each frequency bin summed over Hann windows of `size` frames.
std::vector<double> Spectrum(const std::vector<double>& mono, std::size_t size) {
  std::vector<double> power(size / 2, 0.0);
  std::vector<std::complex<double>> window(size);
  for (std::size_t start = 0; start + size <= mono.size(); start += size) {
    for (std::size_t i = 0; i < size; ++i)
      window[i] = mono[start + i] * (0.5 - 0.5 * std::cos(2 * M_PI * static_cast<double>(i) / static_cast<double>(size)));
    Fft(window);
    for (std::size_t k = 0; k < size / 2; ++k) power[k] += std::norm(window[k]);
  }
  return power;
}

double Frequency(int pitch) { return 440.0 * std::pow(2.0, (pitch - 69) / 12.0); }

TEST(Tune, LoopsForMoreThanAMinuteWithoutComingBackTheSame) {
  EXPECT_GE(TuneLength(), 60.0);
  EXPECT_LE(TuneLength(), 120.0) << "a longer loop only costs memory";
  ASSERT_EQ(Frames(), static_cast<std::size_t>(std::llround(TuneLength() * Rate)));
  // No bar sounds exactly like another starting less than a minute later or
  // earlier, echoes and all.
  const std::size_t bar = static_cast<std::size_t>(std::llround(TuneLength() / 32 * Rate));
  const std::size_t minute = static_cast<std::size_t>(60) * Rate;
  for (std::size_t a = 0; a + bar <= Frames(); a += bar)
    for (std::size_t b = a + bar; b + bar <= Frames(); b += bar) {
      if (b - a >= minute && Frames() - (b - a) >= minute) continue;
      int differing = 0;
      for (std::size_t i = 0; i < 2 * bar; ++i) differing += std::abs(Tune()[2 * a + i] - Tune()[2 * b + i]) > 64;
      EXPECT_GT(differing, 1000) << "bars at " << a / bar << " and " << b / bar;
    }
}

TEST(Tune, PeaksAtMinusSixDecibelsOrLessWithNoOffset) {
  int peak = 0;
  for (std::int16_t s : Tune()) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_LE(peak, std::lround(32767 * std::pow(10.0, -6.0 / 20)));
  EXPECT_GE(peak, std::lround(32767 * std::pow(10.0, -9.0 / 20))) << "quiet, but not lost under the effects";
  for (std::size_t c = 0; c < 2; ++c) {
    double sum = 0;
    for (std::size_t i = 0; i < Frames(); ++i) sum += Tune()[2 * i + c];
    EXPECT_LT(std::fabs(sum / static_cast<double>(Frames())), 0.001 * 32768) << "channel " << c;
  }
}

TEST(Tune, RunsOnAcrossTheLoopPointWithoutAStep) {
  for (std::size_t c = 0; c < 2; ++c) {
    std::vector<int> steps;
    for (std::size_t i = 1; i < Frames(); ++i) steps.push_back(std::abs(Tune()[2 * i + c] - Tune()[2 * (i - 1) + c]));
    std::sort(steps.begin(), steps.end());
    const int usual = steps[steps.size() * 99 / 100];
    const int wrap = std::abs(Tune()[c] - Tune()[2 * (Frames() - 1) + c]);
    EXPECT_LE(wrap, usual) << "channel " << c;
    // Nor a kink: the slope runs on too.
    const int slopeEnd = Tune()[2 * (Frames() - 1) + c] - Tune()[2 * (Frames() - 2) + c];
    const int slopeStart = Tune()[2 + c] - Tune()[c];
    EXPECT_LE(std::abs(slopeStart - slopeEnd), usual) << "channel " << c;
  }
}

TEST(Tune, HasAMelodyOverAnAccompanimentOnSixteenPitchesOrMore) {
  const std::vector<TTuneNote> score = TuneScore();
  std::set<int> pitches;
  for (const TTuneNote& n : score) pitches.insert(n.pitch);
  EXPECT_GE(pitches.size(), 16u);
  // In every bar the melody sounds over the accompaniment.
  const double bar = TuneLength() / 32;
  for (int b = 0; b < 32; ++b) {
    bool melody = false, accompaniment = false;
    for (const TTuneNote& n : score) {
      if (n.start < b * bar || n.start >= (b + 1) * bar) continue;
      (n.voice == TTuneVoice::Melody ? melody : accompaniment) = true;
      EXPECT_LT(n.start + n.length, TuneLength() + 3.0);
    }
    EXPECT_TRUE(melody && accompaniment) << "bar " << b;
  }
  // The pitches are really heard: each stands out of the long-term spectrum
  // against the quarter tones either side of it.
  const std::size_t size = 1 << 15;
  const std::vector<double> power = Spectrum(Mono(), size);
  auto at = [&](double f) { return power[static_cast<std::size_t>(std::lround(f * size / Rate))]; };
  int heard = 0;
  for (int p : pitches) {
    if (p < 55) continue;  // low notes lie too close to their quarter tones for these bins
    const double f = Frequency(p);
    heard += at(f) > 4 * at(f * std::pow(2.0, 0.5 / 12)) && at(f) > 4 * at(f * std::pow(2.0, -0.5 / 12));
  }
  EXPECT_GE(heard, 16);
}

TEST(Tune, KeepsItsEnergyBelowEightKilohertz) {
  const std::size_t size = 4096;
  const std::vector<double> power = Spectrum(Mono(), size);
  double total = 0, high = 0;
  for (std::size_t k = 1; k < power.size(); ++k) {
    total += power[k];
    if (static_cast<double>(k) * Rate / size >= 8000) high += power[k];
  }
  ASSERT_GT(total, 0);
  EXPECT_LE(10 * std::log10(high / total), -40.0);
}

TEST(Tune, IsMadeAtTheDevicesRateAndRefusesAnUnusableOne) {
  const std::vector<std::int16_t> low = MakeTune(22050);
  EXPECT_EQ(low.size(), 2 * static_cast<std::size_t>(std::llround(TuneLength() * 22050)));
  EXPECT_TRUE(MakeTune(0).empty());
  EXPECT_TRUE(MakeTune(-44100).empty());
  EXPECT_TRUE(MakeTune(10000000).empty());
}

}  // namespace
