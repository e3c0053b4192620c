#include "app/shared/TableRows.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

namespace {

constexpr int kMarginPx = 6; // above and below the text together

} // namespace

int TableRows::Height(const QTableView* table) {
    return QFontMetrics(table->font()).height() + kMarginPx;
}

void TableRows::KeepInSight(QTableView* table, int rows) {
    // Room for a horizontal scroll bar too: wide tables have one at a small size.
    const int scrollBar = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    table->setMinimumHeight(table->horizontalHeader()->sizeHint().height() + rows * Height(table) +
                            scrollBar + 2 * table->frameWidth());
}

void TableRows::Compact(QTableView* table) {
    QHeaderView* rows = table->verticalHeader();
    rows->setMinimumSectionSize(0);
    rows->setDefaultSectionSize(Height(table));
    rows->setSectionResizeMode(QHeaderView::Fixed);
}
