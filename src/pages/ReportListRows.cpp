#include "pages/ReportListRows.h"

#include <QTableWidget>

#include <algorithm>

namespace ReportListRows {

namespace {

void InsertRow(QTableWidget* list, int row, const QStringList& cells) {
    list->insertRow(row);
    for (int c = 0; c < list->columnCount(); ++c) {
        auto* item = new QTableWidgetItem(c < cells.size() ? cells[c] : QString());
        item->setTextAlignment(Qt::AlignCenter);
        list->setItem(row, c, item);
    }
}

} // namespace

QList<QStringList> Rows(const QTableWidget* list) {
    QList<QStringList> rows;
    for (int r = 0; r < list->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c) {
            const QTableWidgetItem* item = list->item(r, c);
            cells << (item ? item->text() : QString());
        }
        rows << cells;
    }
    return rows;
}

void SetRows(QTableWidget* list, const QList<QStringList>& rows) {
    list->setRowCount(0);
    for (int r = 0; r < rows.size(); ++r)
        InsertRow(list, r, rows[r]);
}

void InsertTop(QTableWidget* list, const QStringList& cells) {
    InsertRow(list, 0, cells);
}

bool DeleteFirstSelected(QTableWidget* list) {
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return false;
    int top = selected.first().row();
    for (const QModelIndex& index : selected)
        top = std::min(top, index.row());
    list->setUpdatesEnabled(false);
    list->removeRow(top);
    list->setUpdatesEnabled(true);
    return true;
}

} // namespace ReportListRows
