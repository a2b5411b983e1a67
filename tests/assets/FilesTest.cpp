// The files the build wrote: bitmaps that decode to the drawn pictures, clean
// waves, and the package that carries them all.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "AssetTestSupport.h"
#include "assets/art/Files.h"
#include "assets/art/Sheets.h"
#include "assets/art/Sounds.h"
#ifdef ZV_HAVE_PACKAGE_READER
#include "datafiles/zolpackload.h"
#endif

namespace {

using namespace assettest;

constexpr const char* PackageOrder[13] = {"chao.bmp",    "casas.bmp",   "equip.bmp",   "constru.bmp", "status.bmp",
                                          "bulldoze.wav", "ops.wav",     "plop.wav",    "compra.wav",  "birds01.wav",
                                          "birds02.wav", "birds03.wav", "chuva01.wav"};

TEST(BitmapFiles, DecodeBottomUpToTheDrawnPictures) {
  struct TCase {
    const char* name;
    art::TCanvas (*make)();
  };
  const TCase cases[] = {{"chao.bmp", art::MakeChao}, {"casas.bmp", art::MakeCasas}, {"equip.bmp", art::MakeEquip},
                         {"constru.bmp", art::MakeConstru}, {"status.bmp", art::MakeStatus}};
  for (const TCase& c : cases) {
    std::string why;
    const art::TCanvas decoded = DecodeBmp24(ReadBytes(ArtFile(c.name)), why);
    ASSERT_GT(decoded.Width(), 0) << c.name << ": " << why;
    const art::TCanvas drawn = c.make();
    ASSERT_EQ(decoded.Width(), drawn.Width()) << c.name;
    ASSERT_EQ(decoded.Height(), drawn.Height()) << c.name;
    for (int y = 0; y < drawn.Height(); ++y)
      for (int x = 0; x < drawn.Width(); ++x)
        ASSERT_EQ(decoded.Get(x, y), drawn.Get(x, y) | 0xFF000000u) << c.name << " at " << x << "," << y;
  }
}

TEST(BitmapFiles, RowsArePaddedToFourBytes) {
  art::TCanvas odd(5, 2, 0xFF102030u);
  const art::TBytes b = art::EncodeBmp(odd);
  EXPECT_EQ(b.size(), 54u + 2 * 16);
  std::string why;
  const art::TCanvas back = DecodeBmp24(b, why);
  ASSERT_EQ(back.Width(), 5) << why;
  EXPECT_EQ(back.Get(4, 1), 0xFF102030u);
}

struct TWaveInfo {
  std::uint32_t format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<std::int16_t> samples;
  std::string why;
};

TWaveInfo ReadWave(const TBytes& b) {
  TWaveInfo w;
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" || std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
    return w.why = "not RIFF/WAVE", w;
  if (Le32(b, 4) + 8 != b.size()) return w.why = "RIFF size disagrees with the file", w;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::string id(b.begin() + at, b.begin() + at + 4);
    const std::uint32_t size = Le32(b, at + 4);
    if (at + 8 + size > b.size()) return w.why = "chunk runs past the end", w;
    if (id == "fmt ") {
      w.format = Le16(b, at + 8);
      w.channels = Le16(b, at + 10);
      w.rate = Le32(b, at + 12);
      w.bits = Le16(b, at + 22);
      if (Le16(b, at + 20) != w.channels * w.bits / 8 || Le32(b, at + 16) != w.rate * w.channels * w.bits / 8)
        w.why = "block align or byte rate wrong";
    } else if (id == "data") {
      for (std::size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(static_cast<std::int16_t>(Le16(b, at + 8 + i)));
    }
    at += 8 + size + (size & 1);
  }
  return w;
}

TEST(WaveFiles, PcmShortCleanAndBelowFullScale) {
  const double limit = 32768.0 * std::pow(10.0, -1.0 / 20.0);  // -1 dBFS
  for (int i = 5; i < 13; ++i) {
    const std::string name = PackageOrder[i];
    const TWaveInfo w = ReadWave(ReadBytes(ArtFile(name)));
    ASSERT_TRUE(w.why.empty()) << name << ": " << w.why;
    EXPECT_EQ(w.format, 1u) << name;
    EXPECT_EQ(w.bits, 16u) << name;
    EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << name;
    ASSERT_EQ(w.channels, 1u) << name;
    const double seconds = static_cast<double>(w.samples.size()) / w.rate;
    EXPECT_GT(seconds, 0.1) << name;
    EXPECT_LT(seconds, name == "chuva01.wav" ? 12.0 : 3.0) << name;
    int peak = 0;
    for (std::int16_t s : w.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_LE(peak, limit) << name;
    EXPECT_GT(peak, 32768 / 8) << name << " is nearly silent";
    // Fades at both ends: the sound starts and stops at silence and stays
    // under -20 dBFS for its first and last millisecond.
    EXPECT_LE(std::abs(w.samples.front()), 64) << name << " starts with a click";
    EXPECT_LE(std::abs(w.samples.back()), 64) << name << " ends with a click";
    const std::size_t ms = w.rate / 1000;
    for (std::size_t k = 0; k < ms; ++k) {
      EXPECT_LT(std::abs(w.samples[k]), 3277) << name << " has no fade-in";
      EXPECT_LT(std::abs(w.samples[w.samples.size() - 1 - k]), 3277) << name << " has no fade-out";
    }
  }
}

TEST(WaveFiles, TheThreeBirdCallsDiffer) {
  const auto a = ReadBytes(ArtFile("birds01.wav")), b = ReadBytes(ArtFile("birds02.wav")), c = ReadBytes(ArtFile("birds03.wav"));
  EXPECT_NE(a, b);
  EXPECT_NE(b, c);
  EXPECT_NE(a, c);
}

TEST(WaveFiles, EncoderWritesTheHeaderItClaims) {
  const art::TBytes b = art::EncodeWav({0, 1000, -1000, 32767, -32768}, 22050);
  const TWaveInfo w = ReadWave(b);
  ASSERT_TRUE(w.why.empty()) << w.why;
  EXPECT_EQ(w.rate, 22050u);
  EXPECT_EQ(w.samples, (std::vector<std::int16_t>{0, 1000, -1000, 32767, -32768}));
}

#ifdef ZV_HAVE_PACKAGE_READER
TEST(Package, HoldsTheThirteenEntriesInOrderAsBuilt) {
  TZolPackLoad reader;
  ASSERT_TRUE(reader.AbrePacote(DataFile("data.dpf"))) << reader.Erro();
  ASSERT_EQ(reader.ArquivosPacote(), 13);
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(reader.PegaNome(i + 1), PackageOrder[i]);
    std::vector<std::uint8_t> block;
    ASSERT_TRUE(reader.ExtrairDados(PackageOrder[i], block)) << PackageOrder[i] << ": " << reader.Erro();
    EXPECT_EQ(block, ReadBytes(ArtFile(PackageOrder[i]))) << PackageOrder[i];
  }
}
#endif

}  // namespace
