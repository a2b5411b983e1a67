#pragma once
// The double-buffered drawing surface as a widget: the frame is drawn on the
// off-screen BackSurface and shown with one copy by PresentFrame.
#include <QWidget>
#include <functional>
#include <stdexcept>

#include "present/SurfaceDevice.h"

class EDXDrawError : public std::runtime_error {  // "Form not found", "%s cannot be made"
  using std::runtime_error::runtime_error;
};

enum TDXDrawOption : unsigned {
  doFullScreen = 1u << 0, doNoWindowChange = 1u << 1, doAllowReboot = 1u << 2,
  doWaitVBlank = 1u << 3, doAllowPalette256 = 1u << 4, doSystemMemory = 1u << 5,
  doStretch = 1u << 6, doCenter = 1u << 7, doFlip = 1u << 8, do3D = 1u << 9,
  doDirectX7Mode = 1u << 10, doRetainedMode = 1u << 11, doHardware = 1u << 12,
  doSelectDriver = 1u << 13, doZBuffer = 1u << 14,
};

class TDXDraw : public QWidget, public TSurfaceDevice {
 public:
  explicit TDXDraw(QWidget* parent = nullptr);
  ~TDXDraw() override;

  bool AutoInitialize = true;
  bool AutoSize = true;
  unsigned Options = doCenter;
  unsigned EffectiveOptions() const;

  void StartDevice();
  void StopDevice();
  void RestoreSurfaces();
  bool ReadyToDraw();
  TDirectDrawSurface* BackSurface() override;
  void PresentFrame();
  int SurfaceWidth() const;
  int SurfaceHeight() const;

  std::function<void(TDXDraw&, int x, int y, Qt::KeyboardModifiers)> OnMouseMove;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
