#pragma once
// The toolkit-free side of the drawing surface: its started/updating state,
// its back surface and the notice list the image lists listen to. TDXDraw
// (the widget) derives from it and only adds the window: where the control
// sits, how large it is and how the back surface reaches the screen.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "present/Surface.h"

class EDXDrawError : public std::runtime_error {  // "Form not found", "%s cannot be made"
  using std::runtime_error::runtime_error;
};

enum TSurfaceNotice : std::uint8_t {
  snDestroying = 0,
  snStarting = 1,
  snStarted = 2,
  snSurfacesMade = 3,
  snStopping = 4,
  snSurfacesFreeing = 5,
  snRestored = 6,
  snResized = 7,
};

class TSurfaceDevice;

class TSurfaceListener {
 public:
  virtual ~TSurfaceListener() = default;
  virtual void SurfaceNotice(TSurfaceDevice& sender, TSurfaceNotice notice) = 0;
};

class TSurfaceDevice {
 public:
  TSurfaceDevice();
  virtual ~TSurfaceDevice();
  TSurfaceDevice(const TSurfaceDevice&) = delete;
  TSurfaceDevice& operator=(const TSurfaceDevice&) = delete;

  bool Started() const { return started_; }
  bool Updating() const { return updating_; }
  // The surface the frame is drawn on; null while not started.
  virtual TDirectDrawSurface* BackSurface();

  // Registering with a started device delivers snStarted at once and, unless
  // it is in the middle of starting, snRestored.
  void RegisterListener(TSurfaceListener* listener);
  void UnregisterListener(TSurfaceListener* listener);

  // The surface size follows the control's bounds while this is set.
  bool AutoSize = true;

  // Makes the back surface (sized to the control with AutoSize) and tells
  // the listeners; raises EDXDrawError and leaves the device stopped.
  void StartDevice();
  void StopDevice();
  void RestoreSurfaces();
  bool ReadyToDraw();
  int SurfaceWidth() const { return surfaceWidth_; }
  int SurfaceHeight() const { return surfaceHeight_; }
  // The control's bounds changed to width x height.
  void BoundsChanged(int width, int height);

  // Surfaces on this back end live in ordinary memory and are never taken
  // away; this marks them lost so the restore path can be driven anyway.
  void LoseSurfaces() { lost_ = true; }

  std::function<void(TSurfaceDevice&)> OnInitializing;
  std::function<void(TSurfaceDevice&)> OnInitialize;
  std::function<void(TSurfaceDevice&)> OnFinalize;
  std::function<void(TSurfaceDevice&)> OnInitializeSurface;
  std::function<void(TSurfaceDevice&)> OnFinalizeSurface;
  std::function<void(TSurfaceDevice&)> OnRestoreSurface;

 protected:
  // Sends a notice from the last registered listener to the first.
  void Notify(TSurfaceNotice notice);
  // Whether the control belongs to a form (a window it is placed in).
  virtual bool HasForm() const { return true; }
  // The control's size, which the surface takes when AutoSize is set.
  virtual int ControlWidth() const { return surfaceWidth_; }
  virtual int ControlHeight() const { return surfaceHeight_; }
  // Called after the back surface was made, remade or freed.
  virtual void SurfacesChanged() {}
  // Surface validity: brings lost surfaces back; false when still lost.
  bool SurfacesValid();

  bool started_ = false;
  bool updating_ = false;

 private:
  void MakeBackSurface();
  void FireEvent(const std::function<void(TSurfaceDevice&)>& event);

  std::vector<TSurfaceListener*> listeners_;
  std::unique_ptr<TDirectDrawSurface> back_;
  // While a start or a resize replaces the back surface: the old one's
  // memory, for the new one to reuse.
  bool keepStorage_ = false;
  TSurfacePixels spare_;
  int surfaceWidth_ = 1;
  int surfaceHeight_ = 1;
  bool starting_ = false;
  bool lost_ = false;
  bool initializeFired_ = false;
  bool initializeSurfaceFired_ = false;
};
