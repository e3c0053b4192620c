#include "engine/BacktestTally.h"

#include "engine/CompiledConditions.h"
#include "engine/ToleranceRun.h"

#include <algorithm>

namespace tarvex {

BacktestTally::BacktestTally(std::size_t drawCount) : drawCount_(drawCount) {
    for (const std::size_t newest : kBacktestSpans) {
        BacktestSpan span;
        span.newest = newest;
        for (const std::string& label : ToleranceLabels()) {
            span.conditions.push_back({label, 0, 0});
        }
        spans_.push_back(std::move(span));
    }
}

void BacktestTally::Add(const BacktestDraw& draw, int toleranceCount, const RowRejects& rejects) {
    const std::size_t fromEnd = drawCount_ - std::min(added_, drawCount_); // 1 for the newest
    ++added_;
    for (BacktestSpan& span : spans_) {
        if (span.newest == 0 || fromEnd <= span.newest) {
            AddTo(span, draw, toleranceCount, rejects);
        }
    }
}

void BacktestTally::AddTo(BacktestSpan& span, const BacktestDraw& draw, int toleranceCount,
                          const RowRejects& rejects) {
    ++span.draws;
    span.wonAfterKill += draw.survivesKill ? 1 : 0;
    span.wonAfterTolerance += draw.survivesTolerance ? 1 : 0;
    span.countPlayed += draw.count;
    span.toleranceCountPlayed += toleranceCount;
    for (std::size_t row = 0; row < span.conditions.size(); ++row) {
        BacktestCondition& condition = span.conditions[row];
        condition.chanceRejects += rejects[row];
        if (std::find(draw.labels.begin(), draw.labels.end(), condition.label) !=
            draw.labels.end()) {
            ++condition.rejected;
        }
    }
}

RowRejects BacktestTally::RejectsOf(const Settings& settings) {
    const CompiledConditions conditions(settings);
    RowRejects rejects{};
    for (int n = 0; n < 1000; ++n) {
        const std::uint32_t reasons = ToleranceReasons(conditions, n);
        for (std::size_t row = 0; row < rejects.size(); ++row) {
            rejects[row] += static_cast<int>(reasons >> row & 1);
        }
    }
    return rejects;
}

} // namespace tarvex
