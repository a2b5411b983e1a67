#include "office/TableCells.h"

void SetCell(QTableWidget& table, int row, int column, const QString& text, Qt::Alignment alignment) {
  QTableWidgetItem* item = table.item(row, column);
  if (item == nullptr) {
    item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    table.setItem(row, column, item);
    return;
  }
  if (item->text() != text) item->setText(text);
  if (item->textAlignment() != static_cast<int>(alignment)) item->setTextAlignment(alignment);
}

void FitColumns(QTableWidget& table) { table.resizeColumnsToContents(); }
