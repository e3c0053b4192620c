#include "BenchHistory.h"
#include "history/FormulaSearch.h"
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

FormulaSearchOptions Options(RuleTarget target, int terms) {
    FormulaSearchOptions options;
    options.target = target;
    options.terms = terms;
    options.shuffled = false; // timed on its own below
    return options;
}

void Search(benchmark::State& state, const std::vector<RuleTarget>& targets, int terms,
            bool shuffled) {
    for (auto _ : state) {
        for (const RuleTarget target : targets) {
            FormulaSearchOptions options = Options(target, terms);
            options.shuffled = shuffled;
            const FormulaSearchResult result = FormulaSearch::Run(ShippedFc3d(), options);
            if (!result.ok()) {
                state.SkipWithError(result.error.c_str());
                return;
            }
            benchmark::DoNotOptimize(result.formulas.data());
        }
    }
    state.counters["draws"] = static_cast<double>(ShippedFc3d().size());
}

const std::vector<RuleTarget> kSumTail{RuleTarget::SumTail};
const std::vector<RuleTarget> kAllTargets(RuleTargets::kAll.begin(), RuleTargets::kAll.end());

// All three-term formulas of one target over the whole history (about 2.1 million).
void BM_ThreeTermsOneTarget(benchmark::State& state) {
    Search(state, kSumTail, 3, false);
}
BENCHMARK(BM_ThreeTermsOneTarget)->Unit(benchmark::kMillisecond);

// The same with the shuffled baseline, which runs the scan a second time.
void BM_ThreeTermsOneTargetWithBaseline(benchmark::State& state) {
    Search(state, kSumTail, 3, true);
}
BENCHMARK(BM_ThreeTermsOneTargetWithBaseline)->Unit(benchmark::kMillisecond);

void BM_ThreeTermsAllTargets(benchmark::State& state) {
    Search(state, kAllTargets, 3, false);
}
BENCHMARK(BM_ThreeTermsAllTargets)->Unit(benchmark::kMillisecond)->Iterations(1);

// One- and two-term searches of all seven targets.
void BM_OneAndTwoTermsAllTargets(benchmark::State& state) {
    for (auto _ : state) {
        for (const int terms : {1, 2}) {
            for (const RuleTarget target : kAllTargets) {
                const FormulaSearchResult result =
                    FormulaSearch::Run(ShippedFc3d(), Options(target, terms));
                benchmark::DoNotOptimize(result.formulas.data());
            }
        }
    }
}
BENCHMARK(BM_OneAndTwoTermsAllTargets)->Unit(benchmark::kMillisecond);

// A long constructed history (uniform random numbers) where the check segment's p-values,
// not the scan, take the time: 杀跨度's ten values have different chances.
void BM_LongHistorySpanOneTerm(benchmark::State& state) {
    std::vector<HistoricDraw> draws;
    std::mt19937 random(5);
    for (auto i = 0; i < state.range(0); ++i) {
        draws.push_back({std::to_string(1000001 + i), static_cast<int>(random() % 1000), {}, {}});
    }
    FormulaSearchOptions options = Options(RuleTarget::Span, 1);
    for (auto _ : state) {
        const FormulaSearchResult result = FormulaSearch::Run(draws, options);
        benchmark::DoNotOptimize(result.formulas.data());
    }
    state.counters["draws"] = static_cast<double>(draws.size());
}
BENCHMARK(BM_LongHistorySpanOneTerm)
    ->Arg(20000)
    ->Arg(80000)
    ->Arg(600000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace
} // namespace tarvex

BENCHMARK_MAIN();
