#include "history/RuleBacktest.h"

#include "engine/BacktestTally.h"
#include "engine/CompiledConditions.h"
#include "engine/KillToleranceSets.h"
#include "history/RuleApply.h"
#include "history/RuleInputs.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <unordered_map>

namespace tarvex {

namespace {

// What the rules' values add to the boxes, as one number: the digit masks of 杀和尾,
// 杀跨度, 选胆 and the three 定位杀 edits. Values that set the same boxes (in any order,
// 3 then 5 or 5 then 3) give the same settings, so they share a run.
std::uint64_t EffectKey(const std::vector<Rule>& rules, const std::vector<int>& values) {
    std::uint64_t key = 0;
    const auto set = [&](int field, int v) { key |= std::uint64_t{1} << (field * 10 + v); };
    for (std::size_t i = 0; i < rules.size(); ++i) {
        const int v = values[i];
        switch (rules[i].target) {
        case RuleTarget::SumTail:
            set(0, v);
            break;
        case RuleTarget::Span:
            set(1, v);
            break;
        case RuleTarget::Dan:
            set(2, v);
            break;
        case RuleTarget::Hundreds:
            set(3, v);
            break;
        case RuleTarget::Tens:
            set(4, v);
            break;
        case RuleTarget::Units:
            set(5, v);
            break;
        case RuleTarget::AllPositions:
            set(3, v);
            set(4, v);
            set(5, v);
            break;
        }
    }
    return key;
}

struct Group {
    std::vector<std::size_t> members; // indexes into the result's draws
    std::vector<HistoricDraw> draws;
};

// The kill run and the tolerance run for all the draws that come to these settings.
// `rejects` gets, for each of the group's draws, what chance alone rejects under its settings.
// `fixed` is the scheme compiled once: the rules change only the main window's boxes, so
// only those are compiled for each group.
void RunGroup(const Settings& settings, const CompiledConditions& fixed, const Group& group,
              RuleBacktestResult& result, std::vector<RowRejects>& rejects) {
    std::vector<int> winners;
    for (const HistoricDraw& d : group.draws) {
        winners.push_back(d.number);
    }
    const KillToleranceSets sets =
        RunKillAndTolerance(settings, fixed.WithMainWindow(settings), winners);
    for (std::size_t m = 0; m < group.members.size(); ++m) {
        const HistoricDraw& winner = group.draws[m];
        RuleBacktestDraw& d = result.draws[group.members[m]];
        if (!sets.completed()) {
            d.draw = {winner.issue, winner.number, false, false, {}, 0};
            d.message = sets.message;
            continue;
        }
        const auto at = static_cast<std::size_t>(winner.number);
        d.draw = {
            winner.issue,   winner.number,     sets.survivors.test(at), sets.tolerated.test(at),
            sets.labels[m], sets.survivorCount};
        d.toleranceCount = sets.toleranceCount;
        rejects[group.members[m]] = sets.rowRejects;
    }
}

// A stopped draw played nothing, so chance gives it nothing either (its rejects stay 0).
// `tick` hears of every 4,096 draws tallied and may cancel.
bool Tally(RuleBacktestResult& result, const std::vector<RowRejects>& rejects,
           const std::function<bool(std::size_t)>& tick) {
    BacktestTally tally(result.draws.size());
    for (std::size_t i = 0; i < result.draws.size(); ++i) {
        if (i % 4096 == 0 && !tick(i)) {
            return false;
        }
        const RuleBacktestDraw& d = result.draws[i];
        result.wonAfterKill += d.draw.survivesKill ? 1 : 0;
        result.wonAfterTolerance += d.draw.survivesTolerance ? 1 : 0;
        result.stopped += d.message.empty() ? 0 : 1;
        result.countPlayed += d.draw.count;
        result.toleranceCountPlayed += d.toleranceCount;
        tally.Add(d.draw, d.toleranceCount, rejects[i]);
    }
    result.spans = tally.Spans();
    result.conditions = result.spans.back().conditions;
    return true;
}

} // namespace

RuleBacktestResult RunRuleBacktest(const Settings& fixed, int level, const RuleSet& rules,
                                   const std::vector<HistoricDraw>& history, std::size_t last,
                                   const ProgressFn& progress) {
    std::vector<HistoricDraw> draws;
    std::copy_if(history.begin(), history.end(), std::back_inserter(draws),
                 [](const HistoricDraw& d) { return d.number >= 0 && d.number <= 999; });
    const std::size_t begin = last == 0 || last >= draws.size() ? 0 : draws.size() - last;
    const std::size_t first = std::max(begin, static_cast<std::size_t>(rules.Needs()));

    Settings scheme = fixed;
    scheme.level = std::clamp(level, 1, 17) - 1;
    RuleBacktestResult result;
    std::unordered_map<std::uint64_t, Group> groups;
    std::vector<std::uint64_t> order; // first appearance, so the runs go oldest first
    for (std::size_t i = first; i < draws.size(); ++i) {
        const RuleInputs inputs =
            RuleInputs::For(i >= 1 ? &draws[i - 1] : nullptr, i >= 2 ? &draws[i - 2] : nullptr,
                            RuleInputs::IssueDigit(draws[i].issue));
        RuleBacktestDraw entry;
        entry.values = rules.Values(inputs);
        const std::uint64_t key = EffectKey(rules.Rules(), entry.values);
        auto [at, fresh] = groups.try_emplace(key);
        if (fresh) {
            order.push_back(key);
        }
        at->second.members.push_back(result.draws.size());
        at->second.draws.push_back(draws[i]);
        result.draws.push_back(std::move(entry));
    }
    std::vector<RowRejects> rejects(result.draws.size(), RowRejects{});
    // Progress counts draws, each twice: once when its group runs, once when it is tallied,
    // so the bar follows the work to its end and a cancel is heard until then.
    const std::size_t total = 2 * result.draws.size() + 1;
    const auto tell = [&](std::size_t done) { return !progress || progress(done, total); };
    const CompiledConditions compiled(scheme);
    std::size_t run = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (!tell(run)) {
            result.cancelled = true;
            return result;
        }
        const Group& group = groups[order[k]];
        run += group.members.size();
        RunGroup(ApplyRuleValues(scheme, rules.Rules(), result.draws[group.members.front()].values),
                 compiled, group, result, rejects);
    }
    result.settingsRun = order.size();
    const std::size_t tallied = result.draws.size();
    result.cancelled =
        !Tally(result, rejects, [&](std::size_t i) { return tell(tallied + i); }) || !tell(total);
    return result;
}

} // namespace tarvex
