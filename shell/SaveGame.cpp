#include "shell/SaveGame.h"

#include <QFile>
#include <QSaveFile>
#include <array>
#include <cstring>

#include "map/Mapa.h"

bool SaveGameRecord(const QString& path, const TMapaRecord& record) {
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(sizeof(TMapaRecord));
  if (file.write(reinterpret_cast<const char*>(&record), size) != size) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

TLoadResult LoadGameRecord(const QString& path, TMapaRecord& record) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return TLoadResult::Missing;
  std::array<char, sizeof(TMapaRecord)> bytes;
  qint64 got = 0;
  while (got < static_cast<qint64>(bytes.size())) {
    const qint64 n = file.read(bytes.data() + got, static_cast<qint64>(bytes.size()) - got);
    if (n <= 0) break;
    got += n;
  }
  if (got < static_cast<qint64>(bytes.size())) return TLoadResult::NotASave;
  std::memcpy(&record, bytes.data(), bytes.size());
  return TLoadResult::Loaded;
}
