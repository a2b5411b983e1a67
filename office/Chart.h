#pragma once
// A small line chart drawn with QPainter: one series of monthly figures,
// oldest on the left, with its caption, its highest and lowest values and a
// zero line when it crosses zero. The office's three charts share it.
#include <QString>
#include <QWidget>
#include <vector>

class TChart : public QWidget {
 public:
  explicit TChart(QWidget* parent = nullptr);

  // `low` and `high` are the lowest and highest values as the window writes them.
  void SetSeries(const QString& caption, std::vector<double> values, QString low, QString high);
  const std::vector<double>& Values() const { return values_; }

  QSize sizeHint() const override { return {240, 110}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  std::vector<double> values_;
  QString low_;
  QString high_;
};
