#pragma once

#include "history/RuleBacktest.h"
#include "history/RuleJudgement.h"

#include <QByteArray>

#include <cstddef>
#include <vector>

namespace tarvex {

// The JSON objects of the rules: their figures (tarvex-cli rules --json) and the backtest
// with rules, numbers unrounded.
class CliRulesJson {
public:
    // {"draws": N, "rules": [{"target", "formula", "tested", "right", "chance",
    //  "currentMiss", "maxMiss", "next", "hitRate", "margin", "noise"}, …]}
    static QByteArray Judgements(const std::vector<RuleJudgement>& judgements, std::size_t draws);
    // {"rules": [...], "draws": [...], "conditions": [...], "summary": {...}}
    static QByteArray Backtest(const RuleBacktestResult& result, const RuleSet& rules);
};

} // namespace tarvex
