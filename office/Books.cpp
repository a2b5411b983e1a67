#include "office/Books.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "office/Chart.h"
#include "office/Eval.h"
#include "office/TableCells.h"

namespace {
constexpr std::size_t MonthsShown = 12;

struct TCategory {
  TExtraText caption;
  std::int64_t TBooks::*figure;
};
constexpr TCategory Categories[] = {
    {TExtraText::OpeningRow, &TBooks::opening},     {TExtraText::SalesRow, &TBooks::sales},
    {TExtraText::PurchasesRow, &TBooks::purchases}, {TExtraText::UpkeepRow, &TBooks::upkeep},
    {TExtraText::InterestRow, &TBooks::interest},   {TExtraText::BuildingRow, &TBooks::building},
    {TExtraText::BorrowedRow, &TBooks::borrowed},   {TExtraText::RepaidRow, &TBooks::repaid},
    {TExtraText::ClosingRow, &TBooks::closing},
};

QTableWidget* BooksTable(QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setRowCount(static_cast<int>(std::size(Categories)));
  // Every category shows without scrolling; the months scroll sideways.
  table->setMinimumHeight(table->horizontalHeader()->sizeHint().height() +
                          table->rowCount() * table->verticalHeader()->defaultSectionSize() +
                          table->horizontalScrollBar()->sizeHint().height() + 2 * table->frameWidth());
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return table;
}
}  // namespace

TBooksWindow::TBooksWindow(const TOfficeContext& context) : TOfficeWindow(context, TExtraText::BooksTitle) {
  auto* layout = new QVBoxLayout(this);
  Tabs = new QTabWidget(this);
  Months = BooksTable(Tabs);
  Years = BooksTable(Tabs);
  Tabs->addTab(Months, QString());
  Tabs->addTab(Years, QString());
  Chart = new TChart(this);
  layout->addWidget(Tabs);
  layout->addWidget(Chart);
  setMinimumSize(560, 420);
}

void TBooksWindow::Fill(TMapa& map, TEconomy& eco) {
  Tabs->setTabText(0, Text(TExtraText::MonthsTab));
  Tabs->setTabText(1, Text(TExtraText::YearsTab));
  QStringList rows;
  for (const TCategory& category : Categories) rows << Text(category.caption);

  // The closed months and the one running, whose closing is the money now.
  std::vector<TBooks> months(eco.Months().begin(), eco.Months().end());
  TBooks running = eco.Month();
  running.closing = map.Record().funds;
  months.push_back(running);
  if (months.size() > MonthsShown) months.erase(months.begin(), months.end() - MonthsShown);
  // The year running counts the month running too, as the months' tab does.
  std::vector<TBooks> years(eco.Years().begin(), eco.Years().end());
  if (!years.empty() && years.back().year == running.year) years.back() = eco.YearToDate(map);

  const auto fill = [&](QTableWidget* table, const std::vector<TBooks>& pages, bool byMonth) {
    table->setVerticalHeaderLabels(rows);
    table->setColumnCount(static_cast<int>(pages.size()));
    QStringList columns;
    for (const TBooks& page : pages)
      columns << (byMonth ? QStringLiteral("%1/%2").arg(page.month, 2, 10, QLatin1Char('0')).arg(page.year)
                          : QString::number(page.year));
    table->setHorizontalHeaderLabels(columns);
    for (int c = 0; c < static_cast<int>(pages.size()); ++c)
      for (int r = 0; r < static_cast<int>(std::size(Categories)); ++r)
        SetCell(*table, r, c, Money(pages[c].*Categories[r].figure), Qt::AlignRight | Qt::AlignVCenter);
    FitColumns(*table);
    table->scrollToItem(table->item(0, table->columnCount() - 1));
  };
  fill(Months, months, true);
  fill(Years, years, false);

  const std::vector<double> series = ClosingSeries(map, eco);
  const auto [low, high] = std::minmax_element(series.begin(), series.end());
  Chart->SetSeries(Text(TExtraText::FundsChartTitle), series, Dollars(std::llround(*low)),
                   Dollars(std::llround(*high)));
}
