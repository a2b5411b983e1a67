#include "present/SurfaceDevice.h"

#include <algorithm>
#include <new>

TSurfaceDevice::TSurfaceDevice() = default;

TSurfaceDevice::~TSurfaceDevice() {
  // A derived device stops itself while it is still whole; this covers a
  // plain device and makes sure no listener keeps a pointer to it.
  StopDevice();
  Notify(snDestroying);
}

TDirectDrawSurface* TSurfaceDevice::BackSurface() { return started_ ? back_.get() : nullptr; }

void TSurfaceDevice::RegisterListener(TSurfaceListener* listener) {
  if (listener == nullptr) return;
  if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
  listeners_.push_back(listener);
  if (!started_) return;
  listener->SurfaceNotice(*this, snStarted);
  if (!starting_ && !updating_) listener->SurfaceNotice(*this, snRestored);
}

void TSurfaceDevice::UnregisterListener(TSurfaceListener* listener) {
  std::erase(listeners_, listener);
}

void TSurfaceDevice::Notify(TSurfaceNotice notice) {
  // A listener may drop its registration (or another's) while it is told,
  // so walk a snapshot and skip whoever has left in the meantime.
  const std::vector<TSurfaceListener*> snapshot = listeners_;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    if (std::find(listeners_.begin(), listeners_.end(), *it) == listeners_.end()) continue;
    (*it)->SurfaceNotice(*this, notice);
  }
}

void TSurfaceDevice::FireEvent(const std::function<void(TSurfaceDevice&)>& event) {
  if (event) event(*this);
}

void TSurfaceDevice::MakeBackSurface() {
  TSurfacePixels storage = std::move(spare_);
  spare_ = {};
  try {
    back_ = std::make_unique<TDirectDrawSurface>(surfaceWidth_, surfaceHeight_, std::move(storage));
  } catch (const std::bad_alloc&) {
    back_.reset();
    throw EDXDrawError("Surface cannot be made");
  } catch (const std::length_error&) {
    back_.reset();
    throw EDXDrawError("Surface cannot be made");
  }
}

void TSurfaceDevice::StartDevice() {
  {
    // The old back surface's memory is kept for the new one, even if a
    // listener throws while the device stops.
    struct TKeepStorage {
      bool& keep;
      ~TKeepStorage() { keep = false; }
    } keeping{keepStorage_};
    keepStorage_ = true;
    StopDevice();
  }
  if (!HasForm()) throw EDXDrawError("Form not found");
  try {
    FireEvent(OnInitializing);
    updating_ = true;
    starting_ = true;
    Notify(snStarting);
    if (AutoSize) {
      surfaceWidth_ = std::max(ControlWidth(), 1);
      surfaceHeight_ = std::max(ControlHeight(), 1);
    }
    MakeBackSurface();
    lost_ = false;
  } catch (...) {
    starting_ = false;
    updating_ = false;
    StopDevice();
    back_.reset();
    throw;
  }
  started_ = true;
  updating_ = false;
  SurfacesChanged();
  Notify(snResized);
  Notify(snStarted);
  FireEvent(OnInitialize);
  initializeFired_ = true;
  Notify(snSurfacesMade);
  FireEvent(OnInitializeSurface);
  initializeSurfaceFired_ = true;
  starting_ = false;
  RestoreSurfaces();
}

void TSurfaceDevice::StopDevice() {
  if (!started_) return;
  updating_ = true;
  if (initializeSurfaceFired_) {
    initializeSurfaceFired_ = false;
    FireEvent(OnFinalizeSurface);
  }
  Notify(snSurfacesFreeing);
  if (initializeFired_) {
    initializeFired_ = false;
    FireEvent(OnFinalize);
  }
  Notify(snStopping);
  started_ = false;
  if (keepStorage_ && back_) spare_ = back_->TakeStorage();
  back_.reset();
  updating_ = false;
  SurfacesChanged();
}

void TSurfaceDevice::RestoreSurfaces() {
  if (!started_ || updating_) return;
  updating_ = true;
  lost_ = false;  // memory surfaces always come back
  if (back_) back_->Fill(0xFF000000u);
  Notify(snRestored);
  FireEvent(OnRestoreSurface);
  updating_ = false;
}

bool TSurfaceDevice::SurfacesValid() {
  if (!lost_) return true;
  RestoreSurfaces();
  return !lost_;
}

bool TSurfaceDevice::ReadyToDraw() {
  return started_ && !updating_ && back_ != nullptr && SurfacesValid();
}

void TSurfaceDevice::BoundsChanged(int width, int height) {
  if (!AutoSize || updating_) return;
  const int w = std::max(width, 1);
  const int h = std::max(height, 1);
  if (w == surfaceWidth_ && h == surfaceHeight_) return;
  surfaceWidth_ = w;
  surfaceHeight_ = h;
  if (started_) {
    updating_ = true;
    try {
      Notify(snSurfacesFreeing);
      spare_ = back_ ? back_->TakeStorage() : TSurfacePixels{};
      back_.reset();
      MakeBackSurface();
      Notify(snSurfacesMade);
      FireEvent(OnInitializeSurface);
      initializeSurfaceFired_ = true;
    } catch (...) {
      updating_ = false;
      StopDevice();
      throw;
    }
    updating_ = false;
    SurfacesChanged();
  }
  Notify(snResized);
}
