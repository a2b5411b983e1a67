#pragma once
// "Proteger o jogo": while the player asks for it, the ranch is written to
// "autosave.map" beside the saved game at the end of each game month and
// when the program ends, and a marker file says that a run is going on; a
// clean end removes it, so a marker found when the option is checked means
// the last run did not end well and its autosave may be worth restoring.
#include <QString>
#include <cstdint>

#include "shell/SaveGame.h"

struct TMapaRecord;

inline constexpr char AutosaveFileName[] = "autosave.map";
inline constexpr char RunningMarkerName[] = "autosave.running";

class TGameGuard {
 public:
  bool On() const { return on_; }

  // Checking the option: true when the marker of an earlier run that did not
  // end well was found and its autosave is there to restore. The marker of
  // this run is left in its place.
  bool Start();
  // Unchecking it, or a clean end: the marker goes.
  void Stop();

  // The date the record shows now; true (once) when a game month has ended
  // since the last date seen, while the option is on.
  bool MonthEnded(const TMapaRecord& record);
  // The record was replaced as a whole (a load, a new ranch): its date is
  // the one to count from, not a month's end.
  void Follow(const TMapaRecord& record);

  // Writes the autosave through a temporary file, as a save is written.
  TSaveResult Autosave(const TMapaRecord& record) const;

 private:
  bool on_ = false;
  bool dateSeen_ = false;
  std::uint16_t year_ = 0;
  std::uint8_t month_ = 0;
};
