#include "shell/GameGuard.h"

#include <QFile>
#include <QFileInfo>

#include "map/Mapa.h"

bool TGameGuard::Start() {
  on_ = true;
  const bool uncleanEnd = QFileInfo::exists(QString::fromLatin1(RunningMarkerName)) &&
                          QFileInfo(QString::fromLatin1(AutosaveFileName)).isFile();
  QFile marker(QString::fromLatin1(RunningMarkerName));
  if (marker.open(QIODevice::WriteOnly | QIODevice::Truncate)) marker.write("Zol Vorn\n");
  return uncleanEnd;
}

void TGameGuard::Stop() {
  if (!on_) return;
  on_ = false;
  QFile::remove(QString::fromLatin1(RunningMarkerName));
}

bool TGameGuard::MonthEnded(const TMapaRecord& record) {
  const bool moved = dateSeen_ && (record.year != year_ || record.month != month_);
  Follow(record);
  return on_ && moved;
}

void TGameGuard::Follow(const TMapaRecord& record) {
  dateSeen_ = true;
  year_ = record.year;
  month_ = record.month;
}

TSaveResult TGameGuard::Autosave(const TMapaRecord& record) const {
  return SaveGameRecord(QString::fromLatin1(AutosaveFileName), record);
}
