#pragma once
// The double-buffered drawing surface as a widget: the frame is drawn on the
// off-screen BackSurface and shown with one copy by PresentFrame. Starting,
// stopping, restoring, resizing and the notices live in TSurfaceDevice; this
// class adds the window. A TDXDraw must sit inside a form (have a parent
// widget), or StartDevice fails with "Form not found".
#include <QImage>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <vector>

#include "present/SurfaceDevice.h"

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
  unsigned Options = doCenter;
  // Options this back end honours: windowed copies only.
  unsigned EffectiveOptions() const;

  // Copies the back surface to the control (centred with doCenter, over the
  // whole control with doStretch) and asks for a repaint. Only what differs
  // from the frame on screen is copied and repainted.
  void PresentFrame();
  // What the control shows, and the part of the control the last
  // PresentFrame asked to repaint.
  const QImage& FrontImage() const { return front_; }
  const QRegion& PresentedRegion() const { return presented_; }
  // The most rows a repaint copies in one piece (see paintEvent).
  static constexpr int PresentBandRows = 64;

  std::function<void(TDXDraw&, int x, int y, Qt::KeyboardModifiers)> OnMouseMove;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

  bool HasForm() const override;
  int ControlWidth() const override;
  int ControlHeight() const override;
  void SurfacesChanged() override;

 private:
  QRect Target(const TDirectDrawSurface& back) const;
  void PresentWhole(const TDirectDrawSurface& back, const QRect& target);
  void PresentChanges(const TDirectDrawSurface& back, const std::vector<TRect>& changes);

  QImage front_;   // what the control shows
  QRect target_;   // where it shows it
  QRegion presented_;
  bool shownOnce_ = false;
};
