#include "office/Chart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace {
constexpr int Margin = 4;
const QColor Line(0, 100, 0);
const QColor Zero(160, 0, 0);
}  // namespace

TChart::TChart(QWidget* parent) : QWidget(parent) { setMinimumSize(200, 90); }

void TChart::SetSeries(const QString& caption, std::vector<double> values, QString low, QString high) {
  caption_ = caption;
  values_ = std::move(values);
  low_ = std::move(low);
  high_ = std::move(high);
  update();
}

void TChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(Qt::gray);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  const int line = fontMetrics().height();
  painter.setPen(Qt::black);
  painter.drawText(QRect(Margin, Margin, width() - 2 * Margin, line), Qt::AlignLeft, caption_);
  const QRect plot(Margin, Margin + line + 2, width() - 2 * Margin, height() - 2 * Margin - 2 * line - 4);
  if (values_.empty() || plot.height() < 8) return;
  // The highest value stands above the plot's right end, the lowest below it.
  painter.drawText(QRect(Margin, plot.bottom() + 2, width() - 2 * Margin, line), Qt::AlignRight, low_);
  painter.drawText(QRect(Margin, Margin, width() - 2 * Margin, line), Qt::AlignRight, high_);
  const auto [lowest, highest] = std::minmax_element(values_.begin(), values_.end());
  const double low = *lowest, span = std::max(*highest - low, 1e-9);
  // The line's pen is 2 pixels wide: the values keep clear of the texts
  // above and below the plot.
  const double top = plot.top() + 3.0, bottom = plot.bottom() - 2.0;
  const auto yOf = [&](double value) { return bottom - (value - low) / span * (bottom - top); };
  const auto xOf = [&](std::size_t i) {
    return values_.size() == 1 ? plot.center().x()
                               : plot.left() + static_cast<double>(i) * plot.width() / (values_.size() - 1);
  };
  painter.setRenderHint(QPainter::Antialiasing);
  if (low < 0 && *highest > 0) {
    painter.setPen(QPen(Zero, 1, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), yOf(0)), QPointF(plot.right(), yOf(0)));
  }
  QPainterPath path;
  path.moveTo(xOf(0), yOf(values_[0]));
  for (std::size_t i = 1; i < values_.size(); ++i) path.lineTo(xOf(i), yOf(values_[i]));
  painter.setPen(QPen(Line, 2));
  painter.drawPath(path);
  if (values_.size() == 1) painter.drawEllipse(QPointF(xOf(0), yOf(values_[0])), 2, 2);
}
