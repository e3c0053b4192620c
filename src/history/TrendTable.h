#pragma once

#include "engine/HistoricDraw.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

// One row of the 走势图.
struct TrendRow {
    std::string issue;
    int number = 0;
    // [position 0 百, 1 十, 2 个][digit]: 0 for the digit drawn there, otherwise how many draws
    // of the window, up to and including this one, have passed since it was last drawn there.
    std::array<std::array<int, 10>, 3> omission{};
    int sum = 0;
    int span = 0;
    int shape = 0;     // ShapeCode: 0 豹子, 1 组三, 2 组六
    std::string trial; // the 试机号 digits, empty when the history does not give them
};

// The trend chart over the last N draws, oldest first, built in one pass. Omission counts
// start at the window's first draw, as though nothing had been drawn before it: a digit not
// drawn in the first row shows 1 there, so the chart reads the same however much history
// precedes the window.
class TrendTable {
public:
    TrendTable() = default;
    TrendTable(const std::vector<HistoricDraw>& history, std::size_t last);

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const TrendRow& operator[](std::size_t row) const { return rows_[row]; }
    const std::vector<TrendRow>& Rows() const { return rows_; }

private:
    std::vector<TrendRow> rows_;
};

} // namespace tarvex
