#pragma once
// The one saved game: the map's record as raw bytes in one file, no header.
#include <QString>

struct TMapaRecord;

inline constexpr char SaveGameFileName[] = "mapa.map";

enum class TSaveResult {
  Saved,    // the file now holds the record
  Failed,   // it could not be written; an older file is as it was
  Refused,  // the name is a folder, device, pipe, socket or a link to one
            // (or a link that leads nowhere): nothing was touched
};

enum class TLoadResult {
  Loaded,      // the record now holds the file's first record-size bytes
  Missing,     // there is no such file; record unchanged
  Unreadable,  // the file is there but cannot be read; record unchanged
  NotASave,    // not an ordinary file, or shorter than a record; record unchanged
  Damaged,     // a record the game cannot play; record unchanged
};

// Writes the record through a temporary file that replaces the target only
// once every byte is on disk, so a failed save leaves the last good file as
// it was. A link to an ordinary file is saved through: the file it leads to
// is replaced, the link stays. Anything else that is not an ordinary file is
// never written over or replaced.
TSaveResult SaveGameRecord(const QString& path, const TMapaRecord& record);

// Reads the first record-size bytes of an ordinary file (or of the file a
// link leads to) over the record when they form a sound record, and leaves
// the record byte for byte as it was otherwise.
TLoadResult LoadGameRecord(const QString& path, TMapaRecord& record);
