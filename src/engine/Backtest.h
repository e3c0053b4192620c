#pragma once

#include "engine/Settings.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

// One past draw: its 期号 as written in the history and its winning number 0..999.
struct HistoricDraw {
    std::string issue;
    int number = 0;
    bool operator==(const HistoricDraw&) const = default;
};

// How a scheme would have fared on one draw.
struct BacktestDraw {
    std::string issue;
    int number = 0;
    bool survivesKill = false;       // among the kill run's survivors
    bool survivesTolerance = false;  // in list box 1004 after the tolerance run
    std::vector<std::string> labels; // conditions rejecting the number, in report order
    int count = 0;                   // numbers the kill run leaves: what playing the scheme costs
};

struct BacktestCondition {
    std::string label;
    int rejected = 0; // winners of the tested draws this condition rejects
};

struct BacktestResult {
    std::string message; // the validation message that stopped the kill run, if any
    int survivorCount = 0;
    int toleranceCount = 0;                    // list size after the tolerance run
    std::vector<BacktestDraw> draws;           // oldest first
    std::vector<BacktestCondition> conditions; // the 27 rows in report order
    bool completed() const { return message.empty(); }
};

// Replays the scheme against the last `last` draws of `history` (oldest first; 0 takes all).
// `level` is the number the 容错 combo shows, 1..17.
BacktestResult RunBacktest(const Settings& scheme, int level,
                           const std::vector<HistoricDraw>& history, std::size_t last);

} // namespace tarvex
