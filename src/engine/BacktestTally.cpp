#include "engine/BacktestTally.h"

#include "engine/CompiledConditions.h"
#include "engine/ToleranceRun.h"

#include <algorithm>
#include <bit>

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

// Most numbers have few reasons or none, so only the set bits are visited.
void BacktestTally::AddReasons(RowRejects& rejects, std::uint32_t reasons) {
    for (; reasons != 0; reasons &= reasons - 1) {
        ++rejects[static_cast<std::size_t>(std::countr_zero(reasons))];
    }
}

RowRejects BacktestTally::RejectsOf(const Settings& settings) {
    const CompiledConditions conditions(settings);
    RowRejects rejects{};
    for (int n = 0; n < 1000; ++n) {
        AddReasons(rejects, ToleranceReasons(conditions, n));
    }
    return rejects;
}

} // namespace tarvex
