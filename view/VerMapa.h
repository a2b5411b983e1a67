#pragma once
// The map view: the window in which the ranch is shown and edited. Every
// timer tick is one frame: game clock, map drawing, input, hover marker and
// the current tool.
#include <QMdiSubWindow>
#include <QLineEdit>
#include <QScrollBar>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "map/Mapa.h"
#include "map/Strokes.h"
#include "map/Tools.h"
#include "present/DXDraw.h"
#include "present/DXImageList.h"
#include "present/DXInput.h"
#include "present/DXSound.h"
#include "present/DXTimer.h"
#include "view/MarkerOutline.h"
#include "view/RanchFigures.h"
#include "view/ToolOwner.h"
#include "view/ViewPlace.h"
#include "view/Draft.h"
#include "view/DragPath.h"

class QFrame;
class TLargeMap;
class TMouseNavigation;

// Globals of the view, touched only by the user-interface thread.
extern std::int32_t MouseX, MouseY;            // last mouse position over Tela, surface pixels
extern std::int32_t HoverX, HoverY;            // map column and row under the mouse, 1-based
extern std::int32_t LastHoverX, LastHoverY;    // the previous handled frame's hover
extern bool ClickLatch;                        // the tool acted on (or refused) this tile
extern std::uint8_t DrawRate;                  // frame-rate figure at the view's corner
extern std::uint32_t FrameStart, FrameEnd, FrameTime;

// Puts the view globals back to their start values. For tests.
void ResetViewGlobals();

// Whether a menu or a modal dialog has the keyboard and mouse: the frame then
// neither scrolls by keys nor works the tool.
bool ModalInputOpen();

// What the view shows where the map has no tile (right of column 96, below
// row 96).
inline constexpr std::uint32_t BeyondMapPixel = 0xFF000000;

// Wave-list items the view plays.
enum TViewSound : int { vsBulldoze = 0, vsOps = 1, vsPlop = 2 };


// A scroll bar as the map drawing sees it.
class TScrollBarLink : public IScrollBar {
 public:
  explicit TScrollBarLink(QScrollBar* bar) : bar_(bar) {}
  int Position() const override { return bar_->value(); }
  void SetPosition(int position) override { bar_->setValue(position); }
  int Max() const override { return bar_->maximum(); }
  void SetMax(int max) override { bar_->setMaximum(max); }

 private:
  QScrollBar* bar_;
};

// The invisible edit box that holds the keyboard focus. It lets the window's
// shortcuts through (an ordinary edit box would claim Ctrl+X for itself).
class TFocusEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  bool event(QEvent* event) override;
};

class TForm2 : public QMdiSubWindow {
 public:
  explicit TForm2(QWidget* parent = nullptr);
  ~TForm2() override;

  // What the main window lends the view: the map and its pictures and sounds.
  TMapa* RanchMap = nullptr;
  TDXImageList* IMGChao = nullptr;
  TDXImageList* IMGOutros = nullptr;
  TDXWaveList* Audio = nullptr;
  // Where the tool's strokes are recorded for undo; none: not recorded.
  TStrokeHistory* Strokes = nullptr;

  TToolKind CurrentTool = tlNone;

  // Components.
  QWidget* Client = nullptr;  // the client area
  TDXDraw* Tela = nullptr;
  QScrollBar* BarraHorizontal = nullptr;
  QScrollBar* BarraVertical = nullptr;
  QFrame* Panel1 = nullptr;
  TFocusEdit* Edit1 = nullptr;
  TDXTimer* DXTimer1 = nullptr;
  TDXInput* Tecla = nullptr;
  // The Extras options "Mapa grande" and "Navegar com o mouse"; owned by the window.
  TLargeMap* LargeMap = nullptr;
  TMouseNavigation* Navigation = nullptr;

  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientSize(int width, int height);

  // Events.
  void FormCreate();
  void FormResize();
  void BarraHorizontalChange();
  void BarraVerticalChange();
  void TelaMouseMove(int x, int y);
  void DXTimer1Timer(int lagCount);

  // Frame steps, callable alone.
  void ScrollByKeys();
  void HandleTool();

  // Start-up's layout: the view's client as wide as the main window's and 32
  // pixels taller than it (the size limits cut both), right of the palette,
  // with its bars and surface laid out and the surface started.
  void PlaceInMainWindow(int mainClientWidth, int mainClientHeight);

  // Zoom and scrolling; view/ZoomScroll.h holds the table and the rules that
  // need no window. The scroll bars stay the one record of the origin.
  // The wheel's zoom: whole steps within the table, keeping the tile at
  // `cursor` (surface pixels) under it as far as the scroll limits allow,
  // drawn at the new size from the next frame.
  void ZoomAt(int steps, const QPoint& cursor);
  // The middle of tile (tileX, tileY) in the middle of the view.
  void CentreOn(int tileX, int tileY);
  // Start-up's scroll: the house at (startX, startY) in the view's third
  // column and third row.
  void ScrollToStart(int startX, int startY);
  // Moves the origin by whole tiles; the bars keep it within their limits.
  void ScrollBy(int columns, int rows);
  void ScrollTo(int viewX, int viewY);

  // "Traçado com prévia" (view/VerMapaDraft.cpp). The main window sets both:
  // OnToolReport writes the status bar (a draft's plan, what was left
  // unbuilt, or the tool's hint again); OnRaiseTool raises the palette's
  // tool button that is down, as clicking it would.
  std::function<void(const TToolReport&)> OnToolReport;
  std::function<void()> OnRaiseTool;
  // Called after each day the game clock runs, that day's weather done;
  // none: the clock runs its days in one go, as it always did.
  std::function<void()> OnDayPassed;
  // The economy whose troughs, planted grass and cattle the frame draws over
  // the tiles, asked each frame; unset or null: nothing is drawn over them.
  std::function<const TEconomy*()> EconomyOnShow;
  // None: every tool is the map's, and the eye tool does nothing.
  IToolOwner* ToolOwner = nullptr;
  bool Drafting() const { return drafting_; }
  // Ends a draft leaving the map and the money as they were; the press it
  // came from does nothing more until the button is up.
  void CancelDraft();

 protected:
  // The cursor in client coordinates, the millisecond counter and the sound
  // output; virtual so that a test can stand in for the window system.
  virtual QPoint CursorClientPos() const;
  virtual std::uint32_t Milliseconds() const;
  virtual void PlaySound(int index);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void AdvanceClock();
  // Remembers a left press on the surface, so that a click that is over
  // before the next frame still works the tool where it landed.
  void TelaMouseDown(int x, int y);
  void FollowStroke();
  // Whether the cursor lies on the visible surface, not on a window over it.
  bool SurfaceUnderCursor() const;
  void DrawMarker(TToolVerdict verdict);
  void LayOutControls();
  // The frame's tile size follows the zoom step.
  void FollowZoom();

  // Drag mending and drafting, view/VerMapaDraft.cpp.
  // Where the previous frame handled the tool with button 1 held over the
  // surface, and at what tile size.
  struct TDragFrom {
    TTilePos tile;
    int tileSize;
  };
  void FollowPointer(int x, int y);
  void TelaRightClick();
  void HoverMoved();
  void MendDrag(const TDragFrom& from);
  void ActOnPassedTile(const TTilePos& at);
  bool DraftFrame(bool tapped);
  void EndToolFrame(bool handled);
  void DrawDraft();
  void NoteRefusal(const TTilePos& at, const TTile& tile);
  void PlayFrameSound(int index);
  void Report(TToolReport::TKind kind, const TDraftSummary& summary = {});
  std::optional<TDragFrom> dragFrom_;  // none: the previous frame held no stroke
  TPointerTrail trail_;
  unsigned soundsThisFrame_ = 0;   // a bit per wave-list item
  TDraft draft_;
  bool drafting_ = false;
  TTilePos draftAnchor_;
  bool pressSpent_ = false;        // a cancelled draft's press: inert until released
  TDraftSummary strokeLeft_;       // what the stroke under way refused so far
  bool unbuiltShown_ = false;      // the status bar tells what was left unbuilt
  std::optional<TDraftSummary> draftShown_;

  std::unique_ptr<TScrollBarLink> horizontalLink_;
  std::unique_ptr<TScrollBarLink> verticalLink_;
  bool pressPending_ = false;
  int pressX_ = 0;
  int pressY_ = 0;
  TRanchFigures figures_;
};
