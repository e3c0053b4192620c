#include "BenchHistory.h"
#include "history/RuleBacktest.h"
#include "history/RuleJudge.h"
#include "history/RuleSet.h"
#include "history/RuleTargets.h"
#include "io/DrawHistory.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace tarvex {
namespace {

RuleSet Compiled(const std::vector<Rule>& rules) {
    std::string error;
    std::optional<RuleSet> set = RuleSet::Compile(rules, &error);
    if (!set) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    return *set;
}

// Formulas of the kind players write, "和1+3" to "(百1+个2)*3-期*7", over every target.
std::string RandomFormula(std::mt19937& random, int depth) {
    static const char* kVariables[] = {"百1", "十1", "个1", "和1", "跨1", "尾1", "百2",
                                       "十2", "个2", "和2", "跨2", "尾2", "期"};
    static const char* kOperators[] = {"+", "-", "*"};
    std::uniform_int_distribution<int> pick(0, 99);
    if (depth == 0 || pick(random) < 40) {
        return pick(random) < 60 ? kVariables[pick(random) % 13] : std::to_string(pick(random));
    }
    std::string left = RandomFormula(random, depth - 1);
    std::string right = RandomFormula(random, depth - 1);
    std::string formula = left + kOperators[pick(random) % 3] + right;
    return pick(random) < 30 ? "(" + formula + ")" : formula;
}

// As ten sets of 100, the most one set may hold.
const std::vector<RuleSet>& ThousandRules() {
    static const std::vector<RuleSet> sets = [] {
        std::mt19937 random(14);
        std::vector<RuleSet> compiled;
        std::vector<Rule> list;
        for (int i = 0; i < 1000; ++i) {
            list.push_back({RuleTargets::kAll[static_cast<std::size_t>(i) % kRuleTargetCount],
                            RandomFormula(random, 3)});
            if (list.size() == RuleSet::kMaxRules) {
                compiled.push_back(Compiled(list));
                list.clear();
            }
        }
        return compiled;
    }();
    return sets;
}

// Judging includes building the judge, which works out every draw's variables once.
void JudgeThousandRules(benchmark::State& state) {
    const std::vector<HistoricDraw>& history = ShippedFc3d();
    const std::vector<RuleSet>& sets = ThousandRules();
    long long right = 0;
    for (auto _ : state) {
        const RuleJudge judge(history, 0);
        for (const RuleSet& rules : sets) {
            const std::vector<RuleJudgement> judgements = judge.Judge(rules);
            right = judgements.front().right;
            benchmark::DoNotOptimize(judgements.data());
        }
    }
    state.counters["draws"] = static_cast<double>(history.size());
    state.counters["rules"] = static_cast<double>(sets.size() * RuleSet::kMaxRules);
    state.counters["right_of_first"] = static_cast<double>(right);
}

// A scheme a player might keep (豹子 killed, sum 5 to 22, two codes killed, 012 route
// 000 killed) with five rules, one per kind of box, at tolerance level 2.
void BacktestSchemeWithRules(benchmark::State& state) {
    Settings scheme;
    scheme.shape[0] = true;
    scheme.sumLow = 5;
    scheme.sumHigh = 22;
    scheme.pages.kill2 = "58,85,09";
    scheme.route[0] = true;
    const RuleSet rules = Compiled({{RuleTarget::SumTail, "和1+3"},
                                    {RuleTarget::Span, "跨1+跨2"},
                                    {RuleTarget::Hundreds, "百1+5"},
                                    {RuleTarget::AllPositions, "个1*3+期"},
                                    {RuleTarget::Dan, "尾1+尾2+1"}});
    RuleBacktestResult result;
    for (auto _ : state) {
        result = RunRuleBacktest(scheme, 2, rules, ShippedFc3d(), 0);
        benchmark::DoNotOptimize(result.draws.data());
    }
    state.counters["draws"] = static_cast<double>(result.draws.size());
    state.counters["settings_run"] = static_cast<double>(result.settingsRun);
    state.counters["won_kill"] = result.wonAfterKill;
    state.counters["won_tolerance"] = result.wonAfterTolerance;
}

BENCHMARK(JudgeThousandRules)->Unit(benchmark::kMillisecond);
BENCHMARK(BacktestSchemeWithRules)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvex

BENCHMARK_MAIN();
