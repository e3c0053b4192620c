#include "app/backtest/CChanceTable.h"

#include "engine/BacktestText.h"
#include "framework/Utf8Text.h"

#include <QHeaderView>

CChanceTable::CChanceTable(QWidget* parent) : QTableWidget(0, 7, parent) {
    setHorizontalHeaderLabels({QStringLiteral("条件"), QStringLiteral("排除中奖号"),
                               QStringLiteral("按机会应杀"), QStringLiteral("近100期排除"),
                               QStringLiteral("近100期应杀"), QStringLiteral("近30期排除"),
                               QStringLiteral("近30期应杀")});
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6); // 27 rows in view
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setToolTip(QStringLiteral("按机会应杀：开奖号码完全随机时，这个条件平均会排除的中奖号个数。"
                              "\n排除数和它差不多的条件，并不比瞎猜强。"));
}

void CChanceTable::SetSpans(const std::vector<tarvex::BacktestSpan>& spans) {
    if (spans.empty()) {
        setRowCount(0);
        return;
    }
    // Columns: the whole window (last span), then the newer spans, newest last.
    std::vector<const tarvex::BacktestSpan*> columns{&spans.back()};
    for (std::size_t s = spans.size() - 1; s-- > 0;)
        columns.push_back(&spans[s]);
    const std::vector<tarvex::BacktestCondition>& rows = spans.back().conditions;
    setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const auto r = static_cast<std::size_t>(row);
        setItem(row, 0,
                new QTableWidgetItem(FromUtf8(tarvex::BacktestText::Trimmed(rows[r].label))));
        int column = 1;
        for (const tarvex::BacktestSpan* span : columns) {
            const tarvex::BacktestCondition& c = span->conditions[r];
            setItem(row, column++, new QTableWidgetItem(QString::number(c.rejected)));
            setItem(row, column++,
                    new QTableWidgetItem(
                        FromUtf8(tarvex::BacktestText::Decimal(c.ExpectedRejected()))));
        }
    }
    resizeColumnsToContents();
}
