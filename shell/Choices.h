#pragma once
// "Lembrar escolhas": the player's choices kept between runs, but only when
// asked. The file is an INI file in the per-user config folder
// ($XDG_CONFIG_HOME/zolvorn/choices.ini), with a version and a checksum over
// every choice, so that a damaged or hand-broken file restores nothing.
// docs/choices.md describes it key by key.
#include <QPoint>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <variant>

// The choices a run can make, as they are written and restored.
struct TChoiceSet {
  std::string language = "portugues.dat";  // a file of data/lang/
  int speed = 4;                           // GameSpeed, 1..6
  bool sound = true;
  bool music = true;
  int zoom = 3;                            // ZoomIndex, 1..5
  std::map<std::string, bool> options;     // Extras options by key
  std::optional<QPoint> palette;           // the palette's place on the screen
  std::optional<QPoint> overview;          // the overview's place in the document area

  bool operator==(const TChoiceSet&) const = default;
};

enum class TChoicesRead { Read, Missing, Damaged };

// The file in the standard per-user config location.
QString ChoicesPath();

// Reads and checks the file; on anything but Read, `choices` is untouched.
TChoicesRead ReadChoices(const QString& path, TChoiceSet& choices);
// Writes the file whole through a temporary file; false when it could not.
bool WriteChoices(const QString& path, const TChoiceSet& choices);
// Deletes the file; true when it is gone.
bool RemoveChoices(const QString& path);
