#pragma once

#include "history/Prediction.h"

#include <cstddef>
#include <vector>

namespace tarvex {

// Hits of a run of predictions (or backtested draws) beside what chance alone gives: playing
// `count` random numbers wins with probability count/1000.
struct PredictionFigures {
    int checked = 0;
    int hits = 0;
    long long played = 0; // Σ count

    void Add(bool hit, int count) {
        ++checked;
        hits += hit ? 1 : 0;
        played += count;
    }
    void Add(const PredictionFigures& other) {
        checked += other.checked;
        hits += other.hits;
        played += other.played;
    }
    // NaN when nothing was checked (JSON null).
    double HitRate() const { return static_cast<double>(hits) / checked; }
    // The mean of count/1000.
    double Chance() const { return static_cast<double>(played) / 1000.0 / checked; }
    double Margin() const { return HitRate() - Chance(); }
    long long Cost() const { return played * 2; } // 2 元 a number
};

// The live figures: every counted prediction, the newest 30 and the newest 100.
struct PredictionSummary {
    PredictionFigures all;
    PredictionFigures last30;
    PredictionFigures last100;
};

// Over the predictions that count (checked, not late, not edited), newest = latest in
// `predictions` order (the order they were written).
PredictionSummary Summarize(const PredictionRefs& predictions,
                            const std::vector<PredictionOutcome>& outcomes);
inline PredictionSummary Summarize(const std::vector<Prediction>& predictions,
                                   const std::vector<PredictionOutcome>& outcomes) {
    return Summarize(RefsOf(predictions), outcomes);
}
// The same over the predictions whose `keep` flag is set (a filter by scheme).
PredictionSummary Summarize(const PredictionRefs& predictions,
                            const std::vector<PredictionOutcome>& outcomes,
                            const std::vector<bool>& keep);

} // namespace tarvex
