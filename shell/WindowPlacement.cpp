#include "shell/WindowPlacement.h"

#include <QEvent>
#include <QWindowStateChangeEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

QRect MaximisedGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect();
}

QRect RestoredGeometry(const QMainWindow& window) {
  QRect restored(0, 0, DesignClientWidth, DesignClientHeight + window.menuBar()->sizeHint().height());
  restored.moveCenter(MaximisedGeometry().center());
  return restored;
}

TRestoreToDesignSize::TRestoreToDesignSize(QMainWindow& window) : QObject(&window), window_(window) {
  window.installEventFilter(this);
}

bool TRestoreToDesignSize::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::WindowStateChange) {
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    const bool wasMaximised = change->oldState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (wasMaximised && window_.windowState() == Qt::WindowNoState) window_.setGeometry(RestoredGeometry(window_));
  }
  return QObject::eventFilter(watched, event);
}
