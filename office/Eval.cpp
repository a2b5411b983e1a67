#include "office/Eval.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "office/Chart.h"

namespace {
constexpr TExtraText Parts[5] = {TExtraText::ValueLabel, TExtraText::FundsLabel, TExtraText::LoanLabel,
                                 TExtraText::HerdValueLabel, TExtraText::BuiltValueLabel};
}  // namespace

TEvalWindow::TEvalWindow(const TOfficeContext& context) : TOfficeWindow(context, TExtraText::EvalTitle) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < 5; ++i) {
    Captions[i] = new QLabel(this);
    Figures[i] = new QLabel(this);
    Figures[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(Captions[i], i, 0);
    grid->addWidget(Figures[i], i, 1);
  }
  QFont bold = Captions[0]->font();
  bold.setBold(true);
  Captions[0]->setFont(bold);
  Figures[0]->setFont(bold);
  Goal = new QLabel(this);
  Goal->setWordWrap(true);
  GoalLeft = new QLabel(this);
  Chart = new TChart(this);
  grid->addWidget(Goal, 5, 0, 1, 2);
  grid->addWidget(GoalLeft, 6, 0, 1, 2);
  grid->addWidget(Chart, 7, 0, 1, 2);
}

void TEvalWindow::Fill(TMapa& map, TEconomy& eco) {
  const std::int64_t value = eco.Value(map);
  const std::int64_t funds = map.Record().funds;
  std::int64_t herds = 0;
  for (const TPasture& p : eco.Pastures()) herds += eco.HerdValue(p.herd);
  // What is built is what the value holds beyond money, loan and herds.
  const std::int64_t parts[5] = {value, funds, -eco.Loan(), herds, value - funds + eco.Loan() - herds};
  for (int i = 0; i < 5; ++i) {
    Captions[i]->setText(Text(Parts[i]));
    Figures[i]->setText(Dollars(parts[i]));
  }
  Goal->setText(Text(TExtraText::GoalLabel).arg(Money(eco.Target())).arg(eco.TargetYear()));
  const std::int64_t left = eco.Target() - value;
  GoalLeft->setText(eco.Status() == TEcoStatus::Won || (left <= 0 && eco.Loan() == 0)
                        ? Text(TExtraText::GoalReachedLabel)
                        : Text(TExtraText::GoalLeftLabel).arg(Money(std::max<std::int64_t>(left, 0))));
  std::vector<double> series = ClosingSeries(map, eco);
  const auto [low, high] = std::minmax_element(series.begin(), series.end());
  Chart->SetSeries(Text(TExtraText::FundsChartTitle), series, Dollars(std::llround(*low)),
                   Dollars(std::llround(*high)));
}

std::vector<double> ClosingSeries(const TMapa& map, const TEconomy& eco) {
  std::vector<double> series;
  for (const TBooks& month : eco.Months()) series.push_back(static_cast<double>(month.closing));
  series.push_back(map.Record().funds);
  return series;
}
