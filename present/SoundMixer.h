#pragma once
// The software mixer under TDXSound: waves converted once to the device
// format, playing copies (voices) that share those samples, and the mixing
// step the audio callback runs. No SDL type appears here, so tests and the
// fuzzer can drive the mixer offline.
#include <cstdint>
#include <memory>
#include <vector>

#include "present/Wave.h"

// Interleaved stereo 16-bit frames at the device rate.
struct TSoundSamples {
  std::vector<std::int16_t> Frames;
  std::uint32_t SourceRate = 0;  // the wave's own sample rate
  std::int32_t Peak = 0;         // the largest sample's magnitude
  std::size_t FrameCount() const { return Frames.size() / 2; }
};

// The largest magnitude among 16-bit samples.
std::int32_t PeakOf(const std::vector<std::int16_t>& samples);

// A wave in the device format, or null when it is not 8- or 16-bit PCM with
// one or two channels (or would be unreasonably long once converted).
std::shared_ptr<const TSoundSamples> ConvertWave(const TWave& wave, int deviceRate);
// Whether ConvertWave would give samples, without converting.
bool CanConvertWave(const TWave& wave, int deviceRate);

// Gain out of 32768 for an attenuation in hundredths of a decibel (<= 0).
std::int32_t GainFromHundredthsDb(int attenuation);

struct TSoundVoice {
  std::shared_ptr<const TSoundSamples> Samples;
  std::uint64_t Position = 0;         // frames, 32.32 fixed point
  std::uint64_t Step = 1ull << 32;    // frames per output frame, 32.32
  std::int32_t GainLeft = 32768;
  std::int32_t GainRight = 32768;
  bool Playing = false;
  bool Looping = false;
  // Mixed under the other voices: it takes only the headroom they leave, so
  // the sum never clips, and comes back up slowly once they are done.
  bool Underlay = false;
  // An underlay voice fades (out of 32768) towards FadeTarget within a few
  // milliseconds; faded out, it stops and keeps its position.
  std::int32_t Fade = 32768;
  std::int32_t FadeTarget = 32768;
  std::int32_t Duck = 32768;  // the headroom gain of the last chunk
  // Takes an item's frequency, pan and volume.
  void Apply(int frequency, int pan, int volume);
};

// Frames over which an underlay voice fades in or out: under 6 ms.
inline constexpr int UnderlayFadeFrames = 256;

struct TSoundMixer {
  TSoundMixer();
  ~TSoundMixer();
  // Opens the default audio device; false (and silence) when there is none.
  bool Open();
  // A mixer with no device: Render is then driven by the caller.
  void OpenOffline(int rate);
  void Close();
  bool IsOpen() const { return open_; }
  bool Offline() const { return open_ && device_ == 0; }
  int Rate() const { return rate_; }

  // Guards the voices against the audio thread; a no-op without a device.
  void Lock();
  void Unlock();
  // Both need the lock held.
  void AddVoice(TSoundVoice* voice);
  void RemoveVoice(TSoundVoice* voice);

  // Mixes frames stereo frames of every playing voice into out, clipped to
  // 16 bits. Allocation-free; the caller holds the lock (or has no device).
  void Render(std::int16_t* out, int frames);

 private:
  static void Callback(void* userdata, std::uint8_t* stream, int length);
  // Adds the playing underlay voices to the first n frames of the chunk,
  // each within what the other voices left of full scale.
  void MixUnderlay(int n);
  std::uint32_t device_ = 0;
  bool open_ = false;
  bool subsystem_ = false;
  int rate_ = 44100;
  std::vector<TSoundVoice*> voices_;
  std::vector<std::int32_t> mix_;  // one chunk of stereo sums
};

// Holds the mixer lock for a scope.
class TSoundLock {
 public:
  explicit TSoundLock(TSoundMixer& mixer) : mixer_(mixer) { mixer_.Lock(); }
  ~TSoundLock() { mixer_.Unlock(); }
  TSoundLock(const TSoundLock&) = delete;
  TSoundLock& operator=(const TSoundLock&) = delete;

 private:
  TSoundMixer& mixer_;
};
