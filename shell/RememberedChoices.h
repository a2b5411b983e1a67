#pragma once
// "Lembrar escolhas" in the game: checking it restores the choices kept last
// time; while it is checked each choice is written as it changes; unchecking
// it deletes the file. Nothing is read or written while it is unchecked.
#include <QObject>
#include <QString>

#include "shell/Choices.h"

class TForm1;

class TRememberedChoices : public QObject {
 public:
  explicit TRememberedChoices(TForm1& form) : QObject(nullptr), form_(form) {}

  // Where the file lies; the standard per-user location unless a test says.
  QString Path = ChoicesPath();

  // The option checked or unchecked.
  void Switch(bool on);
  // A choice may have changed: the file is brought up to date once the
  // command that changed it is over.
  void Follow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TChoiceSet Snapshot() const;
  void Apply(const TChoiceSet& choices);
  void Write();

  TForm1& form_;
  bool on_ = false;
  bool writePending_ = false;
  TChoiceSet written_;
};
