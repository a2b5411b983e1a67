// The Extras menu: what the game offers beyond its first version's menus, as
// a table of rows (the item, its text, its shortcuts, the global an option
// keeps in step with its check mark, its action, and its name among the
// remembered choices). An option is added with one row and, if it needs one,
// its action. Options start unchecked in every run.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <array>

#include "shell/Principal.h"
#include "shell/defines.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

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
  const char* key = nullptr; // an option's name among the remembered choices; none: not remembered
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
     &TForm1::Minimapa1Click, "minimap"},
    {&TForm1::Mapagrande1, TExtraText::LargeMapItem, {Qt::CTRL | Qt::Key_G, None}, Option, &LargeMapOn,
     &TForm1::Mapagrande1Click, "largeMap"},
    {&TForm1::Navegarcomomouse1, TExtraText::MouseNavigationItem, {Qt::CTRL | Qt::Key_R, None}, Option,
     &MouseNavigation, nullptr, "mouseNavigation"},
    {&TForm1::Marcadordestacado1, TExtraText::HighlightMarkerItem, {Qt::CTRL | Qt::Key_B, None}, Option,
     &HighlightMarker, nullptr, "highlightMarker"},
    {&TForm1::Terrenodetalhado1, TExtraText::DetailedTerrainItem, {Qt::CTRL | Qt::Key_T, None}, Option,
     &DetailedTerrain, nullptr, "detailedTerrain"},
    {&TForm1::Traadocomprvia1, TExtraText::DraftLinesItem, {Qt::CTRL | Qt::Key_D, None}, Option, &DraftLines,
     nullptr, "draftLines"},
    {&TForm1::N4, TExtraText::ExtrasMenu, {None, None}, Separator, nullptr, nullptr},
    {&TForm1::Trilhasonora1, TExtraText::SoundtrackItem, {Qt::CTRL | Qt::SHIFT | Qt::Key_M, None}, Option,
     &SoundtrackOn, &TForm1::Trilhasonora1Click, "soundtrack"},
    {&TForm1::N5, TExtraText::ExtrasMenu, {None, None}, Separator, nullptr, nullptr},
    {&TForm1::Fazendaviva1, TExtraText::LivingRanchItem, {Qt::CTRL | Qt::Key_E, None}, Option, nullptr,
     &TForm1::Fazendaviva1Click, "livingRanch"},
    {&TForm1::N6, TExtraText::ExtrasMenu, {None, None}, Separator, nullptr, nullptr},
    {&TForm1::Lembrarescolhas1, TExtraText::RememberChoicesItem, {Qt::CTRL | Qt::SHIFT | Qt::Key_R, None}, Option,
     &RememberChoices, &TForm1::Lembrarescolhas1Click},
    {&TForm1::Protegerojogo1, TExtraText::ProtectGameItem, {Qt::CTRL | Qt::SHIFT | Qt::Key_P, None}, Option,
     &ProtectGame, &TForm1::Protegerojogo1Click, "protectGame"},
};

QList<QKeySequence> Shortcuts(const TExtrasRow& row) {
  QList<QKeySequence> keys;
  for (QKeyCombination key : row.shortcuts)
    if (key != None) keys.append(QKeySequence(key));
  return keys;
}
}  // namespace

void TForm1::BuildExtrasMenu() {
  Extras1 = MainMenu1->addMenu(QString());
  for (const TExtrasRow& row : ExtrasRows) {
    if (row.kind == Separator) {
      this->*row.item = Extras1->addSeparator();
      continue;
    }
    QAction* item = Extras1->addAction(QString());
    this->*row.item = item;
    item->setShortcuts(Shortcuts(row));
    item->setCheckable(row.kind == Option);
    connect(item, &QAction::triggered, this, [this, &row, item] {
      if (row.option) *row.option = item->isChecked();
      if (row.action) (this->*row.action)();
      if (row.key) Choices.Follow();
    });
  }
  ApplyExtrasTexts();
}

void TForm1::ApplyExtrasTexts() {
  Extras1->menuAction()->setText(ExtraText(TExtraText::ExtrasMenu));
  for (const TExtrasRow& row : ExtrasRows)
    if (row.kind != Separator) (this->*row.item)->setText(ExtraText(row.text));
}

std::vector<std::pair<std::string, QAction*>> TForm1::RememberedOptions() const {
  std::vector<std::pair<std::string, QAction*>> options;
  for (const TExtrasRow& row : ExtrasRows)
    if (row.key) options.emplace_back(row.key, this->*row.item);
  return options;
}

TChoiceTargets TForm1::ChoiceTargets() {
  TChoiceTargets targets;
  targets.language = [this] { return Language.Current(); };
  targets.loadLanguage = [this](const std::string& name) { LoadLanguage(name); };
  targets.speedItems = {Ultra1, Muitorpido1, Rpido1, Normal1, Lento1, Parado1};
  targets.sound = udio1;
  targets.music = Msica1;
  targets.options = RememberedOptions();
  targets.palette = Tools;
  targets.surface = Form2 != nullptr ? Form2->Tela : nullptr;
  targets.say = [this](TExtraText text) { ShowStatus(text); };
  return targets;
}
