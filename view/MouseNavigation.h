#pragma once
// "Navegar com o mouse": while the option is on, the wheel over the map view
// zooms one step per notch and keeps the tile under the cursor where it is,
// and dragging with the middle button moves the map with the pointer. Off,
// the wheel and the middle button do nothing here.
#include <QObject>
#include <QPoint>
#include <functional>
#include <optional>

class QMouseEvent;
class QWheelEvent;

class TMouseNavigation : public QObject {
 public:
  // A wheel's notch, in the eighths of a degree that wheel events count.
  static constexpr int Notch = 120;

  // Watches the map view's drawing surface (which owns it); zooms and
  // scrolls through the view's own entries.
  TMouseNavigation(QWidget& surface, std::function<void(int steps, const QPoint& cursor)> zoomAt,
                   std::function<void(int viewX, int viewY)> scrollTo);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Wheel(const QWheelEvent& event);
  bool Press(const QMouseEvent& event);
  void Move(const QMouseEvent& event);

  // Where a middle-button drag started: the pointer and the scroll position.
  struct TPan {
    QPoint pointer;
    int viewX, viewY;
  };

  std::function<void(int, const QPoint&)> zoomAt_;
  std::function<void(int, int)> scrollTo_;
  // The view's surface, kept apart so that events during the view's
  // destruction are told from the surface's without touching the view.
  QObject* surface_;
  int wheelRest_ = 0;  // eighths of a degree short of a notch
  std::optional<TPan> pan_;
};
