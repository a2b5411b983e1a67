#include "shell/Protection.h"

#include "shell/GameDialogs.h"
#include "shell/Principal.h"

void TProtection::Switch(bool on) {
  if (!on) {
    guard_.Stop();
    return;
  }
  if (form_.RanchMap) guard_.Follow(form_.RanchMap->Record());
  if (guard_.Start() && AskRestoreAutosave(&form_, form_.Language))
    form_.LoadGameFrom(QString::fromLatin1(AutosaveFileName));
}

bool TProtection::SaveFirst() {
  switch (AskSaveFirst(&form_, form_.Language)) {
    case TAnswer::Yes:
      return form_.SaveGameTo(form_.Ranch.LastPath());
    case TAnswer::No:
      return true;
    case TAnswer::Cancel:
      break;
  }
  return false;
}

bool TProtection::MayLeave() { return !guard_.On() || !form_.Ranch.Changed() || SaveFirst(); }
bool TProtection::MayOpen() { return MayLeave(); }

bool TProtection::MayReload() {
  return !guard_.On() || !form_.Ranch.Changed() ||
         AskDiscardChanges(&form_, form_.Language, false) == TAnswer::Yes;
}

bool TProtection::MayStartNew() {
  return !form_.Ranch.Changed() || AskDiscardChanges(&form_, form_.Language, guard_.On()) == TAnswer::Yes;
}

void TProtection::DateShown() {
  if (form_.RanchMap && guard_.MonthEnded(form_.RanchMap->Record())) WriteAutosave();
}

void TProtection::GameReplaced() {
  if (form_.RanchMap) guard_.Follow(form_.RanchMap->Record());
}

void TProtection::ProgramEnds() {
  if (!guard_.On()) return;
  WriteAutosave();
  guard_.Stop();
}

void TProtection::WriteAutosave() {
  if (form_.RanchMap && guard_.Autosave(form_.RanchMap->Record()) != TSaveResult::Saved)
    form_.ShowStatus(TExtraText::AutosaveFailedStatus, QString::fromLatin1(AutosaveFileName));
}
