#pragma once
// "Proteger o jogo" in the game: the autosave at each month's end and at the
// program's end, the offer to restore it after a run that did not end well,
// and the questions before a command would lose unsaved work. With the
// option unchecked every command goes on at once, as it always did.
#include <QString>
#include <functional>
#include <memory>

#include "shell/GameGuard.h"

class QWidget;
class TLanguage;
class TMapa;
class TRanch;
class TStatusLine;

// What the protection works with: the window its questions belong to, the
// ranch and its map, the language of the questions, the status bar, and the
// window's own save and load with their messages.
struct TProtectionLinks {
  QWidget& window;
  TRanch& ranch;
  const std::unique_ptr<TMapa>& map;
  const TLanguage& language;
  TStatusLine& status;
  std::function<bool(const QString&)> save;
  std::function<bool(const QString&)> load;
};

class TProtection {
 public:
  explicit TProtection(TProtectionLinks links) : links_(std::move(links)) {}

  // The option checked or unchecked.
  void Switch(bool on);

  // Whether the command may go on; each asks only while the option is on and
  // the ranch changed since it was last saved. Leaving and opening another
  // game offer to save first (Yes saves to the file last saved or loaded;
  // Cancel keeps playing); reloading the saved game asks whether to discard.
  bool MayLeave();
  bool MayOpen();
  bool MayReload();
  // A new ranch asks whether to discard changes whenever there are some, as
  // it always did; with the option on the question also has Cancel.
  bool MayStartNew();

  // The date on show changed; a month's end writes the autosave.
  void DateShown();
  // The record was replaced as a whole: its date is where months count from.
  void GameReplaced();
  // A clean end: the autosave written and the marker gone.
  void ProgramEnds();

 private:
  bool SaveFirst();
  void WriteAutosave();

  TProtectionLinks links_;
  TGameGuard guard_;
};
