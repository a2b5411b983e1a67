#include "shell/Choices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <zlib.h>

namespace {
constexpr int Version = 1;
// Far enough for any screen a player has; a place beyond is noise.
constexpr int PlaceLimit = 100000;

// Every choice as one line of text in a fixed order: what the checksum covers.
QByteArray Canonical(const TChoiceSet& c) {
  QByteArray text;
  const auto add = [&text](const QByteArray& key, const QByteArray& value) { text += key + '=' + value + '\n'; };
  add("language", QByteArray::fromStdString(c.language));
  add("speed", QByteArray::number(c.speed));
  add("sound", c.sound ? "1" : "0");
  add("music", c.music ? "1" : "0");
  add("zoom", QByteArray::number(c.zoom));
  for (const auto& [key, on] : c.options) add("option." + QByteArray::fromStdString(key), on ? "1" : "0");
  if (c.palette) add("palette", QByteArray::number(c.palette->x()) + ',' + QByteArray::number(c.palette->y()));
  if (c.overview) add("overview", QByteArray::number(c.overview->x()) + ',' + QByteArray::number(c.overview->y()));
  return text;
}

QString Checksum(const TChoiceSet& c) {
  const QByteArray text = Canonical(c);
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(text.constData()),
                          static_cast<uInt>(text.size()));
  return QString::number(static_cast<std::uint32_t>(crc), 16).rightJustified(8, QLatin1Char('0'));
}

// A language is a plain file name of the language folder, never a path.
bool PlainLanguageName(const QString& name) {
  return !name.isEmpty() && name.size() <= 255 && name.endsWith(QLatin1String(".dat")) &&
         !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.startsWith(QLatin1Char('.'));
}

std::optional<int> Integer(const QSettings& file, const QString& key, int low, int high) {
  bool ok = false;
  const int value = file.value(key).toString().toInt(&ok);
  if (!ok || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<bool> Flag(const QSettings& file, const QString& key) {
  const QString value = file.value(key).toString();
  if (value == QLatin1String("1")) return true;
  if (value == QLatin1String("0")) return false;
  return std::nullopt;
}

// "x,y" within the limits; absent is fine, anything else is damage.
bool Place(const QSettings& file, const QString& key, std::optional<QPoint>& place) {
  if (!file.contains(key)) return true;
  const QStringList parts = file.value(key).toString().split(QLatin1Char(','));
  if (parts.size() != 2) return false;
  bool okX = false, okY = false;
  const int x = parts[0].toInt(&okX), y = parts[1].toInt(&okY);
  if (!okX || !okY || std::abs(x) > PlaceLimit || std::abs(y) > PlaceLimit) return false;
  place = QPoint(x, y);
  return true;
}
}  // namespace

QString ChoicesPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/zolvorn/choices.ini");
}

TChoicesRead ReadChoices(const QString& path, TChoiceSet& choices) {
  const QFileInfo info(path);
  if (!info.exists()) return TChoicesRead::Missing;
  // The whole file is a few hundred bytes; a large one is not ours.
  if (!info.isFile() || info.size() > 64 * 1024) return TChoicesRead::Damaged;
  QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError) return TChoicesRead::Damaged;
  if (Integer(file, QStringLiteral("format/version"), Version, Version) != Version) return TChoicesRead::Damaged;

  TChoiceSet read;
  const QString language = file.value(QStringLiteral("choices/language")).toString();
  if (!PlainLanguageName(language)) return TChoicesRead::Damaged;
  read.language = language.toStdString();
  const auto speed = Integer(file, QStringLiteral("choices/speed"), 1, 6);
  const auto zoom = Integer(file, QStringLiteral("choices/zoom"), 1, 5);
  const auto sound = Flag(file, QStringLiteral("choices/sound"));
  const auto music = Flag(file, QStringLiteral("choices/music"));
  if (!speed || !zoom || !sound || !music) return TChoicesRead::Damaged;
  read.speed = *speed;
  read.zoom = *zoom;
  read.sound = *sound;
  read.music = *music;
  file.beginGroup(QStringLiteral("options"));
  for (const QString& key : file.childKeys()) {
    const auto on = Flag(file, key);
    if (!on) return TChoicesRead::Damaged;
    read.options[key.toStdString()] = *on;
  }
  file.endGroup();
  if (!Place(file, QStringLiteral("places/palette"), read.palette) ||
      !Place(file, QStringLiteral("places/overview"), read.overview))
    return TChoicesRead::Damaged;
  if (file.value(QStringLiteral("format/checksum")).toString() != Checksum(read)) return TChoicesRead::Damaged;
  choices = read;
  return TChoicesRead::Read;
}

bool WriteChoices(const QString& path, const TChoiceSet& choices) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  // Written beside the file, then put in its place whole.
  const QString temporary = path + QStringLiteral(".new");
  QFile::remove(temporary);
  {
    QSettings file(temporary, QSettings::IniFormat);
    file.setValue(QStringLiteral("format/version"), Version);
    file.setValue(QStringLiteral("format/checksum"), Checksum(choices));
    file.setValue(QStringLiteral("choices/language"), QString::fromStdString(choices.language));
    file.setValue(QStringLiteral("choices/speed"), QString::number(choices.speed));
    file.setValue(QStringLiteral("choices/sound"), choices.sound ? "1" : "0");
    file.setValue(QStringLiteral("choices/music"), choices.music ? "1" : "0");
    file.setValue(QStringLiteral("choices/zoom"), QString::number(choices.zoom));
    for (const auto& [key, on] : choices.options)
      file.setValue(QStringLiteral("options/") + QString::fromStdString(key), on ? "1" : "0");
    const auto place = [](const QPoint& p) { return QStringLiteral("%1,%2").arg(p.x()).arg(p.y()); };
    if (choices.palette) file.setValue(QStringLiteral("places/palette"), place(*choices.palette));
    if (choices.overview) file.setValue(QStringLiteral("places/overview"), place(*choices.overview));
    file.sync();
    if (file.status() != QSettings::NoError) {
      QFile::remove(temporary);
      return false;
    }
  }
  if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(path).constData()) != 0) {
    QFile::remove(temporary);
    return false;
  }
  return true;
}

bool RemoveChoices(const QString& path) { return !QFileInfo::exists(path) || QFile::remove(path); }
