#include "io/PredictionBacktest.h"

#include "engine/Backtest.h"
#include "history/PredictionCheck.h"
#include "history/RuleBacktest.h"
#include "history/RuleSet.h"
#include "io/PredictionScheme.h"

#include <set>

namespace tarvex {

PredictionFigures PredictionBacktest::Run(
    const std::vector<PredictionEntry>& entries, const std::vector<PredictionOutcome>& outcomes,
    const std::vector<bool>& keep,
    const std::map<std::string, std::vector<HistoricDraw>>& histories, const ProgressFn& progress) {
    std::vector<std::size_t> first; // each backtested scheme's first live entry
    std::set<std::string> seen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Prediction& p = entries[i].prediction;
        if (keep[i] && !p.edited && !outcomes[i].late && seen.insert(p.schemeId).second &&
            histories.contains(p.lottery)) {
            first.push_back(i);
        }
    }
    PredictionFigures total;
    for (std::size_t done = 0; done < first.size(); ++done) {
        const PredictionEntry& entry = entries[first[done]];
        const Prediction& p = entry.prediction;
        const int level = p.toleranceLevel > 0 ? p.toleranceLevel : 1;
        total.Add(Scheme(entry.scheme, level, Before(histories.at(p.lottery), p.issue)));
        if (progress && !progress(done + 1, first.size())) {
            break;
        }
    }
    return total;
}

PredictionFigures PredictionBacktest::Scheme(const std::string& schemeText, int level,
                                             const std::vector<HistoricDraw>& draws) {
    PredictionFigures figures;
    const SchemeReadResult scheme = PredictionScheme::Read(schemeText);
    if (!scheme.ok() || draws.empty()) {
        return figures;
    }
    if (scheme.settings.rules.empty()) {
        const BacktestResult result = RunBacktest(scheme.settings, level, draws, kMaxDraws);
        if (result.completed()) {
            for (const BacktestDraw& d : result.draws) {
                figures.Add(d.survivesKill, d.count);
            }
        }
        return figures;
    }
    const std::optional<RuleSet> rules = RuleSet::Compile(scheme.settings.rules, nullptr);
    if (!rules) {
        return figures;
    }
    const RuleBacktestResult result =
        RunRuleBacktest(scheme.settings, level, *rules, draws, kMaxDraws);
    for (const RuleBacktestDraw& d : result.draws) {
        if (d.message.empty()) {
            figures.Add(d.draw.survivesKill, d.draw.count);
        }
    }
    return figures;
}

std::vector<HistoricDraw> PredictionBacktest::Before(const std::vector<HistoricDraw>& draws,
                                                     const std::string& issue) {
    const std::optional<long long> target = PredictionCheck::IssueKey(issue);
    std::vector<HistoricDraw> before;
    if (!target) {
        return before;
    }
    for (const HistoricDraw& draw : draws) {
        const std::optional<long long> key = PredictionCheck::IssueKey(draw.issue);
        if (key && *key < *target) {
            before.push_back(draw);
        }
    }
    return before;
}

} // namespace tarvex
