#pragma once
// The status bar's text panel as the game's commands use it: a message in
// the current language that follows a change of language while it is still
// on show, and the one table that turns a ranch command's result into its
// message.
#include <QString>

#include "datafiles/ExtraTexts.h"
#include "shell/Ranch.h"

class QLabel;
class TLanguage;

class TStatusLine {
 public:
  TStatusLine(const TLanguage& language) : language_(language) {}

  // The panel, once the status bar exists.
  void SetPanel(QLabel* panel) { panel_ = panel; }

  // Writes a message; "%1" in the text becomes fileName.
  void Show(TExtraText text, const QString& fileName = {});
  // Writes the message of a command's result, if it has one; true when the
  // result is a refusal the player should hear.
  bool ShowResult(TRanchResult result, const QString& fileName = {});

  // Writes a text already in words (the economy's news); it stays as it is
  // when the language changes.
  void ShowText(const QString& text);

  // Call before the language changes: whether the panel still shows the
  // message last written (and not, say, a tool's hint written since).
  bool MessageOnShow() const;
  // Writes the message again in the current language.
  void Rewrite();

 private:
  QString Text() const;

  const TLanguage& language_;
  QLabel* panel_ = nullptr;
  bool shown_ = false;
  TExtraText text_ = TExtraText::ExtrasMenu;
  QString fileName_;
};
