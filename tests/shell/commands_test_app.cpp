#include "commands_test_app.h"

#include <QApplication>

QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "shell_commands_test";
  static char* argv[] = {name, nullptr};
  // Never destroyed: at exit Qt's own globals may already be gone.
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}
