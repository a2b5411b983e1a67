#pragma once
// The toolkit-free side of the drawing surface: its started/updating state,
// its back surface and the notice list the image lists listen to. TDXDraw
// (the widget) derives from it.
#include <cstdint>
#include <vector>

#include "present/Surface.h"

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
  virtual ~TSurfaceDevice();
  bool Started() const { return started_; }
  bool Updating() const { return updating_; }
  // The surface the frame is drawn on; null while not started.
  virtual TDirectDrawSurface* BackSurface() = 0;

  // Registering with a started device delivers snStarted at once and, unless
  // it is in the middle of starting, snRestored.
  void RegisterListener(TSurfaceListener* listener);
  void UnregisterListener(TSurfaceListener* listener);

 protected:
  // Sends a notice from the last registered listener to the first.
  void Notify(TSurfaceNotice notice);
  bool started_ = false;
  bool updating_ = false;

 private:
  std::vector<TSurfaceListener*> listeners_;
};
