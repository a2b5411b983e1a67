#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <memory>

#include "map/Mapa.h"
#include "shell/SaveGame.h"

namespace {
// A sound record of a generated ranch, told apart by its seed.
std::unique_ptr<TMapaRecord> PatternRecord(std::uint8_t seed) {
  RandomSeed(seed);
  TMapa map;
  map.Generate();
  map.AdvanceForecast();
  map.Tick(1);
  map.Record().funds = 1000 + seed;
  return std::make_unique<TMapaRecord>(map.Record());
}

QByteArray RecordBytes(const TMapaRecord& record) {
  return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
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
  ASSERT_EQ(SaveGameRecord(path, *saved), TSaveResult::Saved);
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
  ASSERT_EQ(SaveGameRecord(path, *PatternRecord(1)), TSaveResult::Saved);
  const QByteArray good = ReadAll(path);
  {
    FileSizeLimit limit(1000);
    EXPECT_EQ(SaveGameRecord(path, *PatternRecord(2)), TSaveResult::Failed);
  }
  EXPECT_EQ(ReadAll(path), good);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{SaveGameFileName});

}

// Whatever the name is, if it is not an ordinary file it is neither written
// into nor replaced; every such thing is made in a temporary folder.
TEST(SaveGameTest, WhatIsNotAnOrdinaryFileIsNeverReplaced) {
  QTemporaryDir dir;
  const QByteArray folder = QFile::encodeName(dir.filePath("folder"));
  const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
  ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
  ASSERT_EQ(::mkfifo(fifo.constData(), 0644), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray socketPath = QFile::encodeName(dir.filePath("sock"));
  std::strncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::symlink("fifo", QFile::encodeName(dir.filePath("to_fifo")).constData()), 0);
  ASSERT_EQ(::symlink("folder", QFile::encodeName(dir.filePath("to_folder")).constData()), 0);
  ASSERT_EQ(::symlink("to_fifo", QFile::encodeName(dir.filePath("to_link_to_fifo")).constData()), 0);
  ASSERT_EQ(::symlink("nowhere", QFile::encodeName(dir.filePath("dangling")).constData()), 0);

  for (const char* name : {"folder", "fifo", "sock", "to_fifo", "to_folder", "to_link_to_fifo", "dangling"}) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    struct stat before {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &before), 0) << name;
    EXPECT_EQ(SaveGameRecord(path, *PatternRecord(2)), TSaveResult::Refused) << name;
    struct stat after {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &after), 0) << name;
    EXPECT_EQ(after.st_ino, before.st_ino) << name;
    EXPECT_EQ(after.st_mode, before.st_mode) << name;
  }
  ::close(sock);
  EXPECT_FALSE(QFile::exists(dir.filePath("nowhere")));
  EXPECT_TRUE(QDir(dir.filePath("folder")).isEmpty());
  // No temporary file was left behind either.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 7);
}

TEST(SaveGameTest, ALinkToAnOrdinaryFileSavesIntoThatFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir().mkpath(dir.filePath("saves")));
  const QString real = dir.filePath("saves/real.map");
  ASSERT_EQ(SaveGameRecord(real, *PatternRecord(1)), TSaveResult::Saved);
  ASSERT_EQ(::chmod(QFile::encodeName(real).constData(), 0600), 0);
  const QString link = dir.filePath(SaveGameFileName);
  ASSERT_EQ(::symlink("saves/real.map", QFile::encodeName(link).constData()), 0);

  const auto record = PatternRecord(4);
  EXPECT_EQ(SaveGameRecord(link, *record), TSaveResult::Saved);
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_EQ(ReadAll(real), RecordBytes(*record));
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600U);
  {  // atomic as ever: a failed save through the link keeps the file whole
    FileSizeLimit limit(1000);
    EXPECT_EQ(SaveGameRecord(link, *PatternRecord(5)), TSaveResult::Failed);
  }
  EXPECT_EQ(ReadAll(real), RecordBytes(*record));
  EXPECT_EQ(QDir(dir.filePath("saves")).entryList(QDir::Files | QDir::Hidden), QStringList{"real.map"});
}

// Loading looks before it reads: a pipe must not hold the game still, and
// only a sound record replaces the game.
TEST(SaveGameTest, LoadRefusesWhatIsNotASoundSavedGame) {
  QTemporaryDir dir;
  const auto before = PatternRecord(6);
  auto record = PatternRecord(6);
  const auto unchanged = [&] { return RecordBytes(*record) == RecordBytes(*before); };

  const QString fifo = dir.filePath("fifo");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
  EXPECT_EQ(LoadGameRecord(fifo, *record), TLoadResult::NotASave);
  ASSERT_EQ(::symlink("fifo", QFile::encodeName(dir.filePath("to_fifo")).constData()), 0);
  EXPECT_EQ(LoadGameRecord(dir.filePath("to_fifo"), *record), TLoadResult::NotASave);
  EXPECT_EQ(LoadGameRecord(dir.path(), *record), TLoadResult::NotASave);
  ASSERT_EQ(::symlink("nowhere", QFile::encodeName(dir.filePath("dangling")).constData()), 0);
  EXPECT_EQ(LoadGameRecord(dir.filePath("dangling"), *record), TLoadResult::Missing);
  EXPECT_TRUE(unchanged());

  QByteArray damaged = RecordBytes(*PatternRecord(7));
  damaged[12] = 13;  // month 13
  const QString path = dir.filePath(SaveGameFileName);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(damaged);
  file.close();
  EXPECT_EQ(LoadGameRecord(path, *record), TLoadResult::Damaged);
  EXPECT_TRUE(unchanged());

  if (::geteuid() != 0) {  // the superuser reads whatever the mode says
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
    EXPECT_EQ(LoadGameRecord(path, *record), TLoadResult::Unreadable);
    EXPECT_TRUE(unchanged());
  }
}
