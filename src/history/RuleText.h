#pragma once

#include "history/RuleBacktest.h"
#include "history/RuleJudgement.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

// The rules' figures and the backtest with rules as plain text tables (UTF-8, "\n" line
// ends), padded for a fixed-width font as the plain backtest's table is.
class RuleText {
public:
    // One row per rule: 目标 公式 期数 对 命中率 机会率 差值 最大连错 当前连错 下期 判断.
    // `draws` is the window's size, `nextIssue` the 期号 the 下期 column is for.
    static std::string Table(const std::vector<RuleJudgement>& judgements, std::size_t draws,
                             const std::string& nextIssue);
    // "与机会无异" within two standard errors of chance, else "高于机会" or "低于机会".
    static std::string Verdict(const RuleJudgement& judgement);
    // 0.9017 → "90.17%"; a margin with its sign, "+0.17%".
    static std::string Percent(const ExactRate& share, bool sign = false);

    static std::string BacktestTable(const RuleBacktestResult& result, int level);
    static std::string BacktestSummary(const RuleBacktestResult& result, int level);
    // "3 5 7": a draw's rule values, "-" for one that has none.
    static std::string Values(const std::vector<int>& values);
};

} // namespace tarvex
