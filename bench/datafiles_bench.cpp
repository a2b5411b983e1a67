// Package extraction against plain zlib inflate of the same entries: the
// reader's own work (file access, unscrambling, growing the output) should
// cost little next to the decompression itself.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "datafiles/zolpackformat.h"
#include "datafiles/zolpackload.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Pixel-art-like picture bytes: flat runs of a few colours with some grain,
// compressing about as well as the game's tiles.
Bytes PictureBytes(std::size_t size, std::uint32_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const std::uint8_t base = static_cast<std::uint8_t>((i / 48) % 7 * 36);
    bytes[i] = (seed >> 28) == 0 ? static_cast<std::uint8_t>(seed >> 20) : base;
  }
  return bytes;
}

// 16-bit sound samples: a decaying tone with noise, which compresses poorly.
Bytes SoundBytes(std::size_t size, std::uint32_t seed) {
  Bytes bytes(size);
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    seed = seed * 1664525u + 1013904223u;
    const double tone = std::sin(double(i) * 0.03) * 9000.0 * std::exp(-double(i) / double(size));
    const auto sample = static_cast<std::int16_t>(tone + double(static_cast<std::int8_t>(seed >> 24)) * 8);
    bytes[i] = static_cast<std::uint8_t>(sample);
    bytes[i + 1] = static_cast<std::uint8_t>(sample >> 8);
  }
  return bytes;
}

// Thirteen entries of about 1 MB in all, like the game's own package: five
// pictures and eight sounds.
struct TBenchPackage {
  TBenchPackage() {
    for (int i = 0; i < 5; ++i) Add("picture" + std::to_string(i) + ".bmp", PictureBytes(150000 + 7000 * i, i + 1));
    for (int i = 0; i < 8; ++i) Add("sound" + std::to_string(i) + ".wav", SoundBytes(30000 + 2000 * i, i + 11));
    std::vector<TZolPackStoredEntry> entries;
    for (std::size_t i = 0; i < Names.size(); ++i) {
      Bytes stored = Compressed[i];
      ZolPackCrypt(stored.data(), stored.size());
      entries.push_back({Names[i], stored});
    }
    Path = (std::filesystem::temp_directory_path() / "zolvorn_bench.dpf").string();
    const Bytes package = ZolPackBuild('g', entries);
    std::FILE* file = std::fopen(Path.c_str(), "wb");
    std::fwrite(package.data(), 1, package.size(), file);
    std::fclose(file);
  }
  ~TBenchPackage() { std::filesystem::remove(Path); }

  void Add(const std::string& name, const Bytes& plain) {
    Names.push_back(name);
    Plain.push_back(plain);
    Compressed.push_back(ZolPackEncode(plain, {false, true}));
    DecodedBytes += plain.size();
  }

  std::vector<std::string> Names;
  std::vector<Bytes> Plain;
  std::vector<Bytes> Compressed;
  std::int64_t DecodedBytes = 0;
  std::string Path;
};

const TBenchPackage& Package() {
  static const TBenchPackage package;
  return package;
}

void BM_ExtractAll(benchmark::State& state) {
  const TBenchPackage& package = Package();
  TZolPackLoad reader;
  if (!reader.AbrePacote(package.Path)) state.SkipWithError("package not opened");
  Bytes block;
  for (auto _ : state) {
    for (const std::string& name : package.Names) {
      reader.ExtrairDados(name, block);
      benchmark::DoNotOptimize(block.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * package.DecodedBytes);
}
BENCHMARK(BM_ExtractAll)->Unit(benchmark::kMillisecond);

void BM_RawInflate(benchmark::State& state) {
  const TBenchPackage& package = Package();
  Bytes out;
  for (auto _ : state) {
    for (std::size_t i = 0; i < package.Compressed.size(); ++i) {
      out.resize(package.Plain[i].size());
      uLongf length = static_cast<uLongf>(out.size());
      uncompress(out.data(), &length, package.Compressed[i].data(), static_cast<uLong>(package.Compressed[i].size()));
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * package.DecodedBytes);
}
BENCHMARK(BM_RawInflate)->Unit(benchmark::kMillisecond);

}  // namespace
