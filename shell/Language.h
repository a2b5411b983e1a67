#pragma once
// The language: the files found in "data/lang/", the one in use, and putting
// its texts on the widgets. A language file's 60 lines label the menus, the
// palette and the toolbar and give the date's words; its companion file gives
// the texts the 60 lines have no place for (the Extras menu, the status
// messages, dialog captions).
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "datafiles/ExtraTexts.h"
#include "datafiles/LanguageFile.h"

class QAction;
class QLabel;
class QMenu;
class TSpeedButton;
class TTools;

// The widgets a language labels, each at the place of its line.
struct TLanguageTargets {
  std::array<QAction*, LanguageLine::LastMenuCaption - LanguageLine::FirstMenuCaption + 1> menuCaptions{};
  TTools* palette = nullptr;
  std::array<TSpeedButton*, LanguageLine::LastToolbarHint - LanguageLine::FirstToolbarHint + 1> toolbar{};
  QLabel* dateCaption = nullptr;
  QLabel* fundsCaption = nullptr;
};

// Names of the language files found at start-up; entry i belongs to the
// language menu item whose tag is i.
extern std::vector<std::string> LanguageFiles;

class TLanguage {
 public:
  // Lists the language files into LanguageFiles and `menu`, one item each in
  // folder order; an item's tag is its index in LanguageFiles. Choosing one
  // calls `load` with its file name.
  void Scan(QMenu& menu, std::function<void(const std::string&)> load);

  // Reads the language file `name` and its companion, stores the date's
  // words, and labels the targets. A file that cannot be read leaves the
  // texts it would give empty; a missing companion gives the built-in texts.
  void Load(const std::string& name, const TLanguageTargets& targets);

  // The language file in use.
  const std::string& Current() const { return current_; }
  // The companion texts in use.
  const TExtraTexts& Extras() const { return extras_; }
  // A companion text as it appears on screen.
  QString Text(TExtraText text) const;

 private:
  TExtraTexts extras_;
  std::string current_;
};
