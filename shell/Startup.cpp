#include "shell/Startup.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <iostream>

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
