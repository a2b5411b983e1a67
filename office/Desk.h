#pragma once
// The office's seven windows as the toolbar opens them: one per button,
// opened while its button is down and closed when it comes up; however a
// window goes (its own close button, the program's end), it is forgotten and
// its button comes up.
#include <QObject>
#include <QPointer>
#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "office/OfficeWindow.h"

class QAbstractButton;
class QMdiArea;
class QMdiSubWindow;

// The windows in the toolbar's order (BotMapa, which opens the overview, left out).
enum class TOfficeKind : std::uint8_t { Buy, Sell, Eval, Weather, Books, Bank, Market };
inline constexpr std::size_t OfficeKinds = 7;

class TOfficeDesk {
 public:
  explicit TOfficeDesk(TOfficeContext context) : context_(std::move(context)) {}
  ~TOfficeDesk();
  TOfficeDesk(const TOfficeDesk&) = delete;
  TOfficeDesk& operator=(const TOfficeDesk&) = delete;

  // The button was clicked: down opens the window in `area`, centred on
  // `centreOn`; up closes it.
  void Toggle(TOfficeKind kind, QAbstractButton& button, QMdiArea& area, const QWidget& centreOn);
  // Closes every window; their buttons come up.
  void CloseAll();
  // The open windows show the economy as it stands.
  void Refresh();

  TOfficeWindow* Window(TOfficeKind kind) const { return windows_[static_cast<std::size_t>(kind)]; }

 private:
  void Close(TOfficeKind kind);
  // Puts the windows back in the player's order after the area changed its
  // active child window; `active`, when one of them, goes on top.
  void Restack(QMdiSubWindow* active);

  TOfficeContext context_;
  std::array<QPointer<TOfficeWindow>, OfficeKinds> windows_;
  // The open windows' frames from bottom to top: the one opened or clicked
  // last on top.
  std::vector<QPointer<QMdiSubWindow>> stacking_;
  // The area whose activations are followed; the guard ends the following,
  // and drops a restacking still waiting, with the desk.
  QMdiArea* followed_ = nullptr;
  std::unique_ptr<QObject> guard_ = std::make_unique<QObject>();
};

// A new window of the kind; for the desk and for tests.
TOfficeWindow* MakeOfficeWindow(TOfficeKind kind, const TOfficeContext& context);
