#pragma once

#include "engine/HistoricDraw.h"
#include "engine/Settings.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

// How a scheme would have fared on one draw.
struct BacktestDraw {
    std::string issue;
    int number = 0;
    bool survivesKill = false;       // among the kill run's survivors
    bool survivesTolerance = false;  // in the result list after the tolerance run
    std::vector<std::string> labels; // conditions rejecting the number, in report order
    int count = 0;                   // numbers the kill run leaves: what playing the scheme costs
};

struct BacktestCondition {
    std::string label;
    int rejected = 0; // winners of the tested draws this condition rejects
    // Σ over the tested draws of how many of the 1,000 numbers it rejects under that draw's
    // settings. A winner is one of the 1,000, so chance alone rejects ExpectedRejected().
    long long chanceRejects = 0;
    double ExpectedRejected() const { return static_cast<double>(chanceRejects) / 1000.0; }
};

// The figures over the newest draws of the window: every condition's rejected winners and
// the wins, each beside what chance alone gives.
struct BacktestSpan {
    std::size_t newest = 0; // the span asked for: 30, 100, or 0 for the whole window
    int draws = 0;          // draws it holds, fewer than asked in a short window
    int wonAfterKill = 0;
    int wonAfterTolerance = 0;
    long long countPlayed = 0;                 // Σ 注数 after the kill run
    long long toleranceCountPlayed = 0;        // Σ numbers in the list after the tolerance run
    std::vector<BacktestCondition> conditions; // the 27 rows in report order
    // Wins numbers chosen at random would give with the same counts: Σ count / 1000.
    double ChanceWins() const { return static_cast<double>(countPlayed) / 1000.0; }
    double ChanceWinsAfterTolerance() const {
        return static_cast<double>(toleranceCountPlayed) / 1000.0;
    }
};

struct BacktestResult {
    std::string message; // the validation message that stopped the kill run, if any
    int survivorCount = 0;
    int toleranceCount = 0;                    // list size after the tolerance run
    std::vector<BacktestDraw> draws;           // oldest first
    std::vector<BacktestCondition> conditions; // the 27 rows in report order
    std::vector<BacktestSpan> spans; // the newest 30, the newest 100, all (kBacktestSpans)
    bool completed() const { return message.empty(); }
};

// The spans every backtest reports, newest first; 0 is the whole window.
inline constexpr std::array<std::size_t, 3> kBacktestSpans{30, 100, 0};

// Replays the scheme against the last `last` draws of `history` (oldest first; 0 takes all).
// `level` is the number the 容错 combo shows, 1..17.
BacktestResult RunBacktest(const Settings& scheme, int level,
                           const std::vector<HistoricDraw>& history, std::size_t last);

} // namespace tarvex
