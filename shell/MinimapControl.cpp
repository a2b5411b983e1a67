#include "shell/MinimapControl.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "shell/defines.h"
#include "view/VerMapa.h"

namespace {
constexpr int Border = 1;     // a dark line framing the map on the parchment
constexpr int MinimumCell = 2;
constexpr QRgb BorderColor = 0xFF3A2A1A;
// The outline: white on its inner edge, black just outside, so that it shows
// on water, ground and roads alike.
constexpr QRgb OutlineInner = 0xFFFFFFFF;
constexpr QRgb OutlineOuter = 0xFF000000;
}  // namespace

TMinimapControl::TMinimapControl(QWidget* parent) : QWidget(parent) {
  // Every pixel is painted, so nothing beneath needs painting first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  timer_.setInterval(FollowInterval);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Follow(); });
  hide();
}

void TMinimapControl::SetView(TForm2* view) {
  view_ = view;
  Follow();
  update();
}

void TMinimapControl::PlaceIn(const QRect& area) {
  const int room = std::min(area.width(), area.height()) - 2 * Border;
  cell_ = std::max(MinimumCell, room / TMinimap::Side);
  const int side = TMinimap::Side * cell_ + 2 * Border;
  setGeometry(area.left() + (area.width() - side) / 2, area.top() + (area.height() - side) / 2, side, side);
  Follow();
}

QRect TMinimapControl::MapRect() const {
  return {Border, Border, TMinimap::Side * cell_, TMinimap::Side * cell_};
}

TViewport TMinimapControl::CurrentViewport() const {
  if (!view_) return {};
  return {ViewX, ViewY, TileSize, view_->Tela->width(), view_->Tela->height()};
}

void TMinimapControl::Follow() {
  if (!view_ || !view_->RanchMap) return;
  const TMinimapArea cells = minimap_.Refresh(view_->RanchMap->Record());
  if (!cells.Empty()) update(CellsRect(cells));
  const TMinimapArea outline = MinimapViewArea(CurrentViewport(), cell_);
  if (outline != outline_) {
    update(OutlineRegion(outline_));
    update(OutlineRegion(outline));
    outline_ = outline;
  }
}

QRect TMinimapControl::CellsRect(const TMinimapArea& cells) const {
  return {Border + cells.Left * cell_, Border + cells.Top * cell_, (cells.Right - cells.Left) * cell_,
          (cells.Bottom - cells.Top) * cell_};
}

// The outline's two lines on each side; what lies inside it is left alone.
QRegion TMinimapControl::OutlineRegion(const TMinimapArea& outline) const {
  if (outline.Empty()) return {};
  const QRect outer = QRect(Border + outline.Left, Border + outline.Top, outline.Right - outline.Left,
                            outline.Bottom - outline.Top)
                          .adjusted(-1, -1, 1, 1);
  QRegion lines;
  lines += QRect(outer.left(), outer.top(), outer.width(), 2);
  lines += QRect(outer.left(), outer.bottom() - 1, outer.width(), 2);
  lines += QRect(outer.left(), outer.top(), 2, outer.height());
  lines += QRect(outer.right() - 1, outer.top(), 2, outer.height());
  return lines;
}

void TMinimapControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor::fromRgb(BorderColor));
  if (!view_ || !view_->RanchMap) return;
  const QImage cells(reinterpret_cast<const uchar*>(minimap_.Pixels()), TMinimap::Side, TMinimap::Side,
                     TMinimap::Side * 4, QImage::Format_RGB32);
  painter.drawImage(MapRect(), cells);
  if (outline_.Empty()) return;
  const QRect inner(Border + outline_.Left, Border + outline_.Top, outline_.Right - outline_.Left,
                    outline_.Bottom - outline_.Top);
  const QRect outer = inner.adjusted(-1, -1, 1, 1);
  const auto frame = [&painter](const QRect& r, QRgb color) {
    const QColor c = QColor::fromRgb(color);
    painter.fillRect(r.left(), r.top(), r.width(), 1, c);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, c);
    painter.fillRect(r.left(), r.top(), 1, r.height(), c);
    painter.fillRect(r.right(), r.top(), 1, r.height(), c);
  };
  frame(outer, OutlineOuter);
  frame(inner, OutlineInner);
}

void TMinimapControl::mousePressEvent(QMouseEvent* event) {
  const QPoint position = event->position().toPoint();
  if (event->button() != Qt::LeftButton || !view_ || !MapRect().contains(position)) {
    event->ignore();  // the picture beneath drags the window
    return;
  }
  centring_ = true;
  CentreViewOn(position);
}

void TMinimapControl::mouseMoveEvent(QMouseEvent* event) {
  if (!centring_) {
    event->ignore();
    return;
  }
  CentreViewOn(event->position().toPoint());
}

void TMinimapControl::mouseReleaseEvent(QMouseEvent* event) {
  if (!centring_ || event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  centring_ = false;
}

// A drag beyond the map keeps to its edge.
void TMinimapControl::CentreViewOn(const QPoint& position) {
  if (!view_ || TileSize == 0) return;
  const QRect map = MapRect();
  const int tileX = std::clamp((position.x() - map.left()) / cell_, 0, TMinimap::Side - 1) + 1;
  const int tileY = std::clamp((position.y() - map.top()) / cell_, 0, TMinimap::Side - 1) + 1;
  view_->CentreOn(tileX, tileY);
  Follow();
}

void TMinimapControl::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Follow();
  timer_.start();
}

void TMinimapControl::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  timer_.stop();
  centring_ = false;
}
