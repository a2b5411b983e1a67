// The menu bar's own menus, as the game's first version has them: "Jogo",
// "Língua", "Opções", "Velocidade" and "Sobre...", with their shortcuts; the
// Extras menu follows them (ExtrasMenu.cpp).
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "present/Text.h"
#include "shell/Principal.h"

namespace {
QAction* MenuItem(QMenu* menu, const char* caption, const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(DecodeText(caption));
  action->setShortcut(shortcut);
  return action;
}

void Connect(TForm1& form, QAction* item, void (TForm1::*handler)()) {
  QObject::connect(item, &QAction::triggered, &form, [&form, handler] { (form.*handler)(); });
}
}  // namespace

void TForm1::BuildMenu() {
  QMenuBar* bar = MainMenu1 = menuBar();

  Jogo1 = bar->addMenu(DecodeText("&Jogo"));
  Novojogo1 = MenuItem(Jogo1, "&Novo jogo", QKeySequence(Qt::CTRL | Qt::Key_N));
  Salvarjogo1 = MenuItem(Jogo1, "&Salvar jogo", QKeySequence(Qt::CTRL | Qt::Key_S));
  Salvarjogocomo1 = MenuItem(Jogo1, "Salvar jogo como...");
  Carregarjogo1 = MenuItem(Jogo1, "&Carregar jogo", QKeySequence(Qt::CTRL | Qt::Key_L));
  N1 = Jogo1->addSeparator();
  Sair1 = MenuItem(Jogo1, "S&air", QKeySequence(Qt::CTRL | Qt::Key_X));

  Lngua1 = bar->addMenu(DecodeText("&L\xEDngua"));

  Opes1 = bar->addMenu(DecodeText("Op\xE7\xF5" "es"));
  Msica1 = MenuItem(Opes1, "M\xFAsica", QKeySequence(Qt::CTRL | Qt::Key_M));
  udio1 = MenuItem(Opes1, "\xC1udio", QKeySequence(Qt::CTRL | Qt::Key_O));
  for (QAction* item : {Msica1, udio1}) {
    item->setCheckable(true);
    item->setChecked(true);
  }

  Velocidade1 = bar->addMenu(DecodeText("Velocidade"));
  SpeedGroup = new QActionGroup(this);
  SpeedGroup->setExclusive(true);
  Ultra1 = MenuItem(Velocidade1, "Ultra", QKeySequence(Qt::CTRL | Qt::Key_5));
  Muitorpido1 = MenuItem(Velocidade1, "Muito r\xE1pido", QKeySequence(Qt::CTRL | Qt::Key_4));
  Rpido1 = MenuItem(Velocidade1, "R\xE1pido", QKeySequence(Qt::CTRL | Qt::Key_3));
  Normal1 = MenuItem(Velocidade1, "Normal", QKeySequence(Qt::CTRL | Qt::Key_2));
  Lento1 = MenuItem(Velocidade1, "Lento", QKeySequence(Qt::CTRL | Qt::Key_1));
  Parado1 = MenuItem(Velocidade1, "Parado", QKeySequence(Qt::CTRL | Qt::Key_0));
  for (QAction* item : {Ultra1, Muitorpido1, Rpido1, Normal1, Lento1, Parado1}) {
    item->setCheckable(true);
    SpeedGroup->addAction(item);
  }
  Normal1->setChecked(true);

  Sobre1 = bar->addAction(DecodeText("&Sobre..."));

  Connect(*this, Salvarjogo1, &TForm1::Salvarjogo1Click);
  Connect(*this, Carregarjogo1, &TForm1::Carregarjogo1Click);
  Connect(*this, Sair1, &TForm1::Sair1Click);
  Connect(*this, Msica1, &TForm1::Msica1Click);
  Connect(*this, udio1, &TForm1::udio1Click);
  Connect(*this, Ultra1, &TForm1::Ultra1Click);
  Connect(*this, Muitorpido1, &TForm1::Muitorpido1Click);
  Connect(*this, Rpido1, &TForm1::Rpido1Click);
  Connect(*this, Normal1, &TForm1::Normal1Click);
  Connect(*this, Lento1, &TForm1::Lento1Click);
  Connect(*this, Parado1, &TForm1::Parado1Click);
  Connect(*this, Sobre1, &TForm1::Sobre1Click);

  BuildExtrasMenu();
}

decltype(TLanguageTargets::menuCaptions) TForm1::MenuCaptionItems() const {
  return {
      Jogo1->menuAction(), Novojogo1, Salvarjogo1, Salvarjogocomo1, Carregarjogo1,
      Sair1, Lngua1->menuAction(), Opes1->menuAction(), Msica1, udio1,
      Velocidade1->menuAction(), Ultra1, Muitorpido1, Rpido1, Normal1, Lento1,
      Parado1, Sobre1,
  };
}
