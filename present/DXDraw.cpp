#include "present/DXDraw.h"

#include <QMouseEvent>
#include <QPainter>
#include <cstring>

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
  const TDirectDrawSurface* back = BackSurface();
  if (back == nullptr) return;
  if (front_.width() != back->Width() || front_.height() != back->Height())
    front_ = QImage(back->Width(), back->Height(), QImage::Format_RGB32);
  for (int y = 0; y < back->Height(); ++y)
    std::memcpy(front_.scanLine(y), back->Line(y), static_cast<std::size_t>(back->Width()) * 4);
  const unsigned options = EffectiveOptions();
  if (options & doStretch) {
    target_ = rect();
  } else if (options & doCenter) {
    target_ = QRect((width() - back->Width()) / 2, (height() - back->Height()) / 2, back->Width(),
                    back->Height());
  } else {
    target_ = QRect(0, 0, back->Width(), back->Height());
  }
  update();
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
