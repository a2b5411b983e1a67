#include "view/MouseNavigation.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>

#include "shell/defines.h"
#include "view/ZoomScroll.h"

namespace {
// Nearest whole number of tiles in `pixels`, halves away from zero.
int RoundToTiles(int pixels, int tileSize) {
  return pixels >= 0 ? (pixels + tileSize / 2) / tileSize : -((-pixels + tileSize / 2) / tileSize);
}
}  // namespace

TMouseNavigation::TMouseNavigation(QWidget& surface, std::function<void(int, const QPoint&)> zoomAt,
                                   std::function<void(int, int)> scrollTo)
    : QObject(&surface), surface_(&surface), zoomAt_(std::move(zoomAt)), scrollTo_(std::move(scrollTo)) {
  surface_->installEventFilter(this);
}

bool TMouseNavigation::eventFilter(QObject* watched, QEvent* event) {
  if (watched != surface_) return QObject::eventFilter(watched, event);
  if (!MouseNavigation) {
    wheelRest_ = 0;
    pan_.reset();
    return QObject::eventFilter(watched, event);
  }
  switch (event->type()) {
    case QEvent::Wheel:
      return Wheel(static_cast<QWheelEvent&>(*event));
    case QEvent::MouseButtonPress:
      return Press(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseMove:
      // The surface still records the pointer for the hover marker.
      Move(static_cast<QMouseEvent&>(*event));
      break;
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent&>(*event).button() == Qt::MiddleButton) {
        pan_.reset();
        return true;
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

bool TMouseNavigation::Wheel(const QWheelEvent& event) {
  // Wide enough for any delta a device reports; more than the table's
  // length in steps only takes it to its end.
  const long long turned = static_cast<long long>(wheelRest_) + event.angleDelta().y();
  const long long steps = std::clamp<long long>(turned / Notch, -LastZoom, LastZoom);
  wheelRest_ = static_cast<int>(turned % Notch);
  if (steps != 0) zoomAt_(static_cast<int>(steps), event.position().toPoint());
  return true;
}

bool TMouseNavigation::Press(const QMouseEvent& event) {
  if (event.button() != Qt::MiddleButton) return false;
  pan_ = TPan{event.globalPosition().toPoint(), ViewX, ViewY};
  return true;
}

void TMouseNavigation::Move(const QMouseEvent& event) {
  if (!pan_ || TileSize == 0) return;
  if (!(event.buttons() & Qt::MiddleButton)) {
    pan_.reset();
    return;
  }
  const QPoint moved = event.globalPosition().toPoint() - pan_->pointer;
  scrollTo_(pan_->viewX - RoundToTiles(moved.x(), TileSize), pan_->viewY - RoundToTiles(moved.y(), TileSize));
}
