#include "office/Market.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>

#include "economy/EcoRules.h"
#include "office/Chart.h"

namespace {
constexpr int MonthsAhead = 3;
}  // namespace

TMarketWindow::TMarketWindow(const TOfficeContext& context) : TOfficeWindow(context, TExtraText::MarketTitle) {
  auto* grid = new QGridLayout(this);
  PriceCaption = new QLabel(this);
  Price = new QLabel(this);
  CalfPriceCaption = new QLabel(this);
  CalfPrice = new QLabel(this);
  Chart = new TChart(this);
  SeasonCaption = new QLabel(this);
  Season = new QLabel(this);
  grid->addWidget(PriceCaption, 0, 0);
  grid->addWidget(Price, 0, 1);
  grid->addWidget(CalfPriceCaption, 1, 0);
  grid->addWidget(CalfPrice, 1, 1);
  grid->addWidget(Chart, 2, 0, 1, 2);
  grid->addWidget(SeasonCaption, 3, 0, 1, 2);
  grid->addWidget(Season, 4, 0, 1, 2);
}

void TMarketWindow::Fill(TMapa& map, TEconomy& eco) {
  PriceCaption->setText(Text(TExtraText::PriceLabel));
  Price->setText(DollarHundredths(eco.Price()));
  CalfPriceCaption->setText(Text(TExtraText::CalfPriceLabel));
  CalfPrice->setText(DollarHundredths(eco.CalfPrice()));

  std::vector<double> series;
  for (const TBooks& month : eco.Months()) series.push_back(month.price / 100.0);
  series.push_back(eco.Price() / 100.0);
  const auto [low, high] = std::minmax_element(series.begin(), series.end());
  Chart->SetSeries(Text(TExtraText::PriceChartTitle), series,
                   DollarHundredths(std::llround(*low * 100)),
                   DollarHundredths(std::llround(*high * 100)));

  SeasonCaption->setText(Text(TExtraText::SeasonIndexLabel));
  const int month = std::clamp<int>(map.Record().month, 1, 12);
  QStringList ahead;
  for (int i = 1; i <= MonthsAhead; ++i) {
    const int m = (month - 1 + i) % 12;
    ahead << QStringLiteral("%1: %2 %").arg(m + 1, 2, 10, QLatin1Char('0')).arg(Decimal(SeasonPrice[m] / 10.0, 1));
  }
  Season->setText(ahead.join(QStringLiteral("   ")));
}
