#include "shell/RememberedChoices.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <array>

#include "shell/Editor.h"
#include "shell/Language.h"
#include "shell/defines.h"

void TRememberedChoices::Switch(bool on, TChoiceTargets targets) {
  if (on == on_) return;
  on_ = on;
  targets_ = std::move(targets);
  if (!on) {
    qApp->removeEventFilter(this);
    RemoveChoices(Path);
    return;
  }
  TChoiceSet kept;
  switch (ReadChoices(Path, kept)) {
    case TChoicesRead::Read:
      Apply(kept);
      targets_.say(TExtraText::ChoicesRestoredStatus);
      break;
    case TChoicesRead::Missing:
      targets_.say(TExtraText::ChoicesMissingStatus);
      break;
    case TChoicesRead::Damaged:
      targets_.say(TExtraText::ChoicesDamagedStatus);
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
                     (watched == targets_.palette || (OverviewWindow && watched == OverviewWindow->SubWindow()));
  const bool wheel = event->type() == QEvent::Wheel && watched == targets_.surface;
  if (moved || wheel) Follow();
  return QObject::eventFilter(watched, event);
}

TChoiceSet TRememberedChoices::Snapshot() const {
  TChoiceSet now;
  now.language = targets_.language();
  now.speed = GameSpeed;
  now.sound = SoundOn;
  now.music = MusicOn;
  now.zoom = ZoomIndex;
  for (const auto& [key, item] : targets_.options) now.options[key] = item->isChecked();
  if (targets_.palette) now.palette = targets_.palette->pos();
  if (OverviewWindow && OverviewWindow->SubWindow()) now.overview = OverviewWindow->SubWindow()->pos();
  else now.overview = written_.overview;
  return now;
}

// Each choice goes through the command a player would use, so that what
// follows from it (the checks, the labels, the view's size) follows here too.
void TRememberedChoices::Apply(const TChoiceSet& choices) {
  if (std::find(LanguageFiles.begin(), LanguageFiles.end(), choices.language) != LanguageFiles.end())
    targets_.loadLanguage(choices.language);
  if (choices.speed >= 1 && choices.speed <= 6) targets_.speedItems[choices.speed - 1]->trigger();
  if (choices.sound != SoundOn) targets_.sound->trigger();
  if (choices.music != MusicOn) targets_.music->trigger();
  ZoomIndex = static_cast<unsigned char>(choices.zoom);
  for (const auto& [key, item] : targets_.options) {
    const auto kept = choices.options.find(key);
    if (kept != choices.options.end() && kept->second != item->isChecked()) item->trigger();
  }
  if (choices.palette && targets_.palette) targets_.palette->move(*choices.palette);
  if (choices.overview && OverviewWindow && OverviewWindow->SubWindow())
    OverviewWindow->SubWindow()->move(*choices.overview);
  written_.overview = choices.overview;
}

void TRememberedChoices::Write() {
  const TChoiceSet now = Snapshot();
  if (now == written_ && QFileInfo::exists(Path)) return;
  if (WriteChoices(Path, now)) written_ = now;
}
