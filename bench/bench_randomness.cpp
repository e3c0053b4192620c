#include "BenchHistory.h"
#include "history/RandomnessAudit.h"

#include <benchmark/benchmark.h>

namespace tarvex {
namespace {

// Every test of 随机性检验 over the shipped 3D history, or its newest N draws: what one run of
// the window or of tarvex-cli audit costs once the history is read.
void AllRandomnessTests(benchmark::State& state) {
    const std::vector<HistoricDraw>& history = ShippedFc3d();
    const auto last = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(RandomnessAudit::Of(history, last));
    }
    state.counters["draws"] = static_cast<double>(last == 0 ? history.size() : last);
}

BENCHMARK(AllRandomnessTests)->Arg(0)->Arg(1000)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvex

BENCHMARK_MAIN();
