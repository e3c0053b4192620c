// What hostile inputs cost: the figures of the third hardening round (docs/robustness.md).
#include "engine/KillRun.h"
#include "engine/RunText.h"
#include "engine/ToleranceRun.h"
#include "history/RuleBacktest.h"
#include "history/RuleJudge.h"
#include "history/RuleSet.h"
#include "io/DrawHistory.h"
#include "io/SchemeReader.h"

#include <benchmark/benchmark.h>

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tarvex {
namespace {

const std::vector<HistoricDraw>& History() {
    static const std::vector<HistoricDraw> draws =
        DrawHistory::Load(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt")).draws;
    return draws;
}

// One draw and then one line of 16 MB of full-width commas, as a history file.
void ReadSixteenMegabytesOfCommas(benchmark::State& state) {
    std::string text = "2026001 123";
    while (text.size() < 16'000'000)
        text += "，";
    const QByteArray bytes = QByteArray::fromStdString(text);
    std::size_t draws = 0;
    for (auto _ : state) {
        draws = DrawHistory::ParseBytes(bytes).draws.size();
        benchmark::DoNotOptimize(draws);
    }
    state.counters["draws"] = static_cast<double>(draws);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes.size());
}

// 1.4 million lines of one 期号 with different numbers: read, and the warnings made.
void ReadConflictFlood(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 1'400'000; ++i)
        text += "2026001 " + std::to_string(100 + i % 900) + "\n";
    const QByteArray bytes = QByteArray::fromStdString(text);
    qsizetype shown = 0;
    for (auto _ : state) {
        const DrawHistoryResult read = DrawHistory::ParseBytes(bytes);
        shown = read.ProblemMessages(20).join('\n').size();
        benchmark::DoNotOptimize(shown);
    }
    state.counters["warning_chars"] = static_cast<double>(shown);
}

// The most rules a scheme may hold, each as long as a formula may be, judged over the history.
void JudgeLongestRules(benchmark::State& state) {
    std::string formula = "和1";
    while (formula.size() + 4 <= RuleFormula::kMaxLength)
        formula += "+1*2";
    std::vector<Rule> rules(RuleSet::kMaxRules, Rule{RuleTarget::SumTail, formula});
    std::string error;
    const std::optional<RuleSet> set = RuleSet::Compile(rules, &error);
    if (!set) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    for (auto _ : state) {
        const RuleJudge judge(History(), 0);
        benchmark::DoNotOptimize(judge.Judge(*set).data());
    }
    state.counters["rules"] = static_cast<double>(set->size());
}

// A 10 MB 杀直选 page and five rules, replayed over the whole history.
void BacktestBigPageWithRules(benchmark::State& state) {
    Settings scheme;
    std::string page;
    for (int i = 0; page.size() < 10'000'000; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d,", (i * 7) % 1000);
        page += number;
    }
    scheme.pages.direct = page;
    std::string error;
    const std::optional<RuleSet> rules = RuleSet::Compile({{RuleTarget::SumTail, "和1+3"},
                                                           {RuleTarget::Span, "跨1+跨2"},
                                                           {RuleTarget::Hundreds, "百1+5"},
                                                           {RuleTarget::AllPositions, "个1*3+期"},
                                                           {RuleTarget::Dan, "尾1+尾2+1"}},
                                                          &error);
    RuleBacktestResult result;
    for (auto _ : state) {
        result = RunRuleBacktest(scheme, 2, *rules, History(), 0);
        benchmark::DoNotOptimize(result.draws.data());
    }
    state.counters["settings_run"] = static_cast<double>(result.settingsRun);
}

// The most position-size rows a scheme may hold: read from JSON, then 杀组合 and 容错 at 5.
void RunMostPositionSizeRows(benchmark::State& state) {
    QByteArray json = R"({"format": "tarvex-scheme", "version": 1, "positionSize": true,
                          "positionSizes": [)";
    for (int i = 0; i < 1000; ++i)
        json += QByteArray(i ? "," : "") + R"(["百", "大于", "十"])";
    json += "]}";
    std::size_t left = 0;
    for (auto _ : state) {
        SchemeReadResult read = SchemeReader::Read(json);
        if (!read.ok()) {
            std::fprintf(stderr, "%s\n", read.error.toUtf8().constData());
            std::exit(1);
        }
        read.settings.level = 4;
        const KillOutcome kill = RunKill(read.settings);
        ToleranceInput input{kill.killed, {}, kill.resultText};
        for (const int n : kill.survivors)
            input.list.push_back(CandidateText(n));
        left = RunTolerance(read.settings, input).list.size();
        benchmark::DoNotOptimize(left);
    }
    state.counters["left"] = static_cast<double>(left);
}

BENCHMARK(ReadSixteenMegabytesOfCommas)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(ReadConflictFlood)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(JudgeLongestRules)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BacktestBigPageWithRules)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(RunMostPositionSizeRows)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace tarvex

BENCHMARK_MAIN();
