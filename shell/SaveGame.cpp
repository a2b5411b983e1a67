#include "shell/SaveGame.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSaveFile>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "map/Mapa.h"
#include "map/MapaCheck.h"

namespace {

// Where a save to `path` writes: the path itself for an ordinary file or a
// new one, the file a link leads to when that is an ordinary file, and
// nothing for anything else, which a save must not replace.
std::optional<QString> SaveTarget(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  struct stat info {};
  if (::lstat(name.constData(), &info) != 0) return path;  // new, or the save itself will say why not
  if (S_ISREG(info.st_mode)) return path;
  if (!S_ISLNK(info.st_mode)) return std::nullopt;
  char resolved[PATH_MAX];
  if (::realpath(name.constData(), resolved) == nullptr) return std::nullopt;
  if (::stat(resolved, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return QFile::decodeName(resolved);
}

// Reads up to `bytes.size()` bytes; -1 on a read error.
long ReadUpTo(int fd, std::array<std::uint8_t, sizeof(TMapaRecord)>& bytes) {
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return static_cast<long>(got);
}

}  // namespace

TSaveResult SaveGameRecord(const QString& path, const TMapaRecord& record) {
  const std::optional<QString> target = SaveTarget(path);
  if (!target) return TSaveResult::Refused;
  QSaveFile file(*target);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return TSaveResult::Failed;
  const auto size = static_cast<qint64>(sizeof(TMapaRecord));
  if (file.write(reinterpret_cast<const char*>(&record), size) != size) {
    file.cancelWriting();
    return TSaveResult::Failed;
  }
  return file.commit() ? TSaveResult::Saved : TSaveResult::Failed;
}

TLoadResult LoadGameRecord(const QString& path, TMapaRecord& record) {
  // Only an ordinary file is opened: a pipe would hold the game still, and
  // a device may act on being opened. It is looked at again once open
  // (without waiting), in case it changed in between.
  const QByteArray name = QFile::encodeName(path);
  struct stat info {};
  if (::stat(name.constData(), &info) != 0) return errno == ENOENT ? TLoadResult::Missing : TLoadResult::Unreadable;
  if (!S_ISREG(info.st_mode)) return TLoadResult::NotASave;
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return TLoadResult::Unreadable;
  const bool ordinary = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  std::array<std::uint8_t, sizeof(TMapaRecord)> bytes;
  const long got = ordinary ? ReadUpTo(fd, bytes) : 0;
  ::close(fd);
  if (!ordinary) return TLoadResult::NotASave;
  if (got < 0) return TLoadResult::Unreadable;
  switch (TakeRecord(bytes.data(), static_cast<std::size_t>(got), record)) {
    case TRecordVerdict::Loaded:
      return TLoadResult::Loaded;
    case TRecordVerdict::Short:
      return TLoadResult::NotASave;
    case TRecordVerdict::Damaged:
      break;
  }
  return TLoadResult::Damaged;
}
