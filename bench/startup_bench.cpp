// The game's own work at start-up, apart from the toolkit's: decoding the
// package's pictures and sounds into the lists, and cutting the pictures
// into patterns when the drawing surface starts. Run from the build folder,
// where data/data.dpf lies.
#include <benchmark/benchmark.h>

#include <array>

#include "datafiles/zolpackload.h"
#include "present/DXImageList.h"
#include "present/DXSound.h"

namespace {

constexpr const char* Package = "data/data.dpf";
// The entries in the order the main window reads them.
constexpr std::array<const char*, 4> GroundEntries = {"chao.bmp", "casas.bmp", "equip.bmp", "constru.bmp"};
constexpr std::array<const char*, 8> WaveEntries = {"bulldoze.wav", "ops.wav",     "plop.wav",    "compra.wav",
                                                    "birds01.wav",  "birds02.wav", "birds03.wav", "chuva01.wav"};

struct TLists {
  TDXImageList chao, outros;
  TDXWaveList audio;
};

bool Decode(TLists& lists, TDXSound* sound) {
  if (sound != nullptr) lists.audio.SetDXSound(sound);
  TZolPackLoad pack;
  if (!pack.AbrePacote(Package)) return false;
  for (const char* entry : GroundEntries) {
    if (!pack.ExtrairArquivo(entry, &lists.chao.Items, nullptr)) return false;
    TPictureCollectionItem& item = lists.chao.Items.Items(lists.chao.Items.Count() - 1);
    item.PatternWidth = item.PatternHeight = 24;
    item.Transparent = true;
    item.SetTransparentColor(0x00FF00FF);
  }
  if (!pack.ExtrairArquivo("status.bmp", &lists.outros.Items, nullptr)) return false;
  for (const char* entry : WaveEntries)
    if (!pack.ExtrairArquivo(entry, nullptr, &lists.audio.Items)) return false;
  pack.Reseta();
  return true;
}

void BM_StartupPackage(benchmark::State& state) {
  TDXSound sound;
  sound.InitializeOffline();
  for (auto _ : state) {
    TLists lists;
    if (!Decode(lists, &sound)) {
      state.SkipWithError("data/data.dpf is missing or broken");
      return;
    }
    benchmark::DoNotOptimize(lists.chao.Items.Count());
  }
}
BENCHMARK(BM_StartupPackage)->Unit(benchmark::kMillisecond);

// What the package no longer pays: each sound is converted to the device
// format when it first plays (here all eight, one after the other).
void BM_FirstPlayOfEverySound(benchmark::State& state) {
  TDXSound sound;
  sound.InitializeOffline();
  TLists lists;
  if (!Decode(lists, &sound)) {
    state.SkipWithError("data/data.dpf is missing or broken");
    return;
  }
  for (auto _ : state) {
    lists.audio.Items.Restore();  // buffers made anew, not yet converted
    for (int i = 0; i < lists.audio.Items.Count(); ++i) lists.audio.Items.Items(i).Play();
  }
}
BENCHMARK(BM_FirstPlayOfEverySound)->Unit(benchmark::kMillisecond);

void BM_StartupPatterns(benchmark::State& state) {
  TLists lists;
  if (!Decode(lists, nullptr)) {
    state.SkipWithError("data/data.dpf is missing or broken");
    return;
  }
  TSurfaceDevice device;
  device.BoundsChanged(640, 507);
  lists.chao.SetDXDraw(&device);
  lists.outros.SetDXDraw(&device);
  for (auto _ : state) {
    device.StartDevice();  // the image lists cut their pictures here
    benchmark::DoNotOptimize(lists.chao.Items.Items(0).PatternCount());
  }
  lists.chao.SetDXDraw(nullptr);
  lists.outros.SetDXDraw(nullptr);
}
BENCHMARK(BM_StartupPatterns)->Unit(benchmark::kMillisecond);

}  // namespace
