// Reading RIFF/WAVE streams.
#include <gtest/gtest.h>

#include "present/Wave.h"
#include "tests/present/PresentTestSupport.h"

namespace {

std::string LoadError(const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  TWave wave;
  try {
    wave.LoadFromStream(stream);
  } catch (const EWaveStreamError& e) {
    return e.what();
  }
  return "";
}

TWave Load(const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  TWave wave;
  wave.LoadFromStream(stream);
  return wave;
}

TEST(WaveLoad, ReadsFormatAndSamples) {
  const TWave wave = Load(WaveBuilder().Fmt(2, 22050, 16).Data16({1, -2, 3, -4}).Bytes);
  EXPECT_EQ(wave.FormatSize(), 16u);
  EXPECT_EQ(wave.FormatTag(), 1);
  EXPECT_EQ(wave.Channels(), 2);
  EXPECT_EQ(wave.SamplesPerSec(), 22050u);
  EXPECT_EQ(wave.BitsPerSample(), 16);
  ASSERT_EQ(wave.DataSize(), 8u);
  EXPECT_EQ(wave.Data(), (std::vector<std::uint8_t>{1, 0, 0xFE, 0xFF, 3, 0, 0xFC, 0xFF}));
}

TEST(WaveLoad, ChunkOrderDoesNotMatter) {
  const TWave usual = Load(WaveBuilder().Fmt(1, 8000, 8).Chunk("data", {1, 2, 3, 4}).Bytes);
  const TWave reversed = Load(WaveBuilder().Chunk("data", {1, 2, 3, 4}).Fmt(1, 8000, 8).Bytes);
  EXPECT_EQ(usual.Format(), reversed.Format());
  EXPECT_EQ(usual.Data(), reversed.Data());
}

TEST(WaveLoad, OddChunksAreFollowedByAPadByte) {
  const TWave wave = Load(
      WaveBuilder().Chunk("LIST", {9, 9, 9}).Fmt(1, 8000, 8).Chunk("data", {5, 6, 7}).Chunk("junk", {1}).Bytes);
  EXPECT_EQ(wave.Data(), (std::vector<std::uint8_t>{5, 6, 7}));
  EXPECT_EQ(wave.SamplesPerSec(), 8000u);
}

TEST(WaveLoad, LaterChunksReplaceEarlierOnes) {
  const TWave wave = Load(
      WaveBuilder().Fmt(1, 8000, 8).Chunk("data", {1, 2}).Fmt(2, 11025, 16).Chunk("data", {3, 4, 5, 6}).Bytes);
  EXPECT_EQ(wave.SamplesPerSec(), 11025u);
  EXPECT_EQ(wave.Data(), (std::vector<std::uint8_t>{3, 4, 5, 6}));
}

TEST(WaveLoad, WithoutADataChunkThereAreNoSamples) {
  const TWave wave = Load(WaveBuilder().Fmt(1, 8000, 8).Bytes);
  EXPECT_EQ(wave.DataSize(), 0u);
  EXPECT_TRUE(wave.Data().empty());
  EXPECT_EQ(wave.FormatSize(), 16u);
}

TEST(WaveLoad, StartsAtTheStreamPosition) {
  std::vector<std::uint8_t> bytes = {0xAA, 0xBB, 0xCC};
  const auto wave = WaveBuilder().Fmt(1, 8000, 8).Chunk("data", {7, 8}).Bytes;
  bytes.insert(bytes.end(), wave.begin(), wave.end());
  TMemoryStream stream(bytes);
  stream.Seek(3);
  TWave loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(loaded.Data(), (std::vector<std::uint8_t>{7, 8}));
}

TEST(WaveLoad, BrokenStreamsRaiseNamedErrors) {
  EXPECT_EQ(LoadError({'R', 'I', 'F', 'F', 0, 0}), "Stream read error");
  std::vector<std::uint8_t> notWave = WaveBuilder().Fmt(1, 8000, 8).Bytes;
  notWave[8] = 'X';
  EXPECT_EQ(LoadError(notWave), "Wave is invalid");
  EXPECT_EQ(LoadError(WaveBuilder().Chunk("fmt ", {1, 0, 1, 0, 0x40, 0x1F, 0, 0}).Bytes), "Wave is invalid");
  EXPECT_EQ(LoadError(WaveBuilder().Chunk("data", {1, 2}).Bytes), "Wave is invalid");

  // A data chunk that claims more than the stream holds.
  std::vector<std::uint8_t> truncated = WaveBuilder().Fmt(1, 8000, 8).Chunk("data", {1, 2, 3, 4}).Bytes;
  truncated.resize(truncated.size() - 2);
  EXPECT_EQ(LoadError(truncated), "Stream read error");
  // A format chunk running past the end.
  std::vector<std::uint8_t> shortFmt = WaveBuilder().Fmt(1, 8000, 8).Bytes;
  shortFmt.resize(shortFmt.size() - 4);
  EXPECT_EQ(LoadError(shortFmt), "Stream read error");
  // Sizes near 4 GiB are refused without reading or allocating.
  std::vector<std::uint8_t> huge = WaveBuilder().Fmt(1, 8000, 8).Chunk("data", {}).Bytes;
  huge[huge.size() - 1] = 0xFF;
  huge[huge.size() - 2] = 0xFF;
  EXPECT_EQ(LoadError(huge), "Stream read error");
}

TEST(WaveLoad, LoadingAgainClearsThePreviousWave) {
  TWave wave = Load(WaveBuilder().Fmt(1, 8000, 8).Chunk("data", {1, 2, 3, 4}).Bytes);
  TMemoryStream bad(std::vector<std::uint8_t>{'x'});
  EXPECT_THROW(wave.LoadFromStream(bad), EWaveStreamError);
  EXPECT_EQ(wave.DataSize(), 0u);
  EXPECT_EQ(wave.FormatSize(), 0u);
}

TEST(WaveData, StorageGrowsInBlocksOf8096Bytes) {
  TWave wave;
  std::vector<std::uint8_t> bytes(9000, 1);
  wave.SetData(bytes.data(), 100);
  EXPECT_EQ(wave.Data().capacity(), 8096u);
  wave.SetData(bytes.data(), 9000);
  EXPECT_EQ(wave.Data().capacity(), 2u * 8096u);
  EXPECT_EQ(wave.DataSize(), 9000u);
  TWave copy = wave;
  EXPECT_EQ(copy.Data(), wave.Data());
  // Copies share their samples until one is given others.
  EXPECT_EQ(copy.Data().data(), wave.Data().data());
  std::vector<std::uint8_t> other(50, 7);
  copy.SetData(other.data(), other.size());
  EXPECT_EQ(copy.Data(), other);
  EXPECT_EQ(wave.Data(), bytes);
  EXPECT_EQ(copy.Data().capacity(), 8096u);
  copy.Clear();
  EXPECT_EQ(wave.DataSize(), 9000u);
  EXPECT_TRUE(copy.Data().empty());
}

}  // namespace
