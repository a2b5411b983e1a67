// The sound mixer's work for one second of output, with nothing playing and
// with the soundtrack playing under it: the time per iteration, out of a
// second, is the share of a core the audio thread spends. And the making of
// the soundtrack, which runs once, away from the frame loop.
#include <benchmark/benchmark.h>

#include <vector>

#include "present/MusicStream.h"
#include "present/DXSound.h"
#include "present/SoundMixer.h"
#include "present/Tune.h"

namespace {

constexpr int Rate = 44100;

void BM_MixSecond(benchmark::State& state) {
  TDXSound sound;
  sound.AutoInitialize = false;
  sound.InitializeOffline(Rate);
  TMusicStream music(sound);
  if (state.range(0) != 0) {
    music.SetTune(MakeTune(Rate), Rate);
    music.Play();
  }
  std::vector<std::int16_t> out(2 * Rate);
  for (auto _ : state) {
    sound.Mixer().Render(out.data(), Rate);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_MixSecond)->ArgName("soundtrack")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_MakeTune(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(MakeTune(Rate).data());
}
BENCHMARK(BM_MakeTune)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
