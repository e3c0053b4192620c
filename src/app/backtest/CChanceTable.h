#pragma once

#include "engine/Backtest.h"

#include <QTableWidget>

#include <vector>

// The backtest's conditions beside chance: per condition the winners it rejected and what
// chance alone would reject, over the whole window and its newest 100 and 30 draws.
class CChanceTable : public QTableWidget {
    Q_OBJECT
public:
    explicit CChanceTable(QWidget* parent = nullptr);

    // The spans in kBacktestSpans order; none clears the table.
    void SetSpans(const std::vector<tarvex::BacktestSpan>& spans);
};
