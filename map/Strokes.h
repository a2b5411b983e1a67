#pragma once
// Undo and redo of building. A stroke is everything the player's tool did
// from pressing the left button to releasing it: the tiles it changed (each
// with its bytes before and after) and the money it took. Undo puts exactly
// those tiles back and gives exactly that money back; redo applies the stroke
// again and charges it again. Nothing else of the record (calendar, weather,
// moisture, forecast) is touched. No window toolkit here.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "map/Mapa.h"
#include "map/Tools.h"

struct TTileChange {
  std::uint8_t x;
  std::uint8_t y;
  TTile before;
  TTile after;
};

// State kept beside the tiles by another part of the game (the ranch
// economy's troughs, planting and spraying), named by a key of its owner's
// choosing, with its value before and after the stroke.
struct TSideChange {
  std::uint32_t key;
  std::uint32_t before;
  std::uint32_t after;
};

struct TStroke {
  std::vector<TTileChange> changes;  // one entry per tile, in the order first changed
  std::vector<TSideChange> side;     // one entry per key, in the order first changed
  std::int64_t charged = 0;          // money the stroke took, net

  bool Empty() const { return changes.empty() && side.empty() && charged == 0; }
};

enum class TRedoResult {
  Redone,
  NothingToRedo,
  NotEnoughMoney,  // the funds no longer cover the stroke; nothing changed
};

class TStrokeHistory {
 public:
  // Strokes kept for undo; the oldest is forgotten beyond this.
  static constexpr std::size_t Depth = 200;

  // The left button went down: what the tool does from now on is one stroke.
  void Open();
  // The left button came up: the stroke, if it did anything, becomes the last
  // one to undo.
  void Close();
  bool IsOpen() const { return open_; }

  // Runs a change of the map (a tool's action and its charge) inside the open
  // stroke, or a new one if none is open, and records the tiles it changed
  // and the money it took. Returns what `change` returned.
  bool Record(TMapa& map, const std::function<bool()>& change);
  // A change made outside the tiles, already done and already booked by its
  // owner, with the money it took: it joins the open stroke (or a new one),
  // so undo puts the values back through PutSide and gives the money back.
  // OnEdit is not called for it, since the owner has seen its own change.
  void RecordSide(const TSideChange& change, std::int64_t charged);

  bool CanUndo() const;
  bool CanRedo() const { return !redo_.empty(); }
  // Takes back the last stroke (closing an open one first). False when there
  // is nothing to undo.
  bool Undo(TMapa& map);
  // Applies the last undone stroke again, charging its money again.
  TRedoResult Redo(TMapa& map);

  // Whether a stroke, an undo or a redo changed tiles or funds since the last
  // MarkSaved or Clear. Days passing do not count.
  bool Changed() const { return changed_; }
  // The game was saved: what is on file now matches the ranch.
  void MarkSaved();
  // The whole record was replaced (load, new ranch): both lists are emptied
  // and the ranch counts as unchanged.
  void Clear();

  // Strokes there are to undo, an open one that did something included.
  std::size_t UndoCount() const { return undo_.size() + (current_.Empty() ? 0 : 1); }

  // Called after anything that may change CanUndo, CanRedo or Changed.
  std::function<void()> OnChange;
  // Called after the tiles or the funds changed through the history: a
  // recorded change (with the money it took), an undo (the money given back,
  // negative) or a redo (the money taken again).
  std::function<void(std::int64_t charged)> OnEdit;
  // Puts a side value back (undo) or again (redo), before OnEdit is called.
  // With none set, undo and redo leave side values as they are.
  std::function<void(std::uint32_t key, std::uint32_t value)> PutSide;

 private:
  void AddChange(int x, int y, const TTile& before, const TTile& after);
  void PutSideValues(const TStroke& stroke, bool after);
  void Notify();
  void NotifyEdit(std::int64_t charged);

  std::deque<TStroke> undo_;
  std::deque<TStroke> redo_;
  TStroke current_;
  bool open_ = false;
  bool changed_ = false;
  // The tiles as they stood before the change being recorded.
  std::array<std::array<TTile, MapSize>, MapSize> snapshot_{};
};

// A tool used on (x, y) as the map view uses it with the button held: the
// tool's action and, when it acted, its price taken from the funds; recorded
// in `history` when one is given. True when the tool acted.
bool UseTool(TMapa& map, TToolKind tool, std::uint8_t x, std::uint8_t y,
             TStrokeHistory* history);
