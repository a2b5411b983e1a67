#pragma once
// The one saved game: the map's record as raw bytes in one file, no header.
#include <QString>

struct TMapaRecord;

inline constexpr char SaveGameFileName[] = "mapa.map";

enum class TLoadResult {
  Loaded,    // the record now holds the file's first record-size bytes
  Missing,   // the file does not exist or cannot be opened; record unchanged
  NotASave,  // the file is shorter than a record; record unchanged
};

// Writes the record through a temporary file that replaces the target only
// once every byte is on disk, so a failed save leaves the last good file as
// it was. False when the save failed.
bool SaveGameRecord(const QString& path, const TMapaRecord& record);

// Reads the first record-size bytes of the file over the record, or leaves
// the record untouched when the file cannot give that many.
TLoadResult LoadGameRecord(const QString& path, TMapaRecord& record);
