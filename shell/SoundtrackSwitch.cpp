#include "shell/SoundtrackSwitch.h"

#include <QtConcurrent/QtConcurrentRun>

#include "present/MusicStream.h"
#include "present/Tune.h"
#include "shell/defines.h"

TSoundtrackSwitch::~TSoundtrackSwitch() = default;

void TSoundtrackSwitch::Follow() {
  if (SoundtrackOn) Compose();
  if (SoundtrackOn && MusicOn) stream_.Play();
  else stream_.Stop();
}

// The tune takes about a second to make: a worker thread makes it while the
// frames run on, and it starts playing once it is there, if still wanted.
void TSoundtrackSwitch::Compose() {
  const int rate = stream_.DeviceRate();
  if (composing_ || stream_.HasTune() || rate == 0) return;
  composing_ = std::make_unique<QFutureWatcher<std::vector<std::int16_t>>>();
  QObject::connect(composing_.get(), &QFutureWatcherBase::finished, composing_.get(), [this, rate] {
    stream_.SetTune(composing_->result(), rate);
    Follow();
  });
  composing_->setFuture(QtConcurrent::run([rate] { return MakeTune(rate); }));
}
