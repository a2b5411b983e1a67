#pragma once
// A looping tune played under the sound effects: it gives way to them so the
// mix never clips, starts and stops with a fade of a few milliseconds so
// neither clicks, and resumes where it stopped. It must not outlive its
// device. No SDL header here.
#include <cstdint>
#include <memory>
#include <vector>

#include "present/DXSound.h"

struct TSoundVoice;

class TMusicStream {
 public:
  explicit TMusicStream(TDXSound& device);
  ~TMusicStream();
  TMusicStream(const TMusicStream&) = delete;
  TMusicStream& operator=(const TMusicStream&) = delete;

  // The tune as interleaved stereo 16-bit frames at `rate`; it replaces any
  // tune before and waits, silent, for Play. Without a sound device it is
  // dropped and the stream stays silent.
  void SetTune(std::vector<std::int16_t> frames, int rate);
  bool HasTune() const;
  // Starts, or resumes where it stopped.
  void Play();
  // Fades out at once and keeps its place.
  void Stop();
  // Sounding, or still fading out.
  bool Playing() const;
  // Frames played from the tune's start, within the loop.
  long long Position() const;
  // Frames a second the device plays, the rate to make a tune at; 0
  // without a device.
  int DeviceRate() const;

 private:
  TDXSound::Impl* Mixer() const;
  TDXSound& device_;
  std::unique_ptr<TSoundVoice> voice_;
  TDXSound::Impl* registered_ = nullptr;  // the mixer the voice was added to
};
