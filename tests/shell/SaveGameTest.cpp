#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <memory>

#include "map/Mapa.h"
#include "shell/SaveGame.h"

namespace {
std::unique_ptr<TMapaRecord> PatternRecord(std::uint8_t seed) {
  auto record = std::make_unique<TMapaRecord>();
  auto* bytes = reinterpret_cast<std::uint8_t*>(record.get());
  for (std::size_t i = 0; i < sizeof(TMapaRecord); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + seed);
  return record;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool SameRecord(const TMapaRecord& a, const TMapaRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Writes larger than the limit fail, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};
}  // namespace

TEST(SaveGameTest, SaveThenLoadRestoresTheSameRecord) {
  QTemporaryDir dir;
  const QString path = dir.filePath(SaveGameFileName);
  const auto saved = PatternRecord(3);
  ASSERT_TRUE(SaveGameRecord(path, *saved));
  EXPECT_EQ(QFile(path).size(), 28836);
  EXPECT_EQ(ReadAll(path), QByteArray(reinterpret_cast<const char*>(saved.get()), sizeof(TMapaRecord)));

  auto loaded = PatternRecord(99);
  EXPECT_EQ(LoadGameRecord(path, *loaded), TLoadResult::Loaded);
  EXPECT_TRUE(SameRecord(*loaded, *saved));
}

TEST(SaveGameTest, ShortOrMissingFileLeavesTheRecordUnchanged) {
  QTemporaryDir dir;
  const QString path = dir.filePath(SaveGameFileName);
  const auto before = PatternRecord(5);
  auto record = PatternRecord(5);
  EXPECT_EQ(LoadGameRecord(path, *record), TLoadResult::Missing);
  EXPECT_TRUE(SameRecord(*record, *before));

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(28835, '\x09'));
  file.close();
  EXPECT_EQ(LoadGameRecord(path, *record), TLoadResult::NotASave);
  EXPECT_TRUE(SameRecord(*record, *before));
}

TEST(SaveGameTest, LongerFileGivesItsFirstRecord) {
  QTemporaryDir dir;
  const QString path = dir.filePath(SaveGameFileName);
  const auto saved = PatternRecord(1);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(saved.get()), sizeof(TMapaRecord));
  file.write("trailing bytes");
  file.close();
  auto record = PatternRecord(0);
  EXPECT_EQ(LoadGameRecord(path, *record), TLoadResult::Loaded);
  EXPECT_TRUE(SameRecord(*record, *saved));
}

TEST(SaveGameTest, FailedSaveLeavesTheOldFileByteIdentical) {
  QTemporaryDir dir;
  const QString path = dir.filePath(SaveGameFileName);
  ASSERT_TRUE(SaveGameRecord(path, *PatternRecord(1)));
  const QByteArray good = ReadAll(path);
  {
    FileSizeLimit limit(1000);
    EXPECT_FALSE(SaveGameRecord(path, *PatternRecord(2)));
  }
  EXPECT_EQ(ReadAll(path), good);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{SaveGameFileName});

  // A folder where the file should be: nothing to replace, nothing written.
  const QString folder = dir.filePath("folder");
  ASSERT_TRUE(QDir().mkpath(folder + "/" + SaveGameFileName));
  EXPECT_FALSE(SaveGameRecord(folder + "/" + SaveGameFileName, *PatternRecord(2)));
}
