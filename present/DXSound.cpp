#include "present/DXSound.h"

#include <SDL.h>

#include <QCoreApplication>
#include <QObject>
#include <QTimer>
#include <algorithm>
#include <string>

#include "present/SoundMixer.h"

struct TWaveCollectionItem::Impl {
  // The buffer in the wave's own format, until the first play converts it
  // to the device's: a conversion quadruples a 22 kHz mono wave, and start-up
  // need not pay that for sounds that may never play.
  std::unique_ptr<const TWave> unconverted;
  std::shared_ptr<const TSoundSamples> samples;
  std::unique_ptr<TSoundVoice> main;                  // the template the copies share samples with
  std::vector<std::unique_ptr<TSoundVoice>> copies;   // in the order Play rotates them
};

namespace {

TDXSound::Impl* MixerOf(TWaveCollection& collection) {
  TDXSound* device = collection.Device();
  return device != nullptr && device->Initialized() ? &device->Mixer() : nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// TWaveCollectionItem

TWaveCollectionItem::TWaveCollectionItem(TWaveCollection& collection)
    : collection_(collection), impl_(std::make_unique<Impl>()) {}

TWaveCollectionItem::~TWaveCollectionItem() { ReleaseVoices(); }

void TWaveCollectionItem::ReleaseVoices() {
  if (!impl_->main && impl_->copies.empty()) return;
  if (TDXSound::Impl* mixer = MixerOf(collection_)) {
    TSoundLock lock(*mixer);
    if (impl_->main) mixer->RemoveVoice(impl_->main.get());
    for (auto& copy : impl_->copies) mixer->RemoveVoice(copy.get());
  }
  impl_->main.reset();
  impl_->copies.clear();
  impl_->samples.reset();
  impl_->unconverted.reset();
}

void TWaveCollectionItem::StopAll() {
  TDXSound::Impl* mixer = MixerOf(collection_);
  if (mixer == nullptr) return;
  TSoundLock lock(*mixer);
  if (impl_->main) impl_->main->Playing = false;
  for (auto& copy : impl_->copies) copy->Playing = false;
}

void TWaveCollectionItem::SetLooped(bool looped) {
  if (looped == looped_) return;
  StopAll();
  looped_ = looped;
}

void TWaveCollectionItem::SetMaxPlayingCount(int count) {
  count = std::max(count, 0);
  if (count == maxPlayingCount_) return;
  maxPlayingCount_ = count;
  // Copies made under the old limit are dropped; the main buffer stays.
  if (TDXSound::Impl* mixer = MixerOf(collection_)) {
    TSoundLock lock(*mixer);
    for (auto& copy : impl_->copies) mixer->RemoveVoice(copy.get());
  }
  impl_->copies.clear();
}

namespace {

template <typename Setter>
void ApplyToMain(TWaveCollection& collection, TSoundVoice* main, Setter&& apply) {
  TDXSound::Impl* mixer = MixerOf(collection);
  if (mixer == nullptr || main == nullptr) return;
  TSoundLock lock(*mixer);
  apply(*main);
}

}  // namespace

void TWaveCollectionItem::SetFrequency(int hz) {
  frequency_ = hz;
  ApplyToMain(collection_, impl_->main.get(), [this](TSoundVoice& v) { v.Apply(frequency_, pan_, volume_); });
}

void TWaveCollectionItem::SetPan(int pan) {
  pan_ = pan;
  ApplyToMain(collection_, impl_->main.get(), [this](TSoundVoice& v) { v.Apply(frequency_, pan_, volume_); });
}

void TWaveCollectionItem::SetVolume(int volume) {
  volume_ = volume;
  ApplyToMain(collection_, impl_->main.get(), [this](TSoundVoice& v) { v.Apply(frequency_, pan_, volume_); });
}

void TWaveCollectionItem::Initialize() { initialized_ = true; }

void TWaveCollectionItem::Finalize() {
  ReleaseVoices();
  initialized_ = false;
}

void TWaveCollectionItem::RebuildBuffer() {
  if (Wave.DataSize() == 0) return;
  if (!initialized_) {
    if (MixerOf(collection_) == nullptr) return;
    ReleaseVoices();
    initialized_ = true;
  }
  TDXSound::Impl* mixer = MixerOf(collection_);
  if (mixer == nullptr) return;
  if (!CanConvertWave(Wave, mixer->Rate())) throw EDXSoundError("Sound Buffer cannot be made");
  auto unconverted = std::make_unique<const TWave>(Wave);
  auto fresh = impl_->main ? nullptr : std::make_unique<TSoundVoice>();
  TSoundLock lock(*mixer);
  if (fresh) {
    impl_->main = std::move(fresh);
    mixer->AddVoice(impl_->main.get());
  }
  impl_->unconverted = std::move(unconverted);
  impl_->samples.reset();
  impl_->main->Playing = false;
  impl_->main->Samples = nullptr;
  impl_->main->Apply(frequency_, pan_, volume_);
}

// Converts the buffer to the device format if no play has done it yet.
void TWaveCollectionItem::ConvertBuffer() {
  TDXSound::Impl* mixer = MixerOf(collection_);
  if (mixer == nullptr || impl_->samples || !impl_->unconverted || !impl_->main) return;
  // The format and length passed the check when the buffer was made.
  std::shared_ptr<const TSoundSamples> samples = ConvertWave(*impl_->unconverted, mixer->Rate());
  if (!samples) return;
  TSoundLock lock(*mixer);
  impl_->samples = std::move(samples);
  impl_->unconverted.reset();
  impl_->main->Samples = impl_->samples;
  impl_->main->Apply(frequency_, pan_, volume_);
}

void TWaveCollectionItem::Play(bool wait) {
  if (!initialized_) return;
  TDXSound::Impl* mixer = MixerOf(collection_);
  if (mixer == nullptr) return;
  if (!impl_->main) RebuildBuffer();
  if (!impl_->main) return;  // a wave without samples never sounds
  ConvertBuffer();
  if (!impl_->samples) return;

  if (looped_) {
    TSoundLock lock(*mixer);
    TSoundVoice& main = *impl_->main;
    main.Position = 0;
    main.Looping = true;
    main.Playing = true;
    return;
  }

  TSoundVoice* chosen = nullptr;
  {
    TSoundLock lock(*mixer);
    for (auto& copy : impl_->copies) {
      if (!copy->Playing && !copy->Looping) {
        chosen = copy.get();
        break;
      }
    }
    if (chosen == nullptr && maxPlayingCount_ > 0 &&
        static_cast<int>(impl_->copies.size()) >= maxPlayingCount_) {
      // The limit is reached: the oldest copy restarts and goes to the back.
      std::rotate(impl_->copies.begin(), impl_->copies.begin() + 1, impl_->copies.end());
      chosen = impl_->copies.back().get();
    }
  }
  if (chosen == nullptr) {
    auto copy = std::make_unique<TSoundVoice>();
    chosen = copy.get();
    TSoundLock lock(*mixer);
    mixer->AddVoice(chosen);
    impl_->copies.push_back(std::move(copy));
  }
  {
    TSoundLock lock(*mixer);
    chosen->Playing = false;
    chosen->Samples = impl_->samples;  // shared, never copied
    chosen->Position = 0;
    chosen->Looping = false;
    chosen->Apply(frequency_, pan_, volume_);
    chosen->Playing = true;
  }
  if (!wait || mixer->Offline()) return;
  for (;;) {
    {
      TSoundLock lock(*mixer);
      if (!chosen->Playing) return;
    }
    SDL_Delay(10);
  }
}

int TWaveCollectionItem::CopyCount() const { return static_cast<int>(impl_->copies.size()); }

int TWaveCollectionItem::PlayingCount() const {
  TDXSound::Impl* mixer = MixerOf(collection_);
  if (mixer == nullptr) return 0;
  TSoundLock lock(*mixer);
  int playing = impl_->main && impl_->main->Playing ? 1 : 0;
  for (const auto& copy : impl_->copies) playing += copy->Playing ? 1 : 0;
  return playing;
}

long long TWaveCollectionItem::CopyPosition(int index) const {
  if (index < 0 || index >= CopyCount()) return -1;
  TDXSound::Impl* mixer = MixerOf(collection_);
  if (mixer == nullptr) return -1;
  TSoundLock lock(*mixer);
  return static_cast<long long>(impl_->copies[index]->Position >> 32);
}

// ---------------------------------------------------------------------------
// TWaveCollection

TWaveCollection::TWaveCollection() = default;

TWaveCollection::~TWaveCollection() { Finalize(); }

TWaveCollectionItem& TWaveCollection::Items(int index) {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return *items_[index];
}

TWaveCollectionItem& TWaveCollection::Add() {
  items_.push_back(std::make_unique<TWaveCollectionItem>(*this));
  return *items_.back();
}

void TWaveCollection::Initialize(TDXSound& device) {
  Finalize();
  device_ = &device;
  for (auto& item : items_) item->Initialize();
}

void TWaveCollection::Finalize() {
  for (auto& item : items_) item->Finalize();
  device_ = nullptr;
}

void TWaveCollection::Restore() {
  for (auto& item : items_) item->RebuildBuffer();
}

// ---------------------------------------------------------------------------
// TDXWaveList

TDXWaveList::TDXWaveList() = default;

TDXWaveList::~TDXWaveList() { SetDXSound(nullptr); }

void TDXWaveList::SetDXSound(TDXSound* sound) {
  if (sound == dxsound_) return;
  if (dxsound_ != nullptr) dxsound_->Detach(*this);
  dxsound_ = sound;
  if (sound != nullptr) sound->Attach(*this);
}

// ---------------------------------------------------------------------------
// TDXSound

struct TDXSound::Owner {
  // Runs the automatic start once the event loop turns, after the owner has
  // set AutoInitialize; destroying it cancels that start.
  QObject guard;
};

TDXSound::TDXSound() : impl_(std::make_unique<Impl>()), owner_(std::make_unique<Owner>()) {
  if (QCoreApplication::instance() == nullptr) return;
  QTimer::singleShot(0, &owner_->guard, [this] {
    if (AutoInitialize && !Initialized()) Initialize();
  });
}

TDXSound::~TDXSound() {
  owner_.reset();
  Finalize();
  const std::vector<TDXWaveList*> lists = lists_;
  for (TDXWaveList* list : lists) list->SetDXSound(nullptr);
}

void TDXSound::Initialize() {
  Finalize();
  if (!impl_->Open()) return;  // no device: silent, and nothing is said
  StartLists();
}

void TDXSound::InitializeOffline(int rate) {
  Finalize();
  impl_->OpenOffline(rate);
  StartLists();
}

void TDXSound::StartLists() {
  for (TDXWaveList* list : lists_) list->Items.Initialize(*this);
  for (TDXWaveList* list : lists_) list->Items.Restore();
}

void TDXSound::Finalize() {
  for (TDXWaveList* list : lists_) list->Items.Finalize();
  impl_->Close();
}

bool TDXSound::Initialized() const { return impl_->IsOpen(); }

void TDXSound::Attach(TDXWaveList& list) {
  if (std::find(lists_.begin(), lists_.end(), &list) == lists_.end()) lists_.push_back(&list);
  if (Initialized()) {
    list.Items.Initialize(*this);
    list.Items.Restore();
  }
}

void TDXSound::Detach(TDXWaveList& list) {
  std::erase(lists_, &list);
  if (list.Items.Device() == this) list.Items.Finalize();
  if (list.dxsound_ == this) list.dxsound_ = nullptr;
}

TDXSound::Impl& TDXSound::Mixer() { return *impl_; }
