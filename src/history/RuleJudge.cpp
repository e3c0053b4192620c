#include "history/RuleJudge.h"

#include "history/RuleTargets.h"

#include <algorithm>

namespace tarvex {

namespace {

const HistoricDraw* At(const std::vector<HistoricDraw>& draws, std::size_t i, std::size_t back) {
    return i >= back ? &draws[i - back] : nullptr;
}

} // namespace

RuleJudge::RuleJudge(const std::vector<HistoricDraw>& history, std::size_t last,
                     const std::string& nextIssue) {
    std::copy_if(history.begin(), history.end(), std::back_inserter(draws_),
                 [](const HistoricDraw& d) { return d.number >= 0 && d.number <= 999; });
    const std::size_t size = draws_.size();
    begin_ = last == 0 || last >= size ? 0 : size - last;
    inputs_.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        inputs_.push_back(RuleInputs::For(At(draws_, i, 1), At(draws_, i, 2),
                                          RuleInputs::IssueDigit(draws_[i].issue)));
    }
    nextIssue_ = !nextIssue.empty() ? nextIssue
                 : draws_.empty()   ? std::string()
                                    : RuleInputs::NextIssue(draws_.back().issue);
    next_ = RuleInputs::For(At(draws_, size, 1), At(draws_, size, 2),
                            RuleInputs::IssueDigit(nextIssue_));
}

RuleJudgement RuleJudge::Judge(const Rule& rule, const RuleFormula& formula) const {
    return Judge(rule, formula, 0, WindowDraws());
}

RuleJudgement RuleJudge::Judge(const Rule& rule, const RuleFormula& formula, std::size_t from,
                               std::size_t to) const {
    RuleJudgement judgement{rule};
    const std::array<NumberSet, 10>& rightSets = RuleTargets::RightSets(rule.target);
    const std::array<int, 10>& counts = RuleTargets::RightCounts(rule.target);
    const std::size_t end = begin_ + std::min(to, WindowDraws());
    const std::size_t first = std::max(begin_ + from, static_cast<std::size_t>(formula.Needs()));
    for (std::size_t i = first; i < end; ++i) {
        const auto value = static_cast<std::size_t>(formula.Evaluate(inputs_[i]));
        const long long k = counts[value];
        ++judgement.tested;
        judgement.chanceCount += k;
        judgement.chanceSpread += k * (1000 - k);
        if (rightSets[value].test(static_cast<std::size_t>(draws_[i].number))) {
            ++judgement.right;
            judgement.currentMiss = 0;
        } else {
            judgement.maxMiss = std::max(judgement.maxMiss, ++judgement.currentMiss);
        }
    }
    if (next_.draws >= formula.Needs()) {
        judgement.next = formula.Evaluate(next_);
    }
    return judgement;
}

std::vector<RuleJudgement> RuleJudge::Judge(const RuleSet& rules) const {
    std::vector<RuleJudgement> judgements;
    judgements.reserve(rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        judgements.push_back(Judge(rules.Rules()[i], rules.Formulas()[i]));
    }
    return judgements;
}

} // namespace tarvex
