#pragma once
// Reads the results window's table as the user sees it.

#include "results/results_window.h"

#include <QTableWidget>

// A cell of the results table: data rows from 1, columns 1 (name),
// 2 (composition), 3 (criterion). A row the last search did not produce reads
// as "".
inline QString ResultCell(const TForm4& window, int row, int column) {
    const auto* grid = window.findChild<QTableWidget*>(QStringLiteral("AdvColumnGrid1"));
    if (!grid || row < 1 || row > grid->rowCount() || column < 0 || column >= grid->columnCount())
        return {};
    const QTableWidgetItem* item = grid->item(row - 1, column);
    return item ? item->text() : QString();
}
