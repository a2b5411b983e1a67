#pragma once
// "Navegar com o mouse": while the option is on, the wheel over the map view
// zooms one step per notch and keeps the tile under the cursor where it is,
// and dragging with the middle button moves the map with the pointer. Off,
// the wheel and the middle button do nothing here.
#include <QObject>
#include <QPoint>
#include <optional>

class QMouseEvent;
class QWheelEvent;
class TForm2;

class TMouseNavigation : public QObject {
 public:
  // A wheel's notch, in the eighths of a degree that wheel events count.
  static constexpr int Notch = 120;

  // Watches the view's drawing surface.
  explicit TMouseNavigation(TForm2& view);

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

  TForm2& view_;
  // The view's surface, kept apart so that events during the view's
  // destruction are told from the surface's without touching the view.
  QObject* surface_;
  int wheelRest_ = 0;  // eighths of a degree short of a notch
  std::optional<TPan> pan_;
};
