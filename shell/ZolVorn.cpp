// Zol Vorn: a ranch-building game.
#include <QApplication>
#include <QIcon>

#include "assets/art/Glyphs.h"
#include "shell/Startup.h"

int main(int argc, char** argv) {
  SkipSessionBusLaunchWhenNoneCanExist();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zol Vorn v0.1"));
  InitGameGlyphs();
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/glyphs/icon.png")));

  std::unique_ptr<TForm1> form1 = CreateGameWindows();
  if (!form1) return 1;
  ShowMainWindow(*form1);
  return app.exec();
}
