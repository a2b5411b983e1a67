// zolvorn_bare: the yardstick for the game's start-up. A bare Qt program
// that shows one picture in a maximised window, and nothing else.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>

namespace {

// 640 x 507 in 24-pixel squares of many colours, so it is told apart from an
// empty window the same way the game's map is.
QImage Picture() {
  QImage picture(640, 507, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const int square = (x / 24) * 7 + (y / 24) * 13;
      picture.setPixel(x, y, qRgb(40 + square * 37 % 200, 90 + square * 53 % 160, 30 + square * 71 % 120));
    }
  return picture;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("bare"));
  auto* label = new QLabel;
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setPixmap(QPixmap::fromImage(Picture()));
  window.setCentralWidget(label);
  // Without a window manager nothing maximises a window: take the screen.
  if (QScreen* screen = QGuiApplication::primaryScreen()) window.setGeometry(screen->availableGeometry());
  window.showMaximized();
  return app.exec();
}
