#include "shell/Ranch.h"

#include "shell/SaveGame.h"

TRanch::TRanch(const std::unique_ptr<TMapa>& map, TStrokeHistory& strokes)
    : map_(map), strokes_(strokes), lastPath_(QString::fromLatin1(SaveGameFileName)) {}

TRanchResult TRanch::New() {
  if (!map_) return TRanchResult::Nothing;
  map_->Reset();
  map_->Generate();
  map_->AdvanceForecast();
  map_->Tick(1);
  // Nothing of the ranch before can be undone into this one.
  strokes_.Clear();
  traded_ = false;
  return TRanchResult::NewRanch;
}

TRanchResult TRanch::Save() { return SaveTo(QString::fromLatin1(SaveGameFileName)); }

TRanchResult TRanch::SaveTo(const QString& path) {
  if (!map_) return TRanchResult::Nothing;
  switch (SaveGameRecord(path, map_->Record())) {
    case TSaveResult::Saved:
      strokes_.MarkSaved();
      traded_ = false;
      lastPath_ = path;
      return TRanchResult::Saved;
    case TSaveResult::Refused:
      return TRanchResult::SaveRefused;
    case TSaveResult::Failed:
      break;
  }
  return TRanchResult::SaveFailed;
}

TRanchResult TRanch::Load() { return Open(QString::fromLatin1(SaveGameFileName)); }

TRanchResult TRanch::Open(const QString& path) {
  if (!map_) return TRanchResult::Nothing;
  switch (LoadGameRecord(path, map_->Record())) {
    case TLoadResult::Loaded:
      strokes_.Clear();
      traded_ = false;
      lastPath_ = path;
      return TRanchResult::Loaded;
    case TLoadResult::Missing:
      return TRanchResult::NoSave;
    case TLoadResult::Unreadable:
      return TRanchResult::LoadFailed;
    case TLoadResult::NotASave:
      return TRanchResult::NotASave;
    case TLoadResult::Damaged:
      break;
  }
  return TRanchResult::Damaged;
}

TRanchResult TRanch::Undo() {
  if (!map_ || !strokes_.Undo(*map_)) return TRanchResult::Nothing;
  return TRanchResult::Undone;
}

TRanchResult TRanch::Redo() {
  if (!map_) return TRanchResult::Nothing;
  switch (strokes_.Redo(*map_)) {
    case TRedoResult::Redone:
      return TRanchResult::Redone;
    case TRedoResult::NotEnoughMoney:
      return TRanchResult::RedoRefused;
    case TRedoResult::NothingToRedo:
      break;
  }
  return TRanchResult::Nothing;
}
