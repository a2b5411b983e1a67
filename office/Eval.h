#pragma once
// BotEval's window: the ranch's value and its parts, the goal and how far it
// is, and the money at each month's end over the last 24 months.
#include "office/OfficeWindow.h"

class QLabel;
class TChart;

class TEvalWindow : public TOfficeWindow {
 public:
  explicit TEvalWindow(const TOfficeContext& context);

  // Captions and figures, top to bottom: value, money, loan, herds, buildings.
  QLabel* Captions[5];
  QLabel* Figures[5];
  QLabel* Goal;
  QLabel* GoalLeft;
  TChart* Chart;

 protected:
  void Fill(TMapa& map, TEconomy& eco) override;
};

// The money at the close of every kept month and today's, oldest first.
std::vector<double> ClosingSeries(const TMapa& map, const TEconomy& eco);
