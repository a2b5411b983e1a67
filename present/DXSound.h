#pragma once
// The sound device and the wave list: waves played by index with
// overlapping copies, mixed in software on one audio device. No SDL header
// here; SDL stays inside the implementation.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "present/ListError.h"
#include "present/Wave.h"

class EDXSoundError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

class TDXSound;
struct TSoundMixer;
class TWaveCollection;
struct TSoundVoice;  // a playing copy; defined by the mixer

class TWaveCollectionItem {
 public:
  explicit TWaveCollectionItem(TWaveCollection& collection);
  ~TWaveCollectionItem();

  std::string Name;
  TWave Wave;

  bool Looped() const { return looped_; }
  void SetLooped(bool looped);
  int MaxPlayingCount() const { return maxPlayingCount_; }
  void SetMaxPlayingCount(int count);  // negative counts as 0 (no limit)
  int Frequency() const { return frequency_; }
  void SetFrequency(int hz);           // 0: the wave's own rate
  int Pan() const { return pan_; }
  void SetPan(int pan);                // -10000 (left) .. 10000 (right), hundredths of dB
  int Volume() const { return volume_; }
  void SetVolume(int volume);          // -10000 .. 0, hundredths of dB

  bool Initialized() const { return initialized_; }
  void Initialize();
  void Finalize();
  void RebuildBuffer();
  void Play(bool wait = false);
  int CopyCount() const;     // copies made so far (for tests and diagnostics)
  int PlayingCount() const;  // copies sounding now, and the main buffer when looping
  // Frames copy index has played since it started; -1 when there is no such copy.
  long long CopyPosition(int index) const;

 private:
  struct Impl;
  void ReleaseVoices();
  void ConvertBuffer();
  void StopAll();
  TWaveCollection& collection_;
  bool looped_ = false;
  int maxPlayingCount_ = 0;
  int frequency_ = 0;
  int pan_ = 0;
  int volume_ = 0;
  bool initialized_ = false;
  std::unique_ptr<Impl> impl_;
};

class TWaveCollection {
 public:
  TWaveCollection();
  ~TWaveCollection();
  int Count() const { return static_cast<int>(items_.size()); }
  TWaveCollectionItem& Items(int index);  // EListError when out of range
  TWaveCollectionItem& Add();
  TDXSound* Device() const { return device_; }
  void Initialize(TDXSound& device);
  void Finalize();
  void Restore();

 private:
  std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
  TDXSound* device_ = nullptr;
};

class TDXWaveList {
  friend class TDXSound;
 public:
  TDXWaveList();
  ~TDXWaveList();
  TWaveCollection Items;
  TDXSound* DXSound() const { return dxsound_; }
  void SetDXSound(TDXSound* sound);

 private:
  TDXSound* dxsound_ = nullptr;
};

class TDXSound {
 public:
  TDXSound();
  ~TDXSound();
  bool AutoInitialize = true;
  // Opens the default audio device; without one the game stays silent and
  // nothing is reported.
  void Initialize();
  // A mixer with no audio device, run by Mixer().Render: for tests and tools.
  void InitializeOffline(int rate = 44100);
  void Finalize();
  bool Initialized() const;

  void Attach(TDXWaveList& list);
  void Detach(TDXWaveList& list);

  // The software mixer the device feeds from (present/SoundMixer.h).
  using Impl = TSoundMixer;
  Impl& Mixer();

 private:
  struct Owner;
  void StartLists();
  std::unique_ptr<Impl> impl_;
  std::unique_ptr<Owner> owner_;
  std::vector<TDXWaveList*> lists_;
};
