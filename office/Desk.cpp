#include "office/Desk.h"

#include <QAbstractButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

#include "office/Bank.h"
#include "office/Books.h"
#include "office/Buy.h"
#include "office/Eval.h"
#include "office/Market.h"
#include "office/Sell.h"
#include "office/Weather.h"

TOfficeWindow* MakeOfficeWindow(TOfficeKind kind, const TOfficeContext& context) {
  switch (kind) {
    case TOfficeKind::Buy: return new TBuyWindow(context);
    case TOfficeKind::Sell: return new TSellWindow(context);
    case TOfficeKind::Eval: return new TEvalWindow(context);
    case TOfficeKind::Weather: return new TWeatherWindow(context);
    case TOfficeKind::Books: return new TBooksWindow(context);
    case TOfficeKind::Bank: return new TBankWindow(context);
    case TOfficeKind::Market: return new TMarketWindow(context);
  }
  return nullptr;
}

// The windows hold the desk's context by reference: none may outlive it.
TOfficeDesk::~TOfficeDesk() {
  guard_.reset();
  for (QPointer<TOfficeWindow>& window : windows_) {
    if (!window) continue;
    QObject::disconnect(window, nullptr, nullptr, nullptr);
    if (QMdiSubWindow* frame = window->SubWindow())
      delete frame;
    else
      delete window.data();
  }
}

namespace {
constexpr int CascadeStep = 28;
}  // namespace

void TOfficeDesk::Toggle(TOfficeKind kind, QAbstractButton& button, QMdiArea& area, const QWidget& centreOn) {
  QPointer<TOfficeWindow>& slot = windows_[static_cast<std::size_t>(kind)];
  if (!button.isChecked()) {
    Close(kind);
    return;
  }
  if (slot) return;
  TOfficeWindow* window = MakeOfficeWindow(kind, context_);
  slot = window;
  QPointer<QAbstractButton> down = &button;
  QObject::connect(window, &QObject::destroyed, [down] {
    if (down) down->setChecked(false);
  });
  // Each kind a step apart on the diagonal, so that windows opened together
  // do not hide one another; all within the document area.
  if (QMdiSubWindow* frame = window->ShowInArea(area, centreOn)) {
    const int step = (static_cast<int>(kind) - static_cast<int>(OfficeKinds) / 2) * CascadeStep;
    const QPoint at = frame->pos() + QPoint(step, step);
    frame->move(std::clamp(at.x(), 0, std::max(0, area.viewport()->width() - frame->width())),
                std::clamp(at.y(), 0, std::max(0, area.viewport()->height() - frame->height())));
    stacking_.emplace_back(frame);
    Restack(nullptr);
  }
  // The windows stay above the map view by their stays-on-top flag; but each
  // time the view takes the active place (every frame takes the focus), the
  // area lifts the stays-on-top windows again, in the reverse of their order,
  // after it told of the activation: windows opened together would swap
  // places under the player's eyes. Their order is put back once the area is
  // done.
  if (followed_ != &area) {
    followed_ = &area;
    QObject::connect(&area, &QMdiArea::subWindowActivated, guard_.get(), [this](QMdiSubWindow* active) {
      QMetaObject::invokeMethod(
          guard_.get(), [this, frame = QPointer<QMdiSubWindow>(active)] { Restack(frame); }, Qt::QueuedConnection);
    });
  }
}

void TOfficeDesk::Restack(QMdiSubWindow* active) {
  std::erase_if(stacking_, [](const QPointer<QMdiSubWindow>& frame) { return frame.isNull(); });
  const auto found = std::find(stacking_.begin(), stacking_.end(), active);
  if (found != stacking_.end()) std::rotate(found, found + 1, stacking_.end());
  for (const QPointer<QMdiSubWindow>& frame : stacking_) frame->raise();
}

void TOfficeDesk::Close(TOfficeKind kind) {
  QPointer<TOfficeWindow>& slot = windows_[static_cast<std::size_t>(kind)];
  if (!slot) return;
  // The child window owns the window; deleting it takes both, at once.
  if (QMdiSubWindow* frame = slot->SubWindow())
    delete frame;
  else
    delete slot.data();
}

void TOfficeDesk::CloseAll() {
  for (std::size_t i = 0; i < OfficeKinds; ++i) Close(static_cast<TOfficeKind>(i));
}

void TOfficeDesk::Refresh() {
  for (QPointer<TOfficeWindow>& window : windows_)
    if (window) window->Refresh();
}
