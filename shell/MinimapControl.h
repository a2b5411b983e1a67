#pragma once
// The minimap of the overview window: a control of its own lying over the
// overview picture, showing the whole ranch one cell per tile with the map
// view's visible part outlined. It follows the map and the view by looking a
// few times a second and repainting only what changed. A left press or drag on
// the drawn map centres the view there; any other press falls through to the
// picture beneath, which drags the window.
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include "view/Minimap.h"

class TForm2;

class TMinimapControl : public QWidget {
 public:
  // How often the minimap looks at the map and the view, in milliseconds.
  static constexpr int FollowInterval = 100;

  explicit TMinimapControl(QWidget* parent = nullptr);

  // The view the minimap follows and scrolls, and whose map it shows; none
  // shows nothing.
  void SetView(TForm2* view);
  // Centres itself in `area` (the parchment of the picture) with the largest
  // whole cell that fits, at least 2 pixels.
  void PlaceIn(const QRect& area);

  // Looks at the map and the view once and repaints what changed.
  void Follow();

  int Cell() const { return cell_; }
  // Where the cells lie, in the control's coordinates.
  QRect MapRect() const;
  // The outline of the view's visible part as last followed, in minimap
  // pixels (relative to MapRect's corner).
  TMinimapArea Outline() const { return outline_; }
  const TMinimap& Picture() const { return minimap_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  TViewport CurrentViewport() const;
  void CentreViewOn(const QPoint& position);
  QRect CellsRect(const TMinimapArea& cells) const;
  QRegion OutlineRegion(const TMinimapArea& outline) const;

  TMinimap minimap_;
  QPointer<TForm2> view_;
  QTimer timer_;
  int cell_ = 2;
  TMinimapArea outline_;
  bool centring_ = false;  // a left press on the map is being dragged
};
