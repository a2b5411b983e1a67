#include "present/MusicStream.h"

#include <utility>

#include "present/DXSound.h"
#include "present/SoundMixer.h"

TMusicStream::TMusicStream(TDXSound& device) : device_(device) {}

TMusicStream::~TMusicStream() {
  if (registered_ == nullptr) return;
  TSoundLock lock(*registered_);
  registered_->RemoveVoice(voice_.get());
}

TDXSound::Impl* TMusicStream::Mixer() const { return device_.Initialized() ? &device_.Mixer() : nullptr; }

void TMusicStream::SetTune(std::vector<std::int16_t> frames, int rate) {
  TDXSound::Impl* mixer = Mixer();
  if (mixer == nullptr || frames.size() < 2 || rate <= 0) return;
  auto samples = std::make_shared<TSoundSamples>();
  samples->Frames = std::move(frames);
  samples->Frames.resize(samples->Frames.size() / 2 * 2);
  samples->SourceRate = static_cast<std::uint32_t>(rate);
  samples->Peak = PeakOf(samples->Frames);
  auto voice = std::make_unique<TSoundVoice>();
  voice->Samples = std::move(samples);
  voice->Apply(0, 0, 0);
  voice->Looping = true;
  voice->Underlay = true;
  voice->Fade = voice->FadeTarget = 0;
  TSoundLock lock(*mixer);
  if (registered_ != nullptr) registered_->RemoveVoice(voice_.get());
  voice_ = std::move(voice);
  mixer->AddVoice(voice_.get());
  registered_ = mixer;
}

bool TMusicStream::HasTune() const { return voice_ != nullptr; }

void TMusicStream::Play() {
  if (registered_ == nullptr || registered_ != Mixer()) return;
  TSoundLock lock(*registered_);
  if (!voice_->Playing) voice_->Fade = 0;
  voice_->FadeTarget = 32768;
  voice_->Playing = true;
}

void TMusicStream::Stop() {
  if (registered_ == nullptr || registered_ != Mixer()) return;
  TSoundLock lock(*registered_);
  voice_->FadeTarget = 0;
}

bool TMusicStream::Playing() const {
  if (registered_ == nullptr) return false;
  TSoundLock lock(*registered_);
  return voice_->Playing;
}

long long TMusicStream::Position() const {
  if (registered_ == nullptr) return 0;
  TSoundLock lock(*registered_);
  return static_cast<long long>(voice_->Position >> 32);
}

int TMusicStream::DeviceRate() const {
  const TDXSound::Impl* mixer = Mixer();
  return mixer != nullptr ? mixer->Rate() : 0;
}
