#include "shell/Startup.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <cstdlib>
#include <iostream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

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

bool NoSessionBusCanExist(const std::function<const char*(const char*)>& environment,
                          const std::function<bool(const std::string&)>& exists) {
  const auto set = [&](const char* name) {
    const char* value = environment(name);
    return value != nullptr && *value != '\0';
  };
  if (set("DBUS_SESSION_BUS_ADDRESS")) return false;
  if (set("XDG_RUNTIME_DIR") && exists(std::string(environment("XDG_RUNTIME_DIR")) + "/bus")) return false;
  // The bus library looks for its launcher in its own folder, then on PATH,
  // where an empty entry is the current folder.
  if (exists("/usr/bin/dbus-launch")) return false;
  std::string_view path = set("PATH") ? environment("PATH") : "";
  while (!path.empty()) {
    const std::size_t colon = path.find(':');
    const std::string_view folder = path.substr(0, colon);
    if (exists((folder.empty() ? std::string(".") : std::string(folder)) + "/dbus-launch")) return false;
    if (colon == std::string_view::npos) break;
    path.remove_prefix(colon + 1);
  }
  return true;
}

void SkipSessionBusLaunchWhenNoneCanExist() {
  const auto exists = [](const std::string& file) {
    struct stat status {};
    return ::stat(file.c_str(), &status) == 0;
  };
  if (NoSessionBusCanExist([](const char* name) { return std::getenv(name); }, exists))
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}
