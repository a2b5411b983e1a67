#include "shell/Protection.h"

#include "shell/GameDialogs.h"
#include "shell/Language.h"
#include "shell/Ranch.h"
#include "shell/StatusLine.h"

void TProtection::Switch(bool on) {
  if (!on) {
    guard_.Stop();
    return;
  }
  if (links_.map) guard_.Follow(links_.map->Record());
  if (guard_.Start() && AskRestoreAutosave(&links_.window, links_.language))
    links_.load(QString::fromLatin1(AutosaveFileName));
}

bool TProtection::SaveFirst() {
  switch (AskSaveFirst(&links_.window, links_.language)) {
    case TAnswer::Yes:
      return links_.save(links_.ranch.LastPath());
    case TAnswer::No:
      return true;
    case TAnswer::Cancel:
      break;
  }
  return false;
}

bool TProtection::MayLeave() { return !guard_.On() || !links_.ranch.Changed() || SaveFirst(); }
bool TProtection::MayOpen() { return MayLeave(); }

bool TProtection::MayReload() {
  return !guard_.On() || !links_.ranch.Changed() ||
         AskDiscardChanges(&links_.window, links_.language, false) == TAnswer::Yes;
}

bool TProtection::MayStartNew() {
  return !links_.ranch.Changed() || AskDiscardChanges(&links_.window, links_.language, guard_.On()) == TAnswer::Yes;
}

void TProtection::DateShown() {
  if (links_.map && guard_.MonthEnded(links_.map->Record())) WriteAutosave();
}

void TProtection::GameReplaced() {
  if (links_.map) guard_.Follow(links_.map->Record());
}

void TProtection::ProgramEnds() {
  if (!guard_.On()) return;
  WriteAutosave();
  guard_.Stop();
}

void TProtection::WriteAutosave() {
  if (links_.map && guard_.Autosave(links_.map->Record()) != TSaveResult::Saved)
    links_.status.Show(TExtraText::AutosaveFailedStatus, QString::fromLatin1(AutosaveFileName));
}
