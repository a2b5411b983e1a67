#include "office/OfficeWindow.h"

#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "economy/Pastures.h"

TOfficeWindow::TOfficeWindow(const TOfficeContext& context, TExtraText title) : context_(context), title_(title) {
  setAttribute(Qt::WA_DeleteOnClose);
}

void TOfficeWindow::Refresh() {
  setWindowTitle(Text(title_));
  TMapa* map = Map();
  TEconomy* eco = Economy();
  if (map != nullptr && eco != nullptr) Fill(*map, *eco);
}

QMdiSubWindow* TOfficeWindow::ShowInArea(QMdiArea& area, const QWidget& centreOn) {
  // Above the map view, which takes the focus every frame.
  QMdiSubWindow* child = area.addSubWindow(this, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                     Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  child->setAttribute(Qt::WA_DeleteOnClose);
  Refresh();
  child->adjustSize();
  const QPoint centre = area.viewport()->mapFromGlobal(centreOn.mapToGlobal(centreOn.rect().center()));
  child->move(centre - QPoint(child->width() / 2, child->height() / 2));
  child->show();
  return child;
}

QMdiSubWindow* TOfficeWindow::SubWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

QString TOfficeWindow::Money(std::int64_t amount) const {
  return QLocale(Text(TExtraText::ToolkitLocale)).toString(static_cast<qlonglong>(amount));
}

QString TOfficeWindow::Hundredths(std::int64_t amount) const {
  return Decimal(static_cast<double>(amount) / 100.0, 2);
}

QString TOfficeWindow::Dollars(std::int64_t amount) const {
  return (amount < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + Money(amount < 0 ? -amount : amount);
}

QString TOfficeWindow::DollarHundredths(std::int64_t amount) const {
  return (amount < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + Hundredths(amount < 0 ? -amount : amount);
}

QString TOfficeWindow::Decimal(double value, int decimals) const {
  return QLocale(Text(TExtraText::ToolkitLocale)).toString(value, 'f', decimals);
}

void TOfficeWindow::Report(TEcoResult result) const {
  if (context_.report) context_.report(result);
}

QString PastureName(std::uint16_t id) { return QStringLiteral("%1,%2").arg(TileX(id)).arg(TileY(id)); }
