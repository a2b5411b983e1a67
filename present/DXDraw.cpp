#include "present/DXDraw.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstring>

#include "present/RetainedTiles.h"

TDXDraw::TDXDraw(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);  // the hover marker follows the mouse with no button held
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TDXDraw::~TDXDraw() { StopDevice(); }

unsigned TDXDraw::EffectiveOptions() const {
  constexpr unsigned unsupported = doFullScreen | doFlip | do3D | doDirectX7Mode | doRetainedMode |
                                   doHardware | doSelectDriver | doZBuffer | doAllowPalette256;
  return Options & ~unsupported;
}

bool TDXDraw::HasForm() const { return parentWidget() != nullptr; }
int TDXDraw::ControlWidth() const { return width(); }
int TDXDraw::ControlHeight() const { return height(); }

void TDXDraw::SurfacesChanged() {
  front_ = QImage();
  update();
}

void TDXDraw::PresentFrame() {
  if (!started_ || updating_ || !SurfacesValid()) return;
  TDirectDrawSurface* back = BackSurface();
  if (back == nullptr) return;
  const QRect target = Target(*back);
  const std::vector<TRect> changes = back->TakeChanges();
  // A stretched frame is not copied pixel for pixel, so it goes whole.
  const bool whole = !SkipUnchanged() || front_.width() != back->Width() || front_.height() != back->Height() ||
                     target != target_ || target.size() != front_.size();
  if (whole) {
    PresentWhole(*back, target);
  } else {
    PresentChanges(*back, changes);
  }
}

QRect TDXDraw::Target(const TDirectDrawSurface& back) const {
  const unsigned options = EffectiveOptions();
  if (options & doStretch) return rect();
  if (options & doCenter)
    return QRect((width() - back.Width()) / 2, (height() - back.Height()) / 2, back.Width(), back.Height());
  return QRect(0, 0, back.Width(), back.Height());
}

void TDXDraw::PresentWhole(const TDirectDrawSurface& back, const QRect& target) {
  if (front_.width() != back.Width() || front_.height() != back.Height())
    front_ = QImage(back.Width(), back.Height(), QImage::Format_RGB32);
  for (int y = 0; y < back.Height(); ++y)
    std::memcpy(front_.scanLine(y), back.Line(y), static_cast<std::size_t>(back.Width()) * 4);
  target_ = target;
  presented_ = QRegion(rect());
  update();
}

// Each changed area is compared with the frame on screen; rows that really
// differ are copied and repainted, in bands as wide as the area.
void TDXDraw::PresentChanges(const TDirectDrawSurface& back, const std::vector<TRect>& changes) {
  presented_ = QRegion();
  for (const TRect& area : changes) {
    const std::size_t bytes = static_cast<std::size_t>(area.Width()) * 4;
    int bandTop = -1;
    for (int y = area.Top; y <= area.Bottom; ++y) {
      const bool differs = y < area.Bottom && std::memcmp(front_.constScanLine(y) + std::size_t(area.Left) * 4,
                                                          back.Line(y) + area.Left, bytes) != 0;
      if (differs) {
        std::memcpy(front_.scanLine(y) + std::size_t(area.Left) * 4, back.Line(y) + area.Left, bytes);
        if (bandTop < 0) bandTop = y;
      } else if (bandTop >= 0) {
        presented_ += QRect(area.Left, bandTop, area.Width(), y - bandTop).translated(target_.topLeft());
        bandTop = -1;
      }
    }
  }
  if (!presented_.isEmpty()) update(presented_);
}

void TDXDraw::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (front_.isNull() || !target_.contains(rect())) painter.fillRect(rect(), Qt::black);
  if (!front_.isNull()) painter.drawImage(target_, front_);
}

void TDXDraw::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  try {
    BoundsChanged(width(), height());
  } catch (const EDXDrawError&) {
    // The device has stopped; frames draw nothing until it is started again.
  }
}

void TDXDraw::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  if (!AutoInitialize || Started()) return;
  try {
    StartDevice();
  } catch (const EDXDrawError&) {
    // Left stopped; the owner may start it again and see the error then.
  }
}

void TDXDraw::mouseMoveEvent(QMouseEvent* event) {
  QWidget::mouseMoveEvent(event);
  if (OnMouseMove) {
    const QPoint p = event->position().toPoint();
    OnMouseMove(*this, p.x(), p.y(), event->modifiers());
  }
}
