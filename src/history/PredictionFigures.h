#pragma once

#include "history/ExactRate.h"
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
    // hits / checked, the mean of count/1000 and their difference, as exact fractions.
    ExactRate HitShare() const { return {hits, checked}; }
    ExactRate ChanceShare() const { return {played, 1000LL * checked}; }
    ExactRate MarginShare() const { return {1000LL * hits - played, 1000LL * checked}; }
    // NaN when nothing was checked (JSON null); each the nearest double of its fraction.
    double HitRate() const { return HitShare().Value(); }
    double Chance() const { return ChanceShare().Value(); }
    double Margin() const { return MarginShare().Value(); }
    long long Cost() const { return played * 2; } // 2 元 a number
};

// The live figures: every counted draw, the newest 30 and the newest 100.
struct PredictionSummary {
    PredictionFigures all;
    PredictionFigures last30;
    PredictionFigures last100;
};

// Over the predictions that count (checked, not late, not edited), newest = latest in
// `predictions` order (the order they were written). Each target draw counts once per scheme:
// by that scheme's newest counting entry for it (`checked` is a number of draws).
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
