#pragma once
// Where the main window stands: maximised on the screen's free area, or,
// when restored, at its design size centred on it.
#include <QObject>
#include <QRect>

class QMainWindow;

// The design's client size, below the menu bar.
inline constexpr int DesignClientWidth = 659;
inline constexpr int DesignClientHeight = 401;

// The screen's free area; empty without a screen.
QRect MaximisedGeometry();

// The design's client size centred on the screen's free area.
QRect RestoredGeometry(const QMainWindow& window);

// Watches a window that starts maximised: when it is restored it takes its
// design size, whatever size it was given before it was maximised (the
// screen's, where no window manager maximises it).
class TRestoreToDesignSize : public QObject {
 public:
  // Watches `window`, which owns the watcher.
  explicit TRestoreToDesignSize(QMainWindow& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QMainWindow& window_;
};
