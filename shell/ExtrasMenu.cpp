#include "shell/ExtrasMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <array>

#include "shell/Principal.h"
#include "shell/defines.h"

namespace {
// A command runs its action; an option is checkable and keeps its global in
// step with its check mark before its action runs.
enum TRowKind { Command, Option, Separator };

struct TExtrasRow {
  QAction* TForm1::*item;
  TExtraText text;  // unused for a separator
  std::array<QKeyCombination, 2> shortcuts;
  TRowKind kind;
  bool* option;              // the global an option sets
  void (TForm1::*action)();  // none when the global says all
};

constexpr QKeyCombination None{};

// The menu's items, top to bottom.
constexpr TExtrasRow ExtrasRows[] = {
    {&TForm1::Novafazenda1, TExtraText::NewRanchItem, {Qt::CTRL | Qt::SHIFT | Qt::Key_N, None}, Command, nullptr,
     &TForm1::Novafazenda1Click},
    {&TForm1::Abrirjogo1, TExtraText::OpenGameItem, {Qt::CTRL | Qt::SHIFT | Qt::Key_O, None}, Command, nullptr,
     &TForm1::Abrirjogo1Click},
    {&TForm1::Salvarem1, TExtraText::SaveToItem, {Qt::CTRL | Qt::SHIFT | Qt::Key_S, None}, Command, nullptr,
     &TForm1::Salvarem1Click},
    {&TForm1::N2, TExtraText::ExtrasMenu, {None, None}, Separator, nullptr, nullptr},
    {&TForm1::Desfazer1, TExtraText::UndoItem, {Qt::CTRL | Qt::Key_Z, None}, Command, nullptr,
     &TForm1::Desfazer1Click},
    {&TForm1::Refazer1, TExtraText::RedoItem, {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}, Command,
     nullptr, &TForm1::Refazer1Click},
    {&TForm1::N3, TExtraText::ExtrasMenu, {None, None}, Separator, nullptr, nullptr},
    {&TForm1::Minimapa1, TExtraText::MinimapItem, {Qt::CTRL | Qt::Key_I, None}, Option, &MinimapOn,
     &TForm1::Minimapa1Click},
    {&TForm1::Mapagrande1, TExtraText::LargeMapItem, {Qt::CTRL | Qt::Key_G, None}, Option, &LargeMapOn,
     &TForm1::Mapagrande1Click},
    {&TForm1::Navegarcomomouse1, TExtraText::MouseNavigationItem, {Qt::CTRL | Qt::Key_R, None}, Option,
     &MouseNavigation, nullptr},
    {&TForm1::Marcadordestacado1, TExtraText::HighlightMarkerItem, {Qt::CTRL | Qt::Key_B, None}, Option,
     &HighlightMarker, nullptr},
    {&TForm1::Terrenodetalhado1, TExtraText::DetailedTerrainItem, {Qt::CTRL | Qt::Key_T, None}, Option,
     &DetailedTerrain, nullptr},
    {&TForm1::Traadocomprvia1, TExtraText::DraftLinesItem, {Qt::CTRL | Qt::Key_D, None}, Option, &DraftLines,
     nullptr},
    {&TForm1::N4, TExtraText::ExtrasMenu, {None, None}, Separator, nullptr, nullptr},
    {&TForm1::Trilhasonora1, TExtraText::SoundtrackItem, {Qt::CTRL | Qt::SHIFT | Qt::Key_M, None}, Option,
     &SoundtrackOn, &TForm1::Trilhasonora1Click},
    {&TForm1::N5, TExtraText::ExtrasMenu, {None, None}, Separator, nullptr, nullptr},
    {&TForm1::Fazendaviva1, TExtraText::LivingRanchItem, {Qt::CTRL | Qt::Key_E, None}, Option, nullptr,
     &TForm1::Fazendaviva1Click},
};

QList<QKeySequence> Shortcuts(const TExtrasRow& row) {
  QList<QKeySequence> keys;
  for (QKeyCombination key : row.shortcuts)
    if (key != None) keys.append(QKeySequence(key));
  return keys;
}
}  // namespace

void BuildExtrasMenu(TForm1& form) {
  form.Extras1 = form.MainMenu1->addMenu(QString());
  for (const TExtrasRow& row : ExtrasRows) {
    if (row.kind == Separator) {
      form.*row.item = form.Extras1->addSeparator();
      continue;
    }
    QAction* item = form.Extras1->addAction(QString());
    form.*row.item = item;
    item->setShortcuts(Shortcuts(row));
    item->setCheckable(row.kind == Option);
    QObject::connect(item, &QAction::triggered, &form, [&form, &row, item] {
      if (row.option) *row.option = item->isChecked();
      if (row.action) (form.*row.action)();
    });
  }
  ApplyExtrasTexts(form);
}

void ApplyExtrasTexts(TForm1& form) {
  form.Extras1->menuAction()->setText(form.ExtraText(TExtraText::ExtrasMenu));
  for (const TExtrasRow& row : ExtrasRows)
    if (row.kind != Separator) (form.*row.item)->setText(form.ExtraText(row.text));
}
