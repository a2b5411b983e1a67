#pragma once
// Filling the office's tables again, once a game day: the items stay and only
// their texts change, and the columns are fitted to their contents once per
// fill. A header that fits its columns by itself does so after every cell,
// measuring the whole column each time, which made an open window cost more
// than the rest of the idle game.
#include <QTableWidget>

// Writes the cell's text, reusing the item there; an unchanged text changes
// nothing.
void SetCell(QTableWidget& table, int row, int column, const QString& text, Qt::Alignment alignment);
// The columns as wide as their captions and texts.
void FitColumns(QTableWidget& table);
