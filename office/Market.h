#pragma once
// BotMercado's window: the price of an arroba of cattle and of calves, the
// price at each month's end over the last 24 months, and the season's index
// for the next three months.
#include "office/OfficeWindow.h"

class QLabel;
class TChart;

class TMarketWindow : public TOfficeWindow {
 public:
  explicit TMarketWindow(const TOfficeContext& context);

  QLabel* PriceCaption;
  QLabel* Price;
  QLabel* CalfPriceCaption;
  QLabel* CalfPrice;
  TChart* Chart;
  QLabel* SeasonCaption;
  QLabel* Season;

 protected:
  void Fill(TMapa& map, TEconomy& eco) override;
};
