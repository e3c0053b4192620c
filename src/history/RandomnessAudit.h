#pragma once

#include "engine/HistoricDraw.h"
#include "history/RandomnessTest.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

// 随机性检验: every test of whether a window of the history differs from fair draws, with
// the family's p-values corrected by Holm's method.
struct RandomnessAudit {
    static constexpr int kHotWindow = 30;
    static constexpr double kLevel = 0.05;

    int draws = 0;
    std::string firstIssue, lastIssue;
    std::vector<RandomnessTest> tests;

    // The last `last` draws of `history` (oldest first; 0 or more than there are takes all);
    // `hotWindow` draws make a digit hot.
    static RandomnessAudit Of(const std::vector<HistoricDraw>& history, std::size_t last,
                              int hotWindow = kHotWindow);

    int Run() const;         // tests with a p-value
    int Significant() const; // of those, significant after correction
};

} // namespace tarvex
