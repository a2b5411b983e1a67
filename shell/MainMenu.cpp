#include "shell/MainMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "present/Text.h"
#include "shell/ExtrasMenu.h"
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

void BuildMainMenu(TForm1& form) {
  QMenuBar* bar = form.MainMenu1 = form.menuBar();

  form.Jogo1 = bar->addMenu(DecodeText("&Jogo"));
  form.Novojogo1 = MenuItem(form.Jogo1, "&Novo jogo", QKeySequence(Qt::CTRL | Qt::Key_N));
  form.Salvarjogo1 = MenuItem(form.Jogo1, "&Salvar jogo", QKeySequence(Qt::CTRL | Qt::Key_S));
  form.Salvarjogocomo1 = MenuItem(form.Jogo1, "Salvar jogo como...");
  form.Carregarjogo1 = MenuItem(form.Jogo1, "&Carregar jogo", QKeySequence(Qt::CTRL | Qt::Key_L));
  form.N1 = form.Jogo1->addSeparator();
  form.Sair1 = MenuItem(form.Jogo1, "S&air", QKeySequence(Qt::CTRL | Qt::Key_X));

  form.Lngua1 = bar->addMenu(DecodeText("&L\xEDngua"));

  form.Opes1 = bar->addMenu(DecodeText("Op\xE7\xF5" "es"));
  form.Msica1 = MenuItem(form.Opes1, "M\xFAsica", QKeySequence(Qt::CTRL | Qt::Key_M));
  form.udio1 = MenuItem(form.Opes1, "\xC1udio", QKeySequence(Qt::CTRL | Qt::Key_O));
  for (QAction* item : {form.Msica1, form.udio1}) {
    item->setCheckable(true);
    item->setChecked(true);
  }

  form.Velocidade1 = bar->addMenu(DecodeText("Velocidade"));
  form.SpeedGroup = new QActionGroup(&form);
  form.SpeedGroup->setExclusive(true);
  form.Ultra1 = MenuItem(form.Velocidade1, "Ultra", QKeySequence(Qt::CTRL | Qt::Key_5));
  form.Muitorpido1 = MenuItem(form.Velocidade1, "Muito r\xE1pido", QKeySequence(Qt::CTRL | Qt::Key_4));
  form.Rpido1 = MenuItem(form.Velocidade1, "R\xE1pido", QKeySequence(Qt::CTRL | Qt::Key_3));
  form.Normal1 = MenuItem(form.Velocidade1, "Normal", QKeySequence(Qt::CTRL | Qt::Key_2));
  form.Lento1 = MenuItem(form.Velocidade1, "Lento", QKeySequence(Qt::CTRL | Qt::Key_1));
  form.Parado1 = MenuItem(form.Velocidade1, "Parado", QKeySequence(Qt::CTRL | Qt::Key_0));
  for (QAction* item : {form.Ultra1, form.Muitorpido1, form.Rpido1, form.Normal1, form.Lento1, form.Parado1}) {
    item->setCheckable(true);
    form.SpeedGroup->addAction(item);
  }
  form.Normal1->setChecked(true);

  form.Sobre1 = bar->addAction(DecodeText("&Sobre..."));

  Connect(form, form.Salvarjogo1, &TForm1::Salvarjogo1Click);
  Connect(form, form.Carregarjogo1, &TForm1::Carregarjogo1Click);
  Connect(form, form.Sair1, &TForm1::Sair1Click);
  Connect(form, form.Msica1, &TForm1::Msica1Click);
  Connect(form, form.udio1, &TForm1::udio1Click);
  Connect(form, form.Ultra1, &TForm1::Ultra1Click);
  Connect(form, form.Muitorpido1, &TForm1::Muitorpido1Click);
  Connect(form, form.Rpido1, &TForm1::Rpido1Click);
  Connect(form, form.Normal1, &TForm1::Normal1Click);
  Connect(form, form.Lento1, &TForm1::Lento1Click);
  Connect(form, form.Parado1, &TForm1::Parado1Click);
  Connect(form, form.Sobre1, &TForm1::Sobre1Click);

  BuildExtrasMenu(form);
}

decltype(TLanguageTargets::menuCaptions) MenuCaptionItems(const TForm1& form) {
  return {
      form.Jogo1->menuAction(), form.Novojogo1, form.Salvarjogo1, form.Salvarjogocomo1, form.Carregarjogo1,
      form.Sair1, form.Lngua1->menuAction(), form.Opes1->menuAction(), form.Msica1, form.udio1,
      form.Velocidade1->menuAction(), form.Ultra1, form.Muitorpido1, form.Rpido1, form.Normal1, form.Lento1,
      form.Parado1, form.Sobre1,
  };
}
