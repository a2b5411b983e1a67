// The map view's zoom and scrolling: start-up's scroll, the
// palette's and the wheel's zoom, the minimap's centring, the keys and the
// middle-button pan all go through these entries (view/ZoomScroll.h holds
// the table and the rules that need no window).
#include <QAbstractSpinBox>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <algorithm>

#include "shell/defines.h"
#include "view/VerMapa.h"
#include "view/ZoomScroll.h"

namespace {
// A box the player types into in another window of the document area (the
// ranch's Buy and Sell windows): its keys are the player's figures, not the
// map's scrolling, and it keeps the focus until the player clicks elsewhere.
bool TypingElsewhere(const QWidget& view) {
  const QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || view.isAncestorOf(focus)) return false;
  return qobject_cast<const QAbstractSpinBox*>(focus) != nullptr || qobject_cast<const QLineEdit*>(focus) != nullptr;
}
}  // namespace

void TForm2::ScrollByKeys() {
  if (TypingElsewhere(*this)) return;
  Edit1->clear();
  Edit1->setFocus();
  const TInputStates& states = Tecla->CurrentStates;
  if (states[stRight]) ScrollBy(1, 0);
  if (states[stLeft]) ScrollBy(-1, 0);
  if (states[stDown]) ScrollBy(0, 1);
  if (states[stUp]) ScrollBy(0, -1);
}

void TForm2::FollowZoom() {
  if (ZoomStepValid()) TileSize = ZoomSizes[ZoomIndex];
}

void TForm2::ZoomAt(int steps, const QPoint& cursor) {
  if (!ZoomStepValid() || TileSize == 0) return;
  const int step = std::clamp(ZoomIndex + steps, FirstZoom, LastZoom);
  const int size = ZoomSizes[step];
  if (size == 0) return;
  // The tile under the cursor as the frame's tool handling sees it.
  const int tileX = ViewX + cursor.x() / TileSize + 1;
  const int tileY = ViewY + cursor.y() / TileSize + 1;
  ZoomIndex = static_cast<unsigned char>(step);
  // At once, so that the next frame draws the new origin at the new size.
  TileSize = static_cast<unsigned char>(size);
  // The bars get the limits of the new tile size before the position, which
  // the map drawing would otherwise cut to the old size's limits.
  BarraHorizontal->setMaximum(std::max(1, ScrollLimit(Tela->width(), size)));
  BarraVertical->setMaximum(std::max(1, ScrollLimit(Tela->height(), size)));
  ScrollTo(ScrollKeeping(tileX, cursor.x(), size), ScrollKeeping(tileY, cursor.y(), size));
}

void TForm2::CentreOn(int tileX, int tileY) {
  ScrollTo(CentredScroll(tileX, Tela->width(), TileSize), CentredScroll(tileY, Tela->height(), TileSize));
}

void TForm2::ScrollToStart(int startX, int startY) { ScrollTo(StartScroll(startX), StartScroll(startY)); }

void TForm2::ScrollBy(int columns, int rows) {
  if (columns != 0) BarraHorizontal->setValue(BarraHorizontal->value() + columns);
  if (rows != 0) BarraVertical->setValue(BarraVertical->value() + rows);
}

void TForm2::ScrollTo(int viewX, int viewY) {
  BarraHorizontal->setValue(viewX);
  BarraVertical->setValue(viewY);
}
