#include "view/MouseNavigation.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "shell/defines.h"
#include "view/VerMapa.h"

namespace {
constexpr int FirstZoom = 1;
constexpr int LastZoom = 5;

// Nearest whole number of tiles in `pixels`, halves away from zero.
int RoundToTiles(int pixels, int tileSize) {
  return pixels >= 0 ? (pixels + tileSize / 2) / tileSize : -((-pixels + tileSize / 2) / tileSize);
}
}  // namespace

int ScrollKeeping(int tile, int pixel, int tileSize) {
  if (tileSize <= 0) return 0;
  return tile - 1 - pixel / tileSize;
}

TMouseNavigation::TMouseNavigation(TForm2& view) : QObject(&view), view_(view), surface_(view.Tela) {
  surface_->installEventFilter(this);
}

void TMouseNavigation::ZoomAt(int steps, const QPoint& cursor) {
  if (ZoomIndex < FirstZoom || ZoomIndex > LastZoom || TileSize == 0) return;
  const int index = std::clamp(ZoomIndex + steps, FirstZoom, LastZoom);
  const int size = ZoomSizes[index];
  if (size == 0) return;
  // The tile under the cursor as the frame's tool handling sees it.
  const int tileX = ViewX + cursor.x() / TileSize + 1;
  const int tileY = ViewY + cursor.y() / TileSize + 1;
  ZoomIndex = static_cast<unsigned char>(index);
  // At once, so that the next frame draws the new origin at the new size.
  TileSize = static_cast<unsigned char>(size);
  ScrollTo(ScrollKeeping(tileX, cursor.x(), size), ScrollKeeping(tileY, cursor.y(), size), size);
}

// The bars get the limits of the new tile size before the position, which
// the map drawing would otherwise cut to the old size's limits.
void TMouseNavigation::ScrollTo(int viewX, int viewY, int tileSize) {
  view_.BarraHorizontal->setMaximum(std::max(1, ScrollLimit(view_.Tela->width(), tileSize)));
  view_.BarraVertical->setMaximum(std::max(1, ScrollLimit(view_.Tela->height(), tileSize)));
  view_.BarraHorizontal->setValue(viewX);
  view_.BarraVertical->setValue(viewY);
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
  if (steps != 0) ZoomAt(static_cast<int>(steps), event.position().toPoint());
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
  view_.BarraHorizontal->setValue(pan_->viewX - RoundToTiles(moved.x(), TileSize));
  view_.BarraVertical->setValue(pan_->viewY - RoundToTiles(moved.y(), TileSize));
}
