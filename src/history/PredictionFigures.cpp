#include "history/PredictionFigures.h"

namespace tarvex {

PredictionSummary Summarize(const PredictionRefs& predictions,
                            const std::vector<PredictionOutcome>& outcomes) {
    return Summarize(predictions, outcomes, std::vector<bool>(predictions.size(), true));
}

PredictionSummary Summarize(const PredictionRefs& predictions,
                            const std::vector<PredictionOutcome>& outcomes,
                            const std::vector<bool>& keep) {
    PredictionSummary summary;
    int seen = 0;
    // Newest first, so the newest 30 and 100 are the first ones met.
    for (std::size_t i = predictions.size(); i-- > 0;) {
        const Prediction& p = *predictions[i];
        if (!keep[i] || !outcomes[i].Counts(p)) {
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
