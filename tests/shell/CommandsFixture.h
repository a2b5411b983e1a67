#pragma once
// A folder laid out as the game expects it (a small package with every
// entry the main window loads, language files) and the game's windows made
// in it, as program entry makes them.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

class TForm1;
class TMapa;

// A whole file, or nothing when it cannot be read.
QByteArray FileBytes(const QString& path);
// Writes a file whole; a failure fails the test.
void WriteBytes(const QString& path, const QByteArray& bytes);
// The saved-game record of a map as it would be written.
QByteArray RecordBytes(const TMapa& map);
std::string Utf8(const QString& text);

// Writes data/data.dpf with every entry start-up needs.
void WriteTestPackage(const QString& folder);
// Writes data/lang/<name> with the given bytes.
void WriteLanguageFile(const QString& folder, const std::string& name, const std::string& bytes);
// The 60 lines of a language file: line k is prefix + k, lines joined by
// `end`, no line end after the last.
std::string NumberedLanguage(const std::string& prefix, const char* end = "\n");

class TGameFolder {
 public:
  // Makes the folder current; language files are left to the test.
  TGameFolder();
  ~TGameFolder();
  QString Path(const QString& name) const { return dir_.filePath(name); }
  // Creates the main window, map view and palette and shows them.
  std::unique_ptr<TForm1> StartGame();

 private:
  QTemporaryDir dir_;
  QString previous_;
};
