#pragma once
// The game's file commands and the undo of building, with no widgets: a new
// ranch in the same map object, saving and loading the one saved game or a
// chosen file, undo and redo. Each returns what happened; the main window
// turns that into its status message and follows the record on screen.
#include <QString>
#include <memory>

#include "map/Mapa.h"
#include "map/Strokes.h"

enum class TRanchResult {
  Nothing,       // no ranch yet, or nothing to undo or redo: nothing to say
  NewRanch,      // a new ranch was made
  Saved,         // the file now holds the record
  SaveFailed,    // it could not be written; an older file is as it was
  SaveRefused,   // not a file the game writes over; nothing touched
  Loaded,        // the record now holds the file's
  NoSave,        // there is no such file
  LoadFailed,    // the file is there but cannot be read
  NotASave,      // not an ordinary file, or too short
  Damaged,       // a record the game cannot play
  Undone,
  Redone,
  RedoRefused,   // the money does not reach the stroke's price
};

// Whether the result replaced the record as a whole, so that everything on
// screen must follow it.
constexpr bool ReplacesGame(TRanchResult result) {
  return result == TRanchResult::NewRanch || result == TRanchResult::Loaded;
}

// Whether the command did what it was asked.
constexpr bool Succeeded(TRanchResult result) {
  return result == TRanchResult::NewRanch || result == TRanchResult::Saved || result == TRanchResult::Loaded ||
         result == TRanchResult::Undone || result == TRanchResult::Redone;
}

class TRanch {
 public:
  // The map object lives in the main window from its first show on; the
  // history records the player's strokes.
  TRanch(const std::unique_ptr<TMapa>& map, TStrokeHistory& strokes);

  // A new ranch as start-up makes one, in the same map object and with the
  // game's generator going on where it stands.
  TRanchResult New();
  // Saves to "mapa.map" in the current folder, or to `path`.
  TRanchResult Save();
  TRanchResult SaveTo(const QString& path);
  // Loads "mapa.map" in the current folder, or `path`, when it is sound; a
  // refused load leaves the record byte for byte as it was.
  TRanchResult Load();
  TRanchResult Open(const QString& path);
  TRanchResult Undo();
  TRanchResult Redo();

  // Whether the ranch changed since it was last saved, loaded or made: its
  // building, or what the living ranch's trades and tools changed.
  bool Changed() const { return strokes_.Changed() || traded_; }
  // A change the building strokes do not hold (a trade of the living ranch).
  void MarkTraded() { traded_ = true; }
  // The file last saved or loaded; "mapa.map" until there is one.
  const QString& LastPath() const { return lastPath_; }

 private:
  const std::unique_ptr<TMapa>& map_;
  TStrokeHistory& strokes_;
  QString lastPath_;
  bool traded_ = false;
};
