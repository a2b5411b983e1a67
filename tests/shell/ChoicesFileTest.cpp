// The remembered choices' file and the autosave's marker, without a window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "map/Mapa.h"
#include "shell/Choices.h"
#include "shell/GameGuard.h"
#include "shell/ToolkitTranslation.h"

namespace {

TChoiceSet Chosen() {
  TChoiceSet c;
  c.language = "english.dat";
  c.speed = 1;
  c.sound = false;
  c.music = true;
  c.zoom = 5;
  c.options = {{"largeMap", true}, {"minimap", false}};
  c.palette = QPoint(12, 345);
  return c;
}

class ChoicesFile : public ::testing::Test {
 protected:
  QString Path() const { return dir.filePath("zolvorn/choices.ini"); }
  // Rewrites one key as a player's editor would, leaving the checksum.
  void Edit(const QString& key, const QString& value) {
    QSettings file(Path(), QSettings::IniFormat);
    file.setValue(key, value);
  }
  QTemporaryDir dir;
};

TEST_F(ChoicesFile, WrittenChoicesComeBackAndRemovingLeavesNoFile) {
  TChoiceSet read;
  EXPECT_EQ(ReadChoices(Path(), read), TChoicesRead::Missing);
  ASSERT_TRUE(WriteChoices(Path(), Chosen()));
  EXPECT_FALSE(QFile::exists(Path() + ".new"));
  ASSERT_EQ(ReadChoices(Path(), read), TChoicesRead::Read);
  EXPECT_EQ(read, Chosen());
  EXPECT_TRUE(RemoveChoices(Path()));
  EXPECT_FALSE(QFile::exists(Path()));
  EXPECT_TRUE(RemoveChoices(Path()));  // nothing there is no failure
}

// Anything but the file as written restores nothing, and says so.
TEST_F(ChoicesFile, DamagedFilesRestoreNothing) {
  const TChoiceSet untouched;
  const auto refused = [&] {
    TChoiceSet read;
    const TChoicesRead result = ReadChoices(Path(), read);
    EXPECT_EQ(read, untouched);
    return result;
  };
  ASSERT_TRUE(QDir().mkpath(dir.filePath("zolvorn")));
  QFile noise(Path());
  ASSERT_TRUE(noise.open(QIODevice::WriteOnly));
  for (int i = 0; i < 4096; ++i) noise.putChar(static_cast<char>((i * 7919) % 251));
  noise.close();
  EXPECT_EQ(refused(), TChoicesRead::Damaged);

  for (const auto& [key, value] : std::vector<std::pair<QString, QString>>{
           {"choices/speed", "3"},                 // a sound value the checksum does not cover
           {"choices/speed", "9"},                 // out of range
           {"choices/zoom", "zoom"},               // not a number
           {"choices/language", "../../x.dat"},    // a path, not a language file
           {"format/version", "2"},                // a newer file
           {"options/minimap", "yes"},             // not a flag
           {"places/palette", "1,2,3"},            // not a place
       }) {
    ASSERT_TRUE(WriteChoices(Path(), Chosen()));
    Edit(key, value);
    EXPECT_EQ(refused(), TChoicesRead::Damaged) << key.toStdString() << "=" << value.toStdString();
  }
  ASSERT_TRUE(QDir().mkpath(Path() + "d"));
  TChoiceSet read;
  EXPECT_EQ(ReadChoices(Path() + "d", read), TChoicesRead::Damaged);  // a folder
}

TEST(GameGuard, CountsMonthsOnlyWhileOnAndFindsAnEarlierRunsMarker) {
  QTemporaryDir dir;
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  TMapaRecord record{};
  record.year = 2004;
  record.month = 3;

  TGameGuard guard;
  guard.Follow(record);
  record.month = 4;
  EXPECT_FALSE(guard.MonthEnded(record));  // off: nothing is written
  EXPECT_FALSE(guard.Start());             // no earlier run
  EXPECT_TRUE(QFile::exists(RunningMarkerName));
  EXPECT_FALSE(guard.MonthEnded(record));  // the same month again
  record.month = 5;
  EXPECT_TRUE(guard.MonthEnded(record));
  EXPECT_FALSE(guard.MonthEnded(record));
  record.month = 1;
  record.year = 2005;
  EXPECT_TRUE(guard.MonthEnded(record));

  // A run that ends without a clean exit leaves its marker: with an autosave
  // beside it, the next run finds something to restore.
  EXPECT_EQ(guard.Autosave(record), TSaveResult::Saved);
  TGameGuard next;
  EXPECT_TRUE(next.Start());
  next.Stop();
  EXPECT_FALSE(QFile::exists(RunningMarkerName));
  TGameGuard clean;
  EXPECT_FALSE(clean.Start());
  clean.Stop();
  QDir::setCurrent(previous);
}

TEST(ToolkitTranslation, OnlyPlainLocaleNamesAreTried) {
  EXPECT_TRUE(PlausibleLocaleName("pt_BR"));
  EXPECT_TRUE(PlausibleLocaleName("en"));
  for (std::string_view bad : {"", "../pt_BR", "pt BR", "pt_BR\r", "abcdefghijklmnopq", "pt/BR"})
    EXPECT_FALSE(PlausibleLocaleName(bad)) << bad;
  TToolkitTranslation translation;
  translation.Follow("../../etc/passwd");
  EXPECT_FALSE(translation.Installed());
  translation.Follow("xx_YY");  // no such translation: the toolkit stays untranslated
  EXPECT_FALSE(translation.Installed());
}

}  // namespace
