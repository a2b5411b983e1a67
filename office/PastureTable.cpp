#include "office/PastureTable.h"

#include <QHeaderView>

#include "economy/EcoRules.h"
#include "office/OfficeWindow.h"
#include "office/TableCells.h"

TPastureTable::TPastureTable(QWidget* parent) : QTableWidget(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  setMinimumHeight(90);
}

void TPastureTable::Fill(const std::vector<TPasture>& pastures, const std::vector<TColumn>& columns) {
  const std::optional<std::uint16_t> selected = Selected();
  if (columnCount() != static_cast<int>(columns.size())) setColumnCount(static_cast<int>(columns.size()));
  QStringList captions;
  for (const TColumn& column : columns) captions << column.caption;
  setHorizontalHeaderLabels(captions);
  if (rowCount() != static_cast<int>(pastures.size())) setRowCount(static_cast<int>(pastures.size()));
  ids_.clear();
  for (int row = 0; row < static_cast<int>(pastures.size()); ++row) {
    ids_.push_back(pastures[row].id);
    for (int c = 0; c < static_cast<int>(columns.size()); ++c)
      SetCell(*this, row, c, columns[c].value(pastures[row]),
              c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
  }
  FitColumns(*this);
  // The first pasture is taken when none was chosen yet.
  if (selected) Select(*selected);
  if (!Selected() && !ids_.empty()) selectRow(0);
}

std::optional<std::uint16_t> TPastureTable::Selected() const {
  const QList<QTableWidgetItem*> items = selectedItems();
  if (items.isEmpty()) return std::nullopt;
  const int row = items.front()->row();
  if (row < 0 || row >= static_cast<int>(ids_.size())) return std::nullopt;
  return ids_[row];
}

void TPastureTable::Select(std::uint16_t id) {
  for (int row = 0; row < static_cast<int>(ids_.size()); ++row)
    if (ids_[row] == id) selectRow(row);
}

std::optional<std::int64_t> ForageDays(const TPasture& pasture) {
  if (pasture.herd.head == 0) return std::nullopt;
  return pasture.forage / (std::int64_t{ForagePerHeadDay} * pasture.herd.head);
}
