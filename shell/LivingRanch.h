#pragma once
// "Fazenda viva": the ranch economy as the game runs it, with no widgets. It
// owns the economy, knows whether it runs, advances it with the game's days,
// follows the player's building, and reads and writes the companion file
// beside a saved game. While it does not run, nothing here touches the map
// or a file.
#include <QString>
#include <memory>
#include <optional>

#include "economy/Economy.h"
#include "map/Mapa.h"

// How a companion file went with a load or a save.
enum class TCompanionResult {
  Off,         // the economy does not run: no file read or written
  Loaded,      // the economy now holds the file's state
  Missing,     // no file beside the game: the economy started afresh
  Refused,     // damaged, newer or another game's: the economy started afresh
  Saved,
  SaveFailed,  // the game was saved, its economy could not be
};

class TLivingRanch {
 public:
  explicit TLivingRanch(const std::unique_ptr<TMapa>& map) : map_(map) {}

  bool Running() const { return running_ && eco_ != nullptr; }
  // The economy while it runs; none while it is paused or was never started.
  TEconomy* Economy() const { return Running() ? eco_.get() : nullptr; }

  // The option's check mark: the first check in a run starts the economy
  // afresh for the ranch on screen; unchecking pauses it, checking again
  // resumes the same state.
  void SetRunning(bool on);
  // A new ranch: its economy starts afresh (at the next check, if paused).
  void NewRanch();
  // A game was loaded from `mapPath`: the economy comes from the companion
  // file beside it, or starts afresh.
  TCompanionResult Loaded(const QString& mapPath);
  // The game was saved to `mapPath`: the companion file goes beside it.
  TCompanionResult Saved(const QString& mapPath);

  // One game day passed, after its weather. A lost game stands still.
  void DayPassed();
  // The tiles or funds changed through the player's building; `charged` is
  // the money it took (negative: undo gave it back).
  void Edited(std::int64_t charged);
  // Undo or redo of an economy tool's stroke puts its value back, paused or
  // not, so a trough never stays once its money came back.
  void PutToolState(std::uint32_t key, std::uint32_t value);

  std::optional<TNews> PopNews();

 private:
  void StartAfresh();

  const std::unique_ptr<TMapa>& map_;
  std::unique_ptr<TEconomy> eco_;
  bool running_ = false;
};

// The companion file's name beside a saved game, for messages.
QString CompanionFileName(const QString& mapPath);
