#include "shell/Startup.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/WindowPlacement.h"

std::unique_ptr<TForm1> CreateGameWindows() {
  std::unique_ptr<TForm1> form1;
  try {
    form1 = std::make_unique<TForm1>();
  } catch (const EStartupError& error) {
    std::cerr << error.what() << std::endl;
    QMessageBox::critical(nullptr, QCoreApplication::applicationName(), QString::fromUtf8(error.what()));
    return nullptr;
  }
  form1->CreateMapView();
  form1->CreatePalette();
  return form1;
}

void ShowMainWindow(TForm1& form) {
  // Without a window manager nothing maximises a window: it takes the screen
  // itself. With one, the first map is already at the size it will show at.
  if (const QRect maximised = MaximisedGeometry(); !maximised.isEmpty()) form.setGeometry(maximised);
  form.showMaximized();
}

bool NoSessionBusCanExist(const std::function<const char*(const char*)>& environment,
                          const std::function<bool(const std::string&)>& exists) {
  const auto set = [&](const char* name) {
    const char* value = environment(name);
    return value != nullptr && *value != '\0';
  };
  if (set("DBUS_SESSION_BUS_ADDRESS")) return false;
  if (set("XDG_RUNTIME_DIR") && exists(std::string(environment("XDG_RUNTIME_DIR")) + "/bus")) return false;
  // The bus library looks for its launcher in its own folder, then on PATH
  // (the C library's own default when it is unset), where an empty entry,
  // a trailing colon included, is the current folder.
  if (exists("/usr/bin/dbus-launch")) return false;
  const std::string_view path = environment("PATH") != nullptr ? environment("PATH") : "/bin:/usr/bin";
  for (std::size_t start = 0;;) {
    const std::size_t colon = path.find(':', start);
    const std::string_view folder = path.substr(start, colon == std::string_view::npos ? colon : colon - start);
    if (exists((folder.empty() ? std::string(".") : std::string(folder)) + "/dbus-launch")) return false;
    if (colon == std::string_view::npos) return true;
    start = colon + 1;
  }
}

void SkipSessionBusLaunchWhenNoneCanExist() {
  const auto exists = [](const std::string& file) {
    struct stat status {};
    return ::stat(file.c_str(), &status) == 0;
  };
  if (NoSessionBusCanExist([](const char* name) { return std::getenv(name); }, exists))
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}
