// Wave lists, the copy rules of Play and the software mixer.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "present/DXSound.h"
#include "present/SoundMixer.h"
#include "tests/present/PresentTestSupport.h"

namespace {

TWave WaveOf(const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  TWave wave;
  wave.LoadFromStream(stream);
  return wave;
}

TWave Constant16(std::int16_t value, int frames, std::uint32_t rate = 44100) {
  return WaveOf(WaveBuilder().Fmt(1, rate, 16).Data16(std::vector<std::int16_t>(frames, value)).Bytes);
}

struct OfflineSound {
  OfflineSound() {
    sound.AutoInitialize = false;
    list.SetDXSound(&sound);
  }
  TWaveCollectionItem& Add(const TWave& wave) {
    TWaveCollectionItem& item = list.Items.Add();
    item.Wave = wave;
    item.RebuildBuffer();
    return item;
  }
  std::vector<std::int16_t> Render(int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    sound.Mixer().Render(out.data(), frames);
    return out;
  }
  TDXSound sound;
  TDXWaveList list;
};

TEST(WaveList, ItemsWaitForTheDeviceAndRaiseOutsideTheList) {
  OfflineSound f;
  TWaveCollectionItem& item = f.Add(Constant16(1000, 100));
  EXPECT_FALSE(item.Initialized());
  item.Play();
  EXPECT_EQ(item.CopyCount(), 0);
  f.sound.InitializeOffline();
  EXPECT_TRUE(item.Initialized());
  item.Play();
  EXPECT_EQ(item.PlayingCount(), 1);
  try {
    f.list.Items.Items(3);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3)");
  }
  f.sound.Finalize();
  EXPECT_FALSE(item.Initialized());
  EXPECT_EQ(item.CopyCount(), 0);
}

TEST(WaveList, ThreeOverlappingPlaysMakeThreeCopiesThenReuseTheFirst) {
  OfflineSound f;
  f.sound.InitializeOffline();
  TWaveCollectionItem& item = f.Add(Constant16(1000, 300));
  item.Play();
  item.Play();
  item.Play();
  EXPECT_EQ(item.CopyCount(), 3);
  EXPECT_EQ(item.PlayingCount(), 3);
  f.Render(400);
  EXPECT_EQ(item.PlayingCount(), 0);
  item.Play();
  EXPECT_EQ(item.CopyCount(), 3);
  f.Render(10);
  EXPECT_EQ(item.CopyPosition(0), 10);
  EXPECT_EQ(item.PlayingCount(), 1);
  EXPECT_EQ(item.CopyPosition(3), -1);
}

TEST(WaveList, AtTheLimitTheFrontCopyRestartsAndMovesToTheEnd) {
  OfflineSound f;
  f.sound.InitializeOffline();
  TWaveCollectionItem& item = f.Add(Constant16(1000, 1000));
  item.SetMaxPlayingCount(2);
  item.Play();
  f.Render(100);
  item.Play();
  f.Render(100);
  EXPECT_EQ(item.CopyPosition(0), 200);
  EXPECT_EQ(item.CopyPosition(1), 100);
  item.Play();
  EXPECT_EQ(item.CopyCount(), 2);
  EXPECT_EQ(item.CopyPosition(0), 100);
  EXPECT_EQ(item.CopyPosition(1), 0);
  EXPECT_EQ(item.PlayingCount(), 2);
}

TEST(WaveList, ChangingTheLimitDropsCopiesAndNegativeMeansNone) {
  OfflineSound f;
  f.sound.InitializeOffline();
  TWaveCollectionItem& item = f.Add(Constant16(1000, 100));
  item.Play();
  item.Play();
  item.SetMaxPlayingCount(-3);
  EXPECT_EQ(item.MaxPlayingCount(), 0);
  EXPECT_EQ(item.CopyCount(), 2);
  item.SetMaxPlayingCount(1);
  EXPECT_EQ(item.CopyCount(), 0);
}

TEST(WaveList, AWaveWithoutSamplesNeverSounds) {
  OfflineSound f;
  f.sound.InitializeOffline();
  TWaveCollectionItem& item = f.Add(WaveOf(WaveBuilder().Fmt(1, 8000, 8).Bytes));
  item.Play();
  EXPECT_EQ(item.CopyCount(), 0);
  EXPECT_EQ(item.PlayingCount(), 0);
}

TEST(WaveList, UnplayableFormatsCannotBeMadeIntoBuffers) {
  OfflineSound f;
  f.sound.InitializeOffline();
  TWaveCollectionItem& item = f.list.Items.Add();
  item.Wave = WaveOf(WaveBuilder().Fmt(1, 8000, 24).Chunk("data", {1, 2, 3, 4, 5, 6}).Bytes);
  try {
    item.RebuildBuffer();
    FAIL();
  } catch (const EDXSoundError& e) {
    EXPECT_STREQ(e.what(), "Sound Buffer cannot be made");
  }
}

TEST(Mixer, OverlappingSoundsAreSummedAndClipped) {
  OfflineSound f;
  f.sound.InitializeOffline();
  TWaveCollectionItem& loud = f.Add(Constant16(20000, 100));
  TWaveCollectionItem& quiet = f.Add(Constant16(-3000, 50));
  loud.Play();
  auto out = f.Render(10);
  EXPECT_EQ(out[0], 20000);
  EXPECT_EQ(out[1], 20000);
  quiet.Play();
  loud.Play();  // a second copy of the loud sound on top of the first
  out = f.Render(60);
  EXPECT_EQ(out[0], 32767);  // 20000 + 20000 - 3000 clipped, not wrapped
  EXPECT_EQ(out[2 * 55], 32767);
  f.Render(30);  // the first loud copy ends at frame 100
  out = f.Render(10);
  EXPECT_EQ(out[0], 20000);
  out = f.Render(20);
  EXPECT_EQ(out[0], 0);

  TWaveCollectionItem& low = f.Add(Constant16(-20000, 10));
  low.Play();
  low.Play();
  out = f.Render(1);
  EXPECT_EQ(out[0], -32768);
}

TEST(Mixer, PanVolumeAndFrequencyApplyPerCopy) {
  OfflineSound f;
  f.sound.InitializeOffline();
  TWaveCollectionItem& item = f.Add(Constant16(16000, 100));
  item.SetPan(10000);
  item.Play();
  auto out = f.Render(1);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 16000);
  item.SetPan(0);
  item.SetVolume(-600);  // -6 dB: about half
  item.Play();
  out = f.Render(1);
  EXPECT_NEAR(out[0], 8019, 2);
  item.SetVolume(0);
  item.SetFrequency(88200);  // twice the wave's rate: done in half the time
  f.Render(200);
  item.Play();
  f.Render(50);
  EXPECT_EQ(item.PlayingCount(), 0);
}

TEST(Mixer, LoopedItemsPlayTheMainBufferUntilStopped) {
  OfflineSound f;
  f.sound.InitializeOffline();
  TWaveCollectionItem& item = f.Add(Constant16(500, 10));
  item.SetLooped(true);
  item.Play();
  auto out = f.Render(35);
  EXPECT_EQ(out[2 * 34], 500);
  EXPECT_EQ(item.PlayingCount(), 1);
  EXPECT_EQ(item.CopyCount(), 0);
  item.SetLooped(false);
  EXPECT_EQ(item.PlayingCount(), 0);
}

// The buffer is converted to the device format only when it first plays; it
// must still sound as the wave did when the buffer was made, with the
// item's settings of that moment.
TEST(WaveList, TheBufferKeepsTheWaveItWasMadeFromUntilItIsRebuilt) {
  OfflineSound f;
  f.sound.InitializeOffline();
  TWaveCollectionItem& item = f.Add(Constant16(700, 40));
  item.Wave = Constant16(-900, 40);
  item.Play();
  EXPECT_EQ(f.Render(1)[0], 700);
  f.Render(60);
  item.RebuildBuffer();
  item.Play();
  EXPECT_EQ(f.Render(1)[0], -900);
  f.Render(60);

  // A looped main buffer, its frequency and pan set before its first play:
  // at twice the wave's rate it steps two samples a frame.
  std::vector<std::int16_t> ramp(40);
  for (int i = 0; i < 40; ++i) ramp[i] = static_cast<std::int16_t>(i * 10);
  TWaveCollectionItem& looped = f.Add(WaveOf(WaveBuilder().Fmt(1, 44100, 16).Data16(ramp).Bytes));
  looped.SetLooped(true);
  looped.SetFrequency(88200);
  looped.SetPan(10000);
  looped.Play();
  const auto out = f.Render(3);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[3], 20);
  EXPECT_EQ(out[5], 40);
  EXPECT_EQ(out[4], 0);
  looped.SetLooped(false);  // stops it
  EXPECT_EQ(looped.PlayingCount(), 0);
}

TEST(Conversion, EightBitMonoBecomesStereoAtTheDeviceRate) {
  const TWave wave = WaveOf(WaveBuilder().Fmt(1, 22050, 8).Chunk("data", {128, 192, 64, 255}).Bytes);
  auto samples = ConvertWave(wave, 44100);
  ASSERT_TRUE(samples);
  ASSERT_EQ(samples->FrameCount(), 8u);
  EXPECT_EQ(samples->Frames[0], 0);
  EXPECT_EQ(samples->Frames[1], 0);
  EXPECT_EQ(samples->Frames[2], 32 * 256);  // halfway between 0 and 64 << 8
  EXPECT_EQ(samples->Frames[4], 64 * 256);
  EXPECT_EQ(samples->Frames[8], -64 * 256);
}

TEST(Conversion, SixteenBitMonoFillsBothChannels) {
  const TWave wave = WaveOf(WaveBuilder().Fmt(1, 22050, 16).Data16({1000, -1000}).Bytes);
  auto samples = ConvertWave(wave, 44100);
  ASSERT_TRUE(samples);
  EXPECT_EQ(samples->Frames, (std::vector<std::int16_t>{1000, 1000, 0, 0, -1000, -1000, -1000, -1000}));
}

TEST(Conversion, StereoKeepsItsChannelsAndOddBytesAreDropped) {
  const TWave wave = WaveOf(WaveBuilder().Fmt(2, 44100, 16).Data16({100, -100, 200, -200}).Bytes);
  auto samples = ConvertWave(wave, 44100);
  ASSERT_TRUE(samples);
  EXPECT_EQ(samples->Frames, (std::vector<std::int16_t>{100, -100, 200, -200}));
  const TWave partial = WaveOf(WaveBuilder().Fmt(2, 44100, 16).Chunk("data", {1, 0, 2}).Bytes);
  ASSERT_TRUE(ConvertWave(partial, 44100));
  EXPECT_EQ(ConvertWave(partial, 44100)->FrameCount(), 0u);
  const TWave slow = WaveOf(WaveBuilder().Fmt(1, 1, 16).Data16(std::vector<std::int16_t>(1000, 1)).Bytes);
  EXPECT_FALSE(ConvertWave(slow, 44100));  // 44 million frames: refused
}

// Sets an environment variable for one scope.
struct ScopedEnv {
  ScopedEnv(const char* name, const char* value) : name(name) {
    if (const char* old = std::getenv(name)) previous = old, had = true;
    setenv(name, value, 1);
  }
  ~ScopedEnv() { had ? setenv(name, previous.c_str(), 1) : unsetenv(name); }
  const char* name;
  std::string previous;
  bool had = false;
};

TEST(Device, WithoutAUsableDeviceTheGameStaysSilent) {
  ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
  OfflineSound f;
  TWaveCollectionItem& item = f.Add(Constant16(1000, 100));
  EXPECT_NO_THROW(f.sound.Initialize());
  EXPECT_FALSE(f.sound.Initialized());
  item.Play();
  EXPECT_EQ(item.CopyCount(), 0);
}

TEST(Device, TheDummyDriverOpensAndPlays) {
  ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
  OfflineSound f;
  TWaveCollectionItem& item = f.Add(Constant16(1000, 100));
  f.sound.Initialize();
  ASSERT_TRUE(f.sound.Initialized());
  EXPECT_TRUE(item.Initialized());
  item.Play(true);  // waits until the copy has finished
  EXPECT_EQ(item.PlayingCount(), 0);
  EXPECT_EQ(item.CopyCount(), 1);
}

TEST(Device, StartsByItselfOnceTheEventLoopTurns) {
  ScopedEnv driver("SDL_AUDIODRIVER", "dummy");
  TestApp();
  TDXSound sound;
  TDXWaveList list;
  list.SetDXSound(&sound);
  TWaveCollectionItem& item = list.Items.Add();
  item.Wave = Constant16(100, 10);
  EXPECT_FALSE(sound.Initialized());
  QCoreApplication::processEvents();
  EXPECT_TRUE(sound.Initialized());
  EXPECT_TRUE(item.Initialized());
  EXPECT_EQ(item.PlayingCount(), 0);
}

TEST(Device, TheDiskDriverCapturesTheMixedOutput) {
  const std::string path = ::testing::TempDir() + "zv_mixed_output.raw";
  std::remove(path.c_str());
  ScopedEnv driver("SDL_AUDIODRIVER", "disk");
  ScopedEnv file("SDL_DISKAUDIOFILE", path.c_str());
  ScopedEnv delay("SDL_DISKAUDIODELAY", "1");
  OfflineSound f;
  TWaveCollectionItem& first = f.Add(Constant16(20000, 2000));
  TWaveCollectionItem& second = f.Add(Constant16(20000, 2000));
  f.sound.Initialize();
  if (!f.sound.Initialized()) GTEST_SKIP() << "SDL has no disk audio driver here";
  first.Play();
  second.Play(true);
  f.sound.Finalize();

  std::FILE* raw = std::fopen(path.c_str(), "rb");
  ASSERT_NE(raw, nullptr);
  std::vector<std::int16_t> samples(1 << 20);
  samples.resize(std::fread(samples.data(), sizeof(std::int16_t), samples.size(), raw));
  std::fclose(raw);
  int clipped = 0, single = 0, negative = 0;
  for (std::int16_t s : samples) {
    clipped += s == 32767;
    single += s == 20000;
    negative += s < 0;
  }
  EXPECT_EQ(negative, 0);  // 40000 wrapped would show as -25536
  EXPECT_GT(clipped, 0);
  EXPECT_GE(clipped + single, 2 * 2000);  // at least one sound's length, both channels
}

}  // namespace
