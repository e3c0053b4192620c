#include "history/PredictionFigures.h"

#include "history/PredictionCheck.h"

#include <set>
#include <string>
#include <tuple>

namespace tarvex {

namespace {

// One target draw of one scheme: 26344 and 2026344 of 排列3 are the same draw.
using DrawOfScheme = std::tuple<std::string, std::string, std::string>;

DrawOfScheme KeyOf(const Prediction& p) {
    const std::optional<long long> key = PredictionCheck::IssueKey(p.issue);
    return {p.lottery, key ? std::to_string(*key) : "#" + p.issue, p.schemeId};
}

} // namespace

PredictionSummary Summarize(const PredictionRefs& predictions,
                            const std::vector<PredictionOutcome>& outcomes) {
    return Summarize(predictions, outcomes, std::vector<bool>(predictions.size(), true));
}

PredictionSummary Summarize(const PredictionRefs& predictions,
                            const std::vector<PredictionOutcome>& outcomes,
                            const std::vector<bool>& keep) {
    PredictionSummary summary;
    int seen = 0;
    // A draw counts once per scheme, by the newest entry written before it: running a scheme
    // again (杀组合 then 容错, or ten times) neither weights that draw more nor lets the
    // player pick the run he likes. Newest first, so that entry and the newest 30 and 100
    // draws are the first ones met.
    std::set<DrawOfScheme> counted;
    for (std::size_t i = predictions.size(); i-- > 0;) {
        const Prediction& p = *predictions[i];
        if (!keep[i] || !outcomes[i].Counts(p) || !counted.insert(KeyOf(p)).second) {
            continue;
        }
        summary.all.Add(outcomes[i].hit, p.count);
        if (seen < 30) {
            summary.last30.Add(outcomes[i].hit, p.count);
        }
        if (seen < 100) {
            summary.last100.Add(outcomes[i].hit, p.count);
        }
        ++seen;
    }
    return summary;
}

} // namespace tarvex
