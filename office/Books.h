#pragma once
// BotBalanco's window: the books by category, for the last 12 months (the
// month running last) and the last 10 years, with the money at each month's
// end as a chart.
#include "office/OfficeWindow.h"

class QTabWidget;
class QTableWidget;
class TChart;

class TBooksWindow : public TOfficeWindow {
 public:
  explicit TBooksWindow(const TOfficeContext& context);

  QTabWidget* Tabs;
  QTableWidget* Months;  // a column per month, a row per category
  QTableWidget* Years;
  TChart* Chart;

 protected:
  void Fill(TMapa& map, TEconomy& eco) override;
};
