#pragma once

#include "engine/Backtest.h"
#include "engine/Progress.h"
#include "history/RuleSet.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

// One draw of a backtest with rules: the rules' values from the draws before it, set on
// the scheme's boxes, and how the winning number fared under the settings that gave.
struct RuleBacktestDraw {
    BacktestDraw draw;       // as the plain backtest reports it; count is that draw's
    std::vector<int> values; // each rule's value, in rule order
    int toleranceCount = 0;  // numbers in the list after the tolerance run
    std::string message;     // the validation message that stopped this draw's kill run
};

struct RuleBacktestResult {
    std::vector<RuleBacktestDraw> draws;       // oldest first
    std::vector<BacktestCondition> conditions; // the 27 rows in report order
    std::vector<BacktestSpan> spans; // the newest 30, the newest 100, all (kBacktestSpans)
    int wonAfterKill = 0;
    int wonAfterTolerance = 0;
    int stopped = 0;                    // draws whose kill run stopped on a message
    long long countPlayed = 0;          // Σ count: what playing the kill run's numbers cost
    long long toleranceCountPlayed = 0; // Σ toleranceCount
    std::size_t settingsRun = 0;        // distinct settings, each run once
    bool cancelled = false;             // stopped by the player: the figures are incomplete

    // How many draws numbers chosen at random would have won with the same counts:
    // Σ count / 1000, the yardstick for wonAfterKill (and after tolerance for the other).
    double ChanceWins() const { return static_cast<double>(countPlayed) / 1000.0; }
    double ChanceWinsAfterTolerance() const {
        return static_cast<double>(toleranceCountPlayed) / 1000.0;
    }
};

// Backtests a scheme as a player who applied its rules every day would have played it:
// for every draw of the window (the newest `last` draws of `history`, oldest first; 0
// takes all) whose previous draws give every rule a value, the values are set on the
// scheme's boxes (ApplyRuleValues), then the kill run and the tolerance run at `level`
// (1..17, the number the 容错 combo shows) are made for that draw alone. Draws that come
// to the same settings share one run.
// `progress` hears of each distinct setting run and of the tally, counted in draws, up to
// its end, and may cancel until then.
RuleBacktestResult RunRuleBacktest(const Settings& scheme, int level, const RuleSet& rules,
                                   const std::vector<HistoricDraw>& history, std::size_t last,
                                   const ProgressFn& progress = {});

} // namespace tarvex
