#pragma once
// The office: the small child windows the toolbar's buttons open while the
// living ranch runs (buying, selling, the ranch's value, the weather, the
// books, the bank, the market). Each shows what the economy holds and sends
// the player's orders to it; none keeps a figure of its own, so a window
// shows the same after being closed and opened again. They are refreshed
// when a game day passes or an order went through, not every frame.
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "economy/Economy.h"
#include "map/Mapa.h"
#include "datafiles/ExtraTexts.h"

class QMdiArea;
class QMdiSubWindow;

// What the windows reach of the game; the desk's owner fills it in.
struct TOfficeContext {
  // The map and the running economy; either may be none.
  std::function<TMapa*()> map;
  std::function<TEconomy*()> economy;
  // A text of the current language as it appears on screen.
  std::function<QString(TExtraText)> text;
  // An order went to the economy: a refusal is told and heard, and what
  // shows the money and the herds follows.
  std::function<void(TEcoResult)> report;
};

class TOfficeWindow : public QWidget {
 public:
  TOfficeWindow(const TOfficeContext& context, TExtraText title);

  // Shows the economy as it stands, in the current language.
  void Refresh();

  // Puts the window into the document area as a child window centred on
  // `centreOn` and shows it; the child window goes with the window.
  QMdiSubWindow* ShowInArea(QMdiArea& area, const QWidget& centreOn);
  QMdiSubWindow* SubWindow() const;

 protected:
  virtual void Fill(TMapa& map, TEconomy& eco) = 0;

  QString Text(TExtraText which) const { return context_.text(which); }
  // Money in whole units and prices in hundredths, grouped as the
  // language's locale writes numbers.
  QString Money(std::int64_t amount) const;
  QString Hundredths(std::int64_t amount) const;
  QString Decimal(double value, int decimals) const;
  // The same with the money sign, after a minus: "-$10.000".
  QString Dollars(std::int64_t amount) const;
  QString DollarHundredths(std::int64_t amount) const;
  TMapa* Map() const { return context_.map ? context_.map() : nullptr; }
  TEconomy* Economy() const { return context_.economy ? context_.economy() : nullptr; }
  void Report(TEcoResult result) const;

 private:
  const TOfficeContext& context_;
  TExtraText title_;
};

// A pasture's name as the windows and the news write it: its first tile.
QString PastureName(std::uint16_t id);
