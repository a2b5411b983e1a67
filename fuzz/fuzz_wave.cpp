// Arbitrary bytes as a RIFF/WAVE stream: loading either succeeds or raises
// the wave error, and a loaded wave converts to the mixer's format safely.
#include <cstddef>
#include <cstdint>

#include "present/DXSound.h"
#include "present/SoundMixer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream(data, size);
  TWave wave;
  try {
    wave.LoadFromStream(stream);
  } catch (const EWaveStreamError&) {
    return 0;
  }
  if (wave.DataSize() > wave.Data().size()) __builtin_trap();
  // Short waves only, so slow sample rates cannot turn one input into
  // millions of frames.
  if (wave.DataSize() <= 4096 && wave.SamplesPerSec() >= 1000) ConvertWave(wave, 44100);
  return 0;
}
