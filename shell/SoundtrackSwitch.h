#pragma once
// "Trilha sonora" together with "Música": the tune is composed the first time
// it is wanted, away from the frames, and plays while both are on.
#include <QFutureWatcher>
#include <cstdint>
#include <memory>
#include <vector>

class TMusicStream;

class TSoundtrackSwitch {
 public:
  explicit TSoundtrackSwitch(TMusicStream& stream) : stream_(stream) {}
  // A tune still being made is let go.
  ~TSoundtrackSwitch();

  // Follows SoundtrackOn and MusicOn.
  void Follow();

 private:
  void Compose();

  TMusicStream& stream_;
  // The tune being composed, until it is done.
  std::unique_ptr<QFutureWatcher<std::vector<std::int16_t>>> composing_;
};
