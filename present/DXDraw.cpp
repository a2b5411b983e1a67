#include "present/DXDraw.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cstring>

#include "present/Surface.h"

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

// Each changed area is compared with the frame on screen; the rows that
// really differ are copied, and the area from the first of them to the last
// is repainted as one rectangle (a water tile changes every other row, and
// a rectangle per row would cost more to repaint than the rows between).
void TDXDraw::PresentChanges(const TDirectDrawSurface& back, const std::vector<TRect>& changes) {
  presented_ = QRegion();
  for (const TRect& area : changes) {
    const std::size_t offset = static_cast<std::size_t>(area.Left) * 4;
    const std::size_t bytes = static_cast<std::size_t>(area.Width()) * 4;
    int first = -1, last = -1;
    for (int y = area.Top; y < area.Bottom; ++y) {
      const std::uint32_t* from = back.Line(y) + area.Left;
      if (std::memcmp(front_.constScanLine(y) + offset, from, bytes) == 0) continue;
      std::memcpy(front_.scanLine(y) + offset, from, bytes);
      if (first < 0) first = y;
      last = y;
    }
    if (first >= 0) presented_ += QRect(area.Left, first, area.Width(), last + 1 - first).translated(target_.topLeft());
  }
  if (!presented_.isEmpty()) update(presented_);
}

void TDXDraw::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (front_.isNull() || !target_.contains(rect())) painter.fillRect(rect(), Qt::black);
  if (front_.isNull()) return;
  if (target_.size() != front_.size()) {
    painter.drawImage(target_, front_);
    return;
  }
  // Only the parts asked for: drawn whole under a clip of many small
  // rectangles, the frame would cost as much as repainting all of it. Each
  // goes in bands: the toolkit splits a copy of 96 rows or more among its
  // pooled threads, and for the few changed areas of a frame, waking them
  // costs more than the copy does (a whole window still copies in a few
  // milliseconds on this thread alone).
  for (const QRect& area : event->region()) {
    const QRect part = area & target_;
    for (int top = part.top(); top <= part.bottom(); top += PresentBandRows) {
      const QRect band(part.left(), top, part.width(), std::min(PresentBandRows, part.bottom() + 1 - top));
      painter.drawImage(band.topLeft(), front_, band.translated(-target_.topLeft()));
    }
  }
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
