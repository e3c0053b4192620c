#include "BenchHistory.h"
#include "history/PredictionCheck.h"
#include "history/PredictionFigures.h"
#include "io/DrawHistory.h"
#include "io/PredictionBacktest.h"
#include "io/PredictionLine.h"
#include "io/PredictionRecord.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace tarvex {
namespace {

// Twenty schemes a player might alternate between: a few sum, span and 胆 conditions each.
Settings SchemeNumber(int k) {
    Settings s;
    s.sumLow = k % 4;
    s.sumHigh = 27 - k % 5;
    s.span[static_cast<std::size_t>(k % 10)] = true;
    s.dan[static_cast<std::size_t>(k % 7)] = k % 2 == 0;
    return s;
}

// A record of `entries` entries for draws spread over the whole history, written the evening
// before each draw: 50 to 400 survivors (`larger`: 250 to 600, about 2 KB a line), every
// third with a tolerance list.
QByteArray Record(int entries, bool larger = false) {
    const std::vector<HistoricDraw>& history = ShippedFc3d();
    std::mt19937 random(2026);
    const QTimeZone beijing(8 * 3600);
    QByteArray record;
    for (int i = 0; i < entries; ++i) {
        const HistoricDraw& target = history[random() % history.size()];
        const QDateTime written(
            QDate::fromString(QString::fromStdString(target.date), Qt::ISODate).addDays(-1),
            QTime(20, 0), beijing);
        std::vector<int> survivors;
        const unsigned count = (larger ? 250 : 50) + random() % 351;
        for (unsigned n = 0; n < count; ++n) {
            survivors.push_back(static_cast<int>(random() % 1000));
        }
        PredictionEntry entry = PredictionRecord::Make(written, "3D", target.issue, "",
                                                       SchemeNumber(i % 20), survivors);
        if (i % 3 == 0) {
            std::vector<std::string> list;
            for (unsigned n = 0; n < count + 100; ++n) {
                char text[4];
                std::snprintf(text, sizeof text, "%03u", static_cast<unsigned>(random() % 1000));
                list.emplace_back(text);
            }
            PredictionRecord::AddTolerance(entry, 3, list);
        }
        record += PredictionLine::Write(entry);
    }
    return record;
}

// Opening the record file, reading every entry with its checksum, checking each against the
// whole history and adding up the figures: what opening 预测记录 and `record` cost before the
// backtest.
void OpenAndCheck(benchmark::State& state) {
    const auto entries = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath(PredictionRecord::FileName());
    const QByteArray bytes = Record(entries, state.range(1) != 0);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            state.SkipWithError("cannot write the record");
            return;
        }
    }
    const std::map<std::string, std::vector<HistoricDraw>> histories = {{"3D", ShippedFc3d()}};
    for (auto _ : state) {
        const PredictionRecordRead read = PredictionRecord::Load(path);
        const PredictionRefs predictions = read.Predictions();
        const PredictionCheck check(histories);
        const PredictionSummary summary = Summarize(predictions, check.CheckAll(predictions));
        benchmark::DoNotOptimize(summary);
        if (read.entries.size() != static_cast<std::size_t>(entries)) {
            state.SkipWithError("entries lost");
        }
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

// The backtests beside the figures: each of the twenty schemes over the draws before its
// first entry.
void Backtests(benchmark::State& state) {
    const PredictionRecordRead read = PredictionRecord::Parse(Record(1000));
    const std::vector<bool> keep(read.entries.size(), true);
    const std::vector<PredictionOutcome> live(read.entries.size());
    const std::map<std::string, std::vector<HistoricDraw>> histories = {{"3D", ShippedFc3d()}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(PredictionBacktest::Run(read.entries, live, keep, histories));
    }
}

BENCHMARK(OpenAndCheck)
    ->Args({1000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Backtests)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvex

BENCHMARK_MAIN();
