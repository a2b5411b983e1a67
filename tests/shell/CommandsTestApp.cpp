#include "CommandsTestApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {
// Ends the application after the last test, while Qt's own globals (made
// lazily during the tests) still exist; at static destruction they may not.
class TApplicationEnvironment : public ::testing::Environment {
 public:
  std::unique_ptr<QApplication> App;
  void TearDown() override { App.reset(); }
};
}  // namespace

QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "shell_commands_test";
  static char* argv[] = {name, nullptr};
  static TApplicationEnvironment* environment = [] {
    auto* made = new TApplicationEnvironment;  // owned by GoogleTest once added
    made->App = std::make_unique<QApplication>(argc, argv);
    ::testing::AddGlobalTestEnvironment(made);
    return made;
  }();
  return *environment->App;
}
