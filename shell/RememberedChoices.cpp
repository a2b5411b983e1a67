#include "shell/RememberedChoices.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QTimer>
#include <algorithm>
#include <array>

#include "shell/Editor.h"
#include "shell/ExtrasMenu.h"
#include "shell/Principal.h"
#include "shell/defines.h"
#include "view/ToolsUnit.h"
#include "view/VerMapa.h"

namespace {
// The speed items by GameSpeed, 1..6.
std::array<QAction*, 6> SpeedItems(const TForm1& form) {
  return {form.Ultra1, form.Muitorpido1, form.Rpido1, form.Normal1, form.Lento1, form.Parado1};
}
}  // namespace

void TRememberedChoices::Switch(bool on) {
  if (on == on_) return;
  on_ = on;
  if (!on) {
    qApp->removeEventFilter(this);
    RemoveChoices(Path);
    return;
  }
  TChoiceSet kept;
  switch (ReadChoices(Path, kept)) {
    case TChoicesRead::Read:
      Apply(kept);
      form_.ShowStatus(TExtraText::ChoicesRestoredStatus);
      break;
    case TChoicesRead::Missing:
      form_.ShowStatus(TExtraText::ChoicesMissingStatus);
      break;
    case TChoicesRead::Damaged:
      form_.ShowStatus(TExtraText::ChoicesDamagedStatus);
      break;
  }
  // The palette and the overview are moved, and the wheel zooms, outside any
  // command: their events say so.
  qApp->installEventFilter(this);
  Write();
}

void TRememberedChoices::Follow() {
  if (!on_ || writePending_) return;
  writePending_ = true;
  QTimer::singleShot(0, this, [this] {
    writePending_ = false;
    if (on_) Write();
  });
}

bool TRememberedChoices::eventFilter(QObject* watched, QEvent* event) {
  const bool moved = event->type() == QEvent::Move &&
                     (watched == form_.Tools || (OverviewWindow && watched == OverviewWindow->SubWindow()));
  const bool wheel = event->type() == QEvent::Wheel && form_.Form2 && watched == form_.Form2->Tela;
  if (moved || wheel) Follow();
  return QObject::eventFilter(watched, event);
}

TChoiceSet TRememberedChoices::Snapshot() const {
  TChoiceSet now;
  now.language = form_.Language.Current();
  now.speed = GameSpeed;
  now.sound = SoundOn;
  now.music = MusicOn;
  now.zoom = ZoomIndex;
  for (const auto& [key, item] : RememberedOptions(form_)) now.options[key] = item->isChecked();
  if (form_.Tools) now.palette = form_.Tools->pos();
  if (OverviewWindow && OverviewWindow->SubWindow()) now.overview = OverviewWindow->SubWindow()->pos();
  else now.overview = written_.overview;
  return now;
}

// Each choice goes through the command a player would use, so that what
// follows from it (the checks, the labels, the view's size) follows here too.
void TRememberedChoices::Apply(const TChoiceSet& choices) {
  if (std::find(LanguageFiles.begin(), LanguageFiles.end(), choices.language) != LanguageFiles.end())
    form_.LoadLanguage(choices.language);
  if (choices.speed >= 1 && choices.speed <= 6) SpeedItems(form_)[choices.speed - 1]->trigger();
  if (choices.sound != SoundOn) form_.udio1->trigger();
  if (choices.music != MusicOn) form_.Msica1->trigger();
  ZoomIndex = static_cast<unsigned char>(choices.zoom);
  for (const auto& [key, item] : RememberedOptions(form_)) {
    const auto kept = choices.options.find(key);
    if (kept != choices.options.end() && kept->second != item->isChecked()) item->trigger();
  }
  if (choices.palette && form_.Tools) form_.Tools->move(*choices.palette);
  if (choices.overview && OverviewWindow && OverviewWindow->SubWindow())
    OverviewWindow->SubWindow()->move(*choices.overview);
  written_.overview = choices.overview;
}

void TRememberedChoices::Write() {
  const TChoiceSet now = Snapshot();
  if (now == written_ && QFileInfo::exists(Path)) return;
  if (WriteChoices(Path, now)) written_ = now;
}
