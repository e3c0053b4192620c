#pragma once

#include <QList>
#include <QStringList>

class QTableWidget;

// The row operations the report-style lists (match list, position-size list, formula list)
// share: new rows go on top, a delete removes only the topmost selected row.
namespace ReportListRows {

// Every row's cells, top row first.
QList<QStringList> Rows(const QTableWidget* list);
void SetRows(QTableWidget* list, const QList<QStringList>& rows);
// Inserts a row of centred cells at index 0.
void InsertTop(QTableWidget* list, const QStringList& cells);
// Deletes the selected row with the lowest index, with drawing held off meanwhile;
// false when no row is selected.
bool DeleteFirstSelected(QTableWidget* list);

} // namespace ReportListRows
