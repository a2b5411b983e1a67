// The map view's tool under the mouse: the tile hovered, its marker, and the
// tool's rule, action and charge there (a drag's passed tiles and drafts are
// in VerMapaDraft.cpp).
#include <iterator>

#include "shell/defines.h"
#include "view/VerMapa.h"

namespace {
constexpr int MarkerOpacity = 96;
// IMGOutros item of the hover marker, indexed by TToolVerdict.
constexpr int MarkerItem[] = {1, 3, 2};  // white, green, red
static_assert(std::size(MarkerItem) == tvRefused + 1);
}  // namespace

void TForm2::TelaMouseDown(int x, int y) {
  pressPending_ = true;
  pressX_ = x;
  pressY_ = y;
}

void TForm2::HandleTool() {
  if (TileSize == 0 || !RanchMap) return;
  // A press since the last frame works on the tile where it landed, even when
  // the button is up again already: the same as a press held for one frame.
  const bool tapped = pressPending_;
  pressPending_ = false;
  const std::optional<TDragFrom> dragFrom = std::exchange(dragFrom_, std::nullopt);  // [drag]
  soundsThisFrame_ = 0;
  HoverX = (tapped ? pressX_ : MouseX) / TileSize + ViewX + 1;
  HoverY = (tapped ? pressY_ : MouseY) / TileSize + ViewY + 1;
  const bool moved = HoverX != LastHoverX || HoverY != LastHoverY;
  if (moved) ClickLatch = false;
  LastHoverX = HoverX;
  LastHoverY = HoverY;
  if (moved) HoverMoved();  // [draft] ends a message of tiles left unbuilt
  // Right after a zoom-out the hover can lie past the map for one frame.
  if (HoverX < FirstPlayable || HoverX > LastPlayable || HoverY < FirstPlayable || HoverY > LastPlayable) return;
  if (DraftFrame(tapped)) return;  // [draft]

  const bool held = Tecla->Mouse.ButtonDown(0) && SurfaceUnderCursor();
  const bool pressed = tapped || held;
  // [drag] The tiles a fast hand passed since the last frame come first.
  if (held) dragFrom_ = TDragFrom{{HoverX, HoverY}, TileSize};
  if (pressed && !tapped && dragFrom) MendDrag(*dragFrom);

  const TTile& tile = RanchMap->Record().tiles[HoverX][HoverY];
  const bool owned = ToolOwner && ToolOwner->Owns(CurrentTool);
  const TToolVerdict verdict =
      owned ? ToolOwner->Verdict(CurrentTool, HoverX, HoverY) : ToolVerdict(CurrentTool, tile, RanchMap->Record().funds);
  if (moved && ToolOwner && CurrentTool == tlVer) ToolOwner->Inspect(HoverX, HoverY);
  DrawMarker(verdict);

  if (verdict == tvRefused) {
    if (pressed && !ClickLatch) {
      if (SoundOn) PlayFrameSound(vsOps);
      if (!owned) NoteRefusal({HoverX, HoverY}, tile);
      ClickLatch = true;
    }
    return;
  }
  if (!pressed) return;
  if (owned) {
    if (!ToolOwner->Act(CurrentTool, HoverX, HoverY, tapped || !dragFrom)) return;
    if (SoundOn) PlayFrameSound(vsPlop);
    ClickLatch = true;
    return;
  }
  const auto x = static_cast<std::uint8_t>(HoverX);
  const auto y = static_cast<std::uint8_t>(HoverY);
  if (!UseTool(*RanchMap, CurrentTool, x, y, Strokes)) return;
  // The bulldozer is heard even with the sound effects off.
  if (CurrentTool == tlBulldoze) PlaySound(vsBulldoze);
  if (CurrentTool != tlBulldoze && SoundOn) PlayFrameSound(vsPlop);
  ClickLatch = true;
}

void TForm2::DrawMarker(TToolVerdict verdict) {
  if (!IMGOutros || !Tela->BackSurface()) return;
  const int item = MarkerItem[verdict];
  if (item >= IMGOutros->Items.Count()) return;
  const int left = (HoverX - 1 - ViewX) * TileSize;
  const int top = (HoverY - 1 - ViewY) * TileSize;
  const TRect square{left, top, left + TileSize, top + TileSize};
  IMGOutros->Items.Items(item).DrawBlended(*Tela->BackSurface(), square, 0, MarkerOpacity);
  if (HighlightMarker) DrawMarkerOutline(*Tela->BackSurface(), square, TileSize);
}
