#include "view/LargeMap.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>

#include "shell/defines.h"
#include "view/ViewPlace.h"

TLargeMap::TLargeMap(QWidget& view) : QObject(&view), view_(view) {}

void TLargeMap::Apply() {
  if (LargeMapOn) {
    if (!normal_) normal_ = view_.geometry();
    view_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (area_ != view_.parentWidget()) {
      if (area_) area_->removeEventFilter(this);
      area_ = view_.parentWidget();
      if (area_) area_->installEventFilter(this);
    }
    // The player asked to see the map: a minimised view comes back.
    if (view_.isMinimized()) view_.showNormal();
    Fit();
    return;
  }
  if (area_) area_->removeEventFilter(this);
  area_ = nullptr;
  view_.setMaximumSize(MapViewMaxWidth, MapViewMaxHeight);
  if (normal_) view_.setGeometry(*normal_);
  normal_.reset();
}

void TLargeMap::Fit() {
  if (!area_ || view_.isMinimized()) return;
  view_.setGeometry(MapViewLeft, 0, std::max(1, area_->width() - MapViewLeft), std::max(1, area_->height()));
}

bool TLargeMap::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area_ && event->type() == QEvent::Resize && LargeMapOn) Fit();
  return QObject::eventFilter(watched, event);
}
