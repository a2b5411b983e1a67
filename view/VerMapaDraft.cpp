// The map view's part in building what the player drew: the tiles a fast
// drag passed between two frames, and "Traçado com prévia", the line or
// fence rectangle shown with its price before it is built.
#include <QApplication>
#include <algorithm>

#include "shell/defines.h"
#include "view/VerMapa.h"

namespace {
constexpr int VkShift = 16;
constexpr int DraftOpacity = 96;  // the tint of a draft's tiles, as the hover marker's
constexpr int GreenItem = 3;      // IMGOutros items of the tint
constexpr int RedItem = 2;
}  // namespace

// While a stroke is under way, every tile the pointer moves over is noted,
// so that the next frame can follow the hand rather than a straight line.
void TForm2::FollowPointer(int x, int y) {
  if (!dragFrom_ || TileSize == 0 || !IsLinearTool(CurrentTool)) return;
  const bool onSurface = x >= 0 && y >= 0 && x < Tela->width() && y < Tela->height();
  // The button held, the surface keeps the pointer even over the palette:
  // what lies there is not the map.
  const QWidget* under = onSurface ? QApplication::widgetAt(Tela->mapToGlobal(QPoint(x, y))) : nullptr;
  if (under == nullptr || (under != Tela && !Tela->isAncestorOf(under))) {
    trail_.Break();
    return;
  }
  trail_.Add({x / TileSize + ViewX + 1, y / TileSize + ViewY + 1});
}

void TForm2::HoverMoved() {
  if (unbuiltShown_) Report(TToolReport::Hint);
}

// The previous frame's stroke stood on `from`; when the hover jumped past
// its neighbours since, the linear tools act on every tile between, in
// order, as if the pointer had hovered each. The hovered tile itself is
// left to the frame.
void TForm2::MendDrag(const TDragFrom& from) {
  const TTilePos to{HoverX, HoverY};
  if (!IsLinearTool(CurrentTool) || from.tileSize != TileSize || NextTo(from.tile, to) ||
      !InPlayableArea(from.tile))
    return;
  const std::optional<std::vector<TTilePos>> path = TrailPath(from.tile, to, trail_);
  if (!path || path->empty() || path->back() != to) return;
  for (std::size_t i = 0; i + 1 < path->size(); ++i) ActOnPassedTile((*path)[i]);
}

void TForm2::ActOnPassedTile(const TTilePos& at) {
  const TTile& tile = RanchMap->Record().tiles[at.x][at.y];
  if (ToolVerdict(CurrentTool, tile, RanchMap->Record().funds) == tvRefused) {
    if (SoundOn) PlayFrameSound(vsOps);
    NoteRefusal(at, tile);
    return;
  }
  if (UseTool(*RanchMap, CurrentTool, static_cast<std::uint8_t>(at.x), static_cast<std::uint8_t>(at.y), Strokes) &&
      SoundOn)
    PlayFrameSound(vsPlop);
}

void TForm2::NoteRefusal(const TTilePos& at, const TTile& tile) {
  ++strokeLeft_.refused;
  if (RefusalReason(CurrentTool, at, tile, RanchMap->Record().funds) == TUnbuiltReason::MoneyShort)
    ++strokeLeft_.moneyShort;
  else
    ++strokeLeft_.groundTaken;
}

// Many tiles in one frame make one sound of each kind, not a burst of copies.
void TForm2::PlayFrameSound(int index) {
  const unsigned bit = 1U << index;
  if (soundsThisFrame_ & bit) return;
  soundsThisFrame_ |= bit;
  PlaySound(index);
}

void TForm2::Report(TToolReport::TKind kind, const TDraftSummary& summary) {
  unbuiltShown_ = kind == TToolReport::Unbuilt;
  if (OnToolReport) OnToolReport(TToolReport{kind, summary});
}

// With the option on, a linear tool's press starts a draft from its tile;
// the frames follow the pointer with it while the button stays down, and
// the release builds it. True when the frame's tool handling ends here.
bool TForm2::DraftFrame(bool tapped) {
  if (tapped) {
    // A new press: whatever came before it is over. A draft whose release
    // fell between two frames went up where no frame saw it, and is let go.
    pressSpent_ = false;
    drafting_ = false;
  }
  if (drafting_ && (!DraftLines || !IsLinearTool(CurrentTool))) CancelDraft();
  const auto marker = [this] {
    DrawMarker(ToolVerdict(CurrentTool, RanchMap->Record().tiles[HoverX][HoverY], RanchMap->Record().funds));
  };
  // The rest of a cancelled draft's press shows the marker and does nothing.
  if (pressSpent_) {
    marker();
    return true;
  }
  if (!DraftLines || !IsLinearTool(CurrentTool)) return false;

  const bool down = Tecla->Mouse.ButtonDown(0);
  const bool overSurface = SurfaceUnderCursor();
  const TTilePos hover{HoverX, HoverY};
  if (!drafting_) {
    if (!tapped) {
      // Held without a press on the map (it came in with the button down):
      // nothing is drafted, and nothing is built.
      if (!down || !overSurface) return false;
      marker();
      return true;
    }
    drafting_ = true;
    draftAnchor_ = hover;
    draftShown_.reset();
  }
  // A tap is over before its frame: it builds the tile it landed on.
  const TTilePos end = tapped && !down ? draftAnchor_ : hover;
  const bool rectangle = CurrentTool == tlCerca && (Tecla->Keyboard.Keys[VkShift] & 0x80) != 0;
  if (overSurface || tapped)
    draft_.Plan(RanchMap->Record(), CurrentTool,
                rectangle ? DraftRectangleTiles(draftAnchor_, end) : DraftLineTiles(draftAnchor_, end));
  if (down) {
    if (draftShown_ != draft_.Summary()) {
      draftShown_ = draft_.Summary();
      Report(TToolReport::Draft, draft_.Summary());
    }
    return true;
  }
  // Released: over the map it builds, anywhere else it is let go.
  if (!overSurface && !tapped) {
    CancelDraft();
    return true;
  }
  drafting_ = false;
  draftShown_.reset();
  const TDraftSummary done = draft_.Build(*RanchMap, Strokes);
  if (SoundOn && done.tiles > 0) PlayFrameSound(vsPlop);
  if (SoundOn && done.refused > 0) PlayFrameSound(vsOps);
  Report(done.refused > 0 ? TToolReport::Unbuilt : TToolReport::Hint, done);
  return true;
}

void TForm2::CancelDraft() {
  if (!drafting_) return;
  drafting_ = false;
  draftShown_.reset();
  pressSpent_ = Tecla->Mouse.ButtonDown(0);
  Report(TToolReport::Hint);
}

void TForm2::TelaRightClick() {
  if (!DraftLines) return;
  if (drafting_) {
    CancelDraft();
    pressSpent_ = true;  // the left button may still be down
  } else if (OnRaiseTool) {
    OnRaiseTool();
  }
}

// What ends with the frame: the pointer's trail, a stroke or a draft whose
// button came up where the tool was not handled, and the draft's tint.
void TForm2::EndToolFrame(bool handled) {
  trail_.Clear();
  if (!handled) dragFrom_.reset();
  if (!Tecla->Mouse.ButtonDown(0)) {
    pressSpent_ = false;
    CancelDraft();
    if (strokeLeft_.refused > 0 && DraftLines) Report(TToolReport::Unbuilt, strokeLeft_);
    strokeLeft_ = {};
  }
  if (drafting_) DrawDraft();
}

// Each tile of the draft tinted as the marker would be: green where the
// tool will act, red where it will not. The tint marks its squares as drawn
// over, so the next frame's map drawing paints them afresh.
void TForm2::DrawDraft() {
  if (!IMGOutros || !Tela->BackSurface() || TileSize == 0) return;
  if (std::max(GreenItem, RedItem) >= IMGOutros->Items.Count()) return;
  TDirectDrawSurface& back = *Tela->BackSurface();
  for (const TDraftTile& tile : draft_.Tiles()) {
    const int left = (tile.at.x - 1 - ViewX) * TileSize;
    const int top = (tile.at.y - 1 - ViewY) * TileSize;
    if (left >= back.Width() || top >= back.Height() || left + TileSize <= 0 || top + TileSize <= 0) continue;
    IMGOutros->Items.Items(tile.Builds() ? GreenItem : RedItem)
        .DrawBlended(back, {left, top, left + TileSize, top + TileSize}, 0, DraftOpacity);
  }
}
