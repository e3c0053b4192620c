#include "BenchHistory.h"
#include "history/Analysis.h"
#include "history/TrendTable.h"
#include "io/DrawHistory.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace tarvex {
namespace {

// All ten analyses of 基本分析 over the whole history, what one opening of the dialog costs.
void AllAnalyses(benchmark::State& state) {
    const std::vector<HistoricDraw>& history = ShippedFc3d();
    const auto last = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunAllAnalyses(history, last));
    }
    state.counters["draws"] = static_cast<double>(last == 0 ? history.size() : last);
}

void OneAnalysis(benchmark::State& state) {
    const std::vector<HistoricDraw>& history = ShippedFc3d();
    const AnalysisKind kind = kAnalysisKinds[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(AnalysisName(kind));
    for (auto _ : state) {
        benchmark::DoNotOptimize(RunAnalysis(kind, history, 0));
    }
}

void WholeTrendTable(benchmark::State& state) {
    const std::vector<HistoricDraw>& history = ShippedFc3d();
    for (auto _ : state) {
        benchmark::DoNotOptimize(TrendTable(history, 0));
    }
    state.counters["rows"] = static_cast<double>(history.size());
}

BENCHMARK(AllAnalyses)->Arg(0)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(OneAnalysis)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);
BENCHMARK(WholeTrendTable)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvex

int main(int argc, char** argv) {
    // The item tables are built on the first call of a process; time that call on its own so
    // the dialog's first opening is reported too, not only the repeated ones.
    const std::vector<tarvex::HistoricDraw>& history = tarvex::ShippedFc3d();
    const std::clock_t cpuBegin = std::clock();
    const auto begin = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(tarvex::RunAllAnalyses(history, 0));
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - begin;
    const double cpu = 1000.0 * static_cast<double>(std::clock() - cpuBegin) / CLOCKS_PER_SEC;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f ms wall, %.2f ms CPU", wall.count(), cpu);
    benchmark::AddCustomContext("first_call_all_analyses", text);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
