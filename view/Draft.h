#pragma once
// "Traçado com prévia": a line or a fence rectangle drawn with the mouse is
// first shown as a draft, each tile marked with whether the tool will act
// there, with the price of the whole; releasing the button builds it. The
// draft itself never touches the map or the money. No window toolkit here.
#include <cstdint>
#include <vector>

#include "map/Mapa.h"
#include "map/Strokes.h"
#include "map/Tools.h"
#include "view/DragPath.h"

// Why a tile of a draft or a stroke is not built.
enum class TUnbuiltReason : std::uint8_t {
  None,
  GroundTaken,  // the tool's rule refuses the tile (or it lies on the map's last row or column)
  MoneyShort,   // the money left does not cover the tool's price
};

// The tiles from `anchor` to `end` along the longer of the two axes (the
// horizontal one when both are equal), anchor first; the other coordinate
// stays the anchor's.
std::vector<TTilePos> DraftLineTiles(TTilePos anchor, TTilePos end);

// The outline of the rectangle with opposite corners `anchor` and `end`,
// each tile once, going clockwise round it from the anchor. A rectangle one
// tile wide or high is the straight run from the anchor to the end.
std::vector<TTilePos> DraftRectangleTiles(TTilePos anchor, TTilePos end);

struct TDraftTile {
  TTilePos at;
  TUnbuiltReason unbuilt = TUnbuiltReason::None;  // None: the tool will act here
  bool Builds() const { return unbuilt == TUnbuiltReason::None; }
};

// What a draft would do, as the status bar tells it.
struct TDraftSummary {
  int tiles = 0;             // tiles it builds
  std::int64_t price = 0;    // what they cost together
  int refused = 0;           // tiles it leaves
  int groundTaken = 0;       // of those, refused by the ground
  int moneyShort = 0;        // of those, refused for the money
  friend bool operator==(const TDraftSummary&, const TDraftSummary&) = default;
};

// Why a tool refuses a tile, given the money left: GroundTaken when its rule
// refuses it (or, for the linear tools, it lies on the map's last row or
// column), MoneyShort when only the price is out of reach.
TUnbuiltReason RefusalReason(TToolKind tool, const TTilePos& at, const TTile& tile, std::int64_t money);

// What the map view has to say in the status bar in place of the tool's
// hint: a draft's plan while it is drawn, or what a stroke or a draft left
// unbuilt when it ended; Hint hands the bar back to the tool's hint.
struct TToolReport {
  enum TKind : std::uint8_t { Hint, Draft, Unbuilt };
  TKind kind = Hint;
  TDraftSummary summary;
};

class TDraft {
 public:
  // Plans `tool` over `tiles` in order against the map as it stands: a tile
  // builds when the tool's rule takes it, it lies inside the row and column
  // the map's operations accept, and the money left after the tiles before
  // it covers the price.
  void Plan(const TMapaRecord& map, TToolKind tool, const std::vector<TTilePos>& tiles);

  TToolKind Tool() const { return tool_; }
  const std::vector<TDraftTile>& Tiles() const { return tiles_; }
  const TDraftSummary& Summary() const { return summary_; }

  // Builds the tiles the plan marked, in order, each with the tool's action
  // and price, as one stroke of `history` (when given). A tile the map
  // refuses after all costs nothing. Returns the tiles built with what they
  // cost, and the tiles left with why: the plan's refusals and any the map
  // added.
  TDraftSummary Build(TMapa& map, TStrokeHistory* history) const;

 private:
  TToolKind tool_ = tlNone;
  std::vector<TDraftTile> tiles_;
  TDraftSummary summary_;
};
