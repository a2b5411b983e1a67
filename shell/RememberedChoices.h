#pragma once
// "Lembrar escolhas" in the game: checking it restores the choices kept last
// time; while it is checked each choice is written as it changes; unchecking
// it deletes the file. Nothing is read or written while it is unchecked.
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/Choices.h"
#include "datafiles/ExtraTexts.h"

class QAction;
class QWidget;

// What the choices are read from and put back through: the commands a player
// would use, so that what follows from each choice follows here too.
struct TChoiceTargets {
  std::function<std::string()> language;                  // the language file in use
  std::function<void(const std::string&)> loadLanguage;
  std::array<QAction*, 6> speedItems{};                   // by GameSpeed 1..6
  QAction* sound = nullptr;
  QAction* music = nullptr;
  std::vector<std::pair<std::string, QAction*>> options;  // the Extras options kept, by name
  QWidget* palette = nullptr;
  QWidget* surface = nullptr;                             // the map view's, whose wheel zooms
  std::function<void(TExtraText)> say;                    // a status message
};

class TRememberedChoices : public QObject {
 public:
  TRememberedChoices() = default;

  // Where the file lies; the standard per-user location unless a test says.
  QString Path = ChoicesPath();

  // The option checked or unchecked; the targets serve while it stays checked.
  void Switch(bool on, TChoiceTargets targets);
  // A choice may have changed: the file is brought up to date once the
  // command that changed it is over.
  void Follow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TChoiceSet Snapshot() const;
  void Apply(const TChoiceSet& choices);
  void Write();

  TChoiceTargets targets_;
  bool on_ = false;
  bool writePending_ = false;
  TChoiceSet written_;
};
