#pragma once

#include "engine/Backtest.h"

#include <QString>

#include <optional>
#include <vector>

class QWidget;

// Reads a draw history for a window beside the classic one: a file that cannot be used is
// reported in a message box, lines that were not taken in one information box listing the
// first few.
class WindowHistory {
public:
    static std::optional<std::vector<tarvex::HistoricDraw>> Load(QWidget* parent,
                                                                 const QString& path);
};
