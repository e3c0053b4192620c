#pragma once

#include "engine/Backtest.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvex {

// How many of the 1,000 numbers each of the 27 report rows rejects under one setting.
using RowRejects = std::array<int, 27>;

// Adds up a backtest's draws, oldest first, into its spans (kBacktestSpans): the wins and
// each condition's rejected winners, beside what chance alone gives for the same settings.
class BacktestTally {
public:
    // `drawCount` is how many draws will be added, so the newest 30 and 100 are known.
    explicit BacktestTally(std::size_t drawCount);

    // One draw: where its winner ended, the list size after the tolerance run, and how many
    // of the 1,000 numbers each row rejected under that draw's settings.
    void Add(const BacktestDraw& draw, int toleranceCount, const RowRejects& rejects);
    const std::vector<BacktestSpan>& Spans() const { return spans_; }

    // Counted from the tolerance run's reasons, over every number 000–999.
    static RowRejects RejectsOf(const Settings& settings);
    // Counts one number's reasons (bit r for row r) into `rejects`.
    static void AddReasons(RowRejects& rejects, std::uint32_t reasons);

private:
    static void AddTo(BacktestSpan& span, const BacktestDraw& draw, int toleranceCount,
                      const RowRejects& rejects);

    std::size_t drawCount_;
    std::size_t added_ = 0;
    std::vector<BacktestSpan> spans_;
};

} // namespace tarvex
