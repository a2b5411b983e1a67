// The soundtrack's stream on an offline mixer: it starts, stops within a
// frame without a click, resumes where it stopped, loops, and gives way to
// the effects so that the mix never reaches full scale because of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "present/MusicStream.h"
#include "present/DXSound.h"
#include "present/SoundMixer.h"
#include "tests/present/PresentTestSupport.h"

namespace {

constexpr int Rate = 44100;
constexpr int FrameOfTheGame = Rate * 66 / 1000;  // one 66 ms frame of the map view

// A second of a 441 Hz tone, 100 periods, so it loops seamlessly.
std::vector<std::int16_t> Tone(int amplitude) {
  std::vector<std::int16_t> frames(2 * Rate);
  for (int i = 0; i < Rate; ++i) {
    const auto s = static_cast<std::int16_t>(std::lround(amplitude * std::sin(2 * M_PI * 441.0 * i / Rate)));
    frames[2 * i] = frames[2 * i + 1] = s;
  }
  return frames;
}

struct OfflineMusic {
  OfflineMusic() {
    sound.AutoInitialize = false;
    sound.InitializeOffline(Rate);
    effects.SetDXSound(&sound);
  }
  std::vector<std::int16_t> Render(int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    sound.Mixer().Render(out.data(), frames);
    return out;
  }
  TWaveCollectionItem& AddEffect(const std::vector<std::int16_t>& mono) {
    TMemoryStream stream(WaveBuilder().Fmt(1, Rate, 16).Data16(mono).Bytes);
    TWaveCollectionItem& item = effects.Items.Add();
    item.Wave.LoadFromStream(stream);
    item.RebuildBuffer();
    return item;
  }
  TDXSound sound;
  TDXWaveList effects;
  TMusicStream music{sound};
};

int Loudest(const std::vector<std::int16_t>& samples, std::size_t from = 0) {
  int loudest = 0;
  for (std::size_t i = from; i < samples.size(); ++i) loudest = std::max(loudest, std::abs(static_cast<int>(samples[i])));
  return loudest;
}

int LargestStep(const std::vector<std::int16_t>& samples) {
  int step = 0;
  for (std::size_t i = 2; i < samples.size(); ++i) step = std::max(step, std::abs(samples[i] - samples[i - 2]));
  return step;
}

TEST(MusicStream, WaitsSilentlyThenStartsWithoutAClick) {
  OfflineMusic f;
  f.music.SetTune(Tone(8000), Rate);
  ASSERT_TRUE(f.music.HasTune());
  EXPECT_FALSE(f.music.Playing());
  EXPECT_EQ(Loudest(f.Render(FrameOfTheGame)), 0);
  f.music.Play();
  const std::vector<std::int16_t> start = f.Render(FrameOfTheGame);
  EXPECT_TRUE(f.music.Playing());
  EXPECT_GT(Loudest(start), 7900);
  // The fade in keeps every step within the tone's own.
  EXPECT_LE(LargestStep(start), LargestStep(Tone(8000)) + 2);
  EXPECT_LT(std::abs(start[0]), 200);
}

TEST(MusicStream, StopsWithinAFrameAndResumesWhereItStopped) {
  OfflineMusic f;
  f.music.SetTune(Tone(8000), Rate);
  f.music.Play();
  f.Render(3000);
  f.music.Stop();
  const std::vector<std::int16_t> stopping = f.Render(FrameOfTheGame);
  EXPECT_FALSE(f.music.Playing());
  EXPECT_EQ(Loudest(stopping, 2 * UnderlayFadeFrames), 0) << "silent well within the frame";
  EXPECT_LE(LargestStep(stopping), LargestStep(Tone(8000)) + 2) << "a fade, not a click";
  const long long kept = f.music.Position();
  EXPECT_GT(kept, 3000);
  EXPECT_EQ(Loudest(f.Render(10000)), 0);
  EXPECT_EQ(f.music.Position(), kept);
  f.music.Play();
  f.Render(1000);
  EXPECT_EQ(f.music.Position(), kept + 1000);
  // Stopping and playing again within one chunk does not lose the place either.
  f.music.Stop();
  f.music.Play();
  EXPECT_GT(Loudest(f.Render(2000)), 7900);
}

TEST(MusicStream, LoopsRoundItsEndWithoutAGap) {
  OfflineMusic f;
  f.music.SetTune(Tone(8000), Rate);
  f.music.Play();
  f.Render(Rate - 500);
  const std::vector<std::int16_t> round = f.Render(1000);
  EXPECT_LT(f.music.Position(), 1000);
  EXPECT_LE(LargestStep(round), LargestStep(Tone(8000)) + 2);
  EXPECT_GT(Loudest(round, 1000), 7900);
}

TEST(MusicStream, GivesWayToTheEffectsSoTheMixNeverClips) {
  OfflineMusic f;
  // Music at -6 dBFS under a plop near full scale: summed plainly they
  // would pass full scale on every peak.
  f.music.SetTune(Tone(16422), Rate);
  std::vector<std::int16_t> effect(Rate / 2);
  for (std::size_t i = 0; i < effect.size(); ++i) effect[i] = static_cast<std::int16_t>(std::lround(30000 * std::sin(2 * M_PI * 300.0 * i / Rate)));
  TWaveCollectionItem& plop = f.AddEffect(effect);
  f.music.Play();
  f.Render(4000);
  plop.Play();
  const std::vector<std::int16_t> mixed = f.Render(Rate / 2);
  EXPECT_LT(Loudest(mixed), 32767) << "no sample at the rail";
  // The effect is heard in full: its peaks stand as loud as they are alone.
  EXPECT_GE(Loudest(mixed), 29000);
  // Once the effect is over the music comes back to its own level.
  f.Render(Rate / 2);
  EXPECT_GT(Loudest(f.Render(4000)), 16000);
}

TEST(MusicStream, AStoppedStreamLeavesTheEffectsMixAsItWas) {
  OfflineMusic with, without;
  with.music.SetTune(Tone(16000), Rate);
  std::vector<std::int16_t> effect(3000, 20000);
  with.AddEffect(effect).Play();
  without.AddEffect(effect).Play();
  EXPECT_EQ(with.Render(4000), without.Render(4000));
}

TEST(MusicStream, WithoutASoundDeviceItStaysSilentAndHoldsNoTune) {
  TDXSound sound;
  sound.AutoInitialize = false;
  TMusicStream music(sound);
  music.SetTune(Tone(8000), Rate);
  EXPECT_FALSE(music.HasTune());
  music.Play();
  EXPECT_FALSE(music.Playing());
  music.Stop();
  // An empty or broken tune is refused as well.
  sound.InitializeOffline(Rate);
  music.SetTune({}, Rate);
  music.SetTune(Tone(8000), 0);
  EXPECT_FALSE(music.HasTune());
}

}  // namespace
