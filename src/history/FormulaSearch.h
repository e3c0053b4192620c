#pragma once

#include "engine/HistoricDraw.h"
#include "engine/Progress.h"
#include "engine/Rule.h"
#include "history/RuleJudgement.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex {

struct FormulaSearchOptions {
    RuleTarget target = RuleTarget::SumTail;
    int terms = 2;         // 1..3
    std::size_t last = 0;  // the window: the newest N draws, 0 taking all
    std::size_t check = 0; // the check segment: the window's newest H draws; 0: 30%, at least 1
    std::size_t top = 20;  // K: how many of the best are taken to the check segment
    std::uint64_t seed = 1;
    bool shuffled = true; // run the same search on a shuffled history as well
};

struct FormulaSegment {
    std::string first; // 期号 of its oldest and newest draws
    std::string last;
    int draws = 0;
};

struct FoundFormula {
    std::string formula;    // "3*百1+和2+4": can be added as a rule as it stands
    RuleJudgement train;    // the rule judge's figures on the training segment
    RuleJudgement check;    // and on the check segment (its `next`: the coming draw's value)
    double p = 1.0;         // P(right ≥ observed on the check segment) by chance alone
    double pAdjusted = 1.0; // min(1, K·p), K the formulas taken to the check segment
    // Formulas that give the same value on every draw of the window (和 and 尾 agree mod 10):
    // the same rule under other names, ranked once, here.
    std::vector<std::string> equivalents;
};

struct FormulaSearchResult {
    std::string error; // Chinese; empty when the search ran
    bool cancelled = false;
    int draws = 0;           // in the window
    std::uint64_t tried = 0; // formulas in the space
    FormulaSegment train;
    FormulaSegment check;
    // The best training margin of the same search on the window's numbers in a shuffled
    // order: what a search finds where nothing can be predicted.
    double shuffledBestMargin = 0.0;
    std::vector<FoundFormula> formulas; // best first

    bool ok() const { return error.empty() && !cancelled; }
};

// Searches kill formulas over a draw history: ranks every formula of the space on a
// training segment, then judges the best on a check segment the ranking never saw.
class FormulaSearch {
public:
    static constexpr std::size_t kMaxTop = 1000;
    // The scan keeps this many formulas for each of the K, for the equivalents among them.
    static constexpr std::size_t kRoomPerFormula = 8;

    // `history` oldest first; entries whose number is not 0..999 are left out, as the rule
    // judge leaves them out. `progress` is told about each set of variables scanned.
    static FormulaSearchResult Run(const std::vector<HistoricDraw>& history,
                                   const FormulaSearchOptions& options,
                                   const ProgressFn& progress = {});

    // The check segment's size for a window of `window` draws when none is asked for.
    static std::size_t DefaultCheck(std::size_t window);
    // The window's numbers in a shuffled order, the same for the same seed on every
    // platform; draws before `begin` and every 期号 stay in place.
    static std::vector<HistoricDraw> Shuffled(std::vector<HistoricDraw> draws, std::size_t begin,
                                              std::uint64_t seed);
};

} // namespace tarvex
