// The CPU an update spends on what the sources sent: reading, judging and planning grow
// linearly with the draws of the answer (they were quadratic: 40,000 draws took 64 s).
#include "LocalDrawServer.h"
#include "history/IssueNumber.h"
#include "io/HistoryUpdater.h"
#include "io/PlayerHistory.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace tarvex {
namespace {

QByteArray Shipped() {
    QFile file(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Adding `n` draws the file lacks to the shipped history: the plan alone.
void BM_PlanAdd(benchmark::State& state) {
    const PlayerHistoryFile file = PlayerHistory::ParseBytes(Shipped());
    std::vector<HistoricDraw> draws;
    for (int i = 0; i < state.range(0); ++i) {
        draws.push_back({IssueNumber::Make({2027 + i / 300, 1 + i % 300}, 7), i % 1000, "", ""});
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlayerHistory::Plan(file, draws));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_PlanAdd)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// A whole update from two sources on 127.0.0.1 that both send the newest `n` draws the file
// lacks, and the file written: download, reading, judging, combining, planning, writing.
void BM_UpdateRun(benchmark::State& state) {
    const QList<QByteArray> lines = Shipped().split('\n');
    const qsizetype n = state.range(0);
    const qsizetype kept = lines.size() - 1 - n;
    QByteArray held, answer;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        (i < kept ? held : answer) += lines[i] + '\n';
    }
    LocalDrawServer server;
    server.Answer(QStringLiteral("/a"), answer);
    server.Answer(QStringLiteral("/b"), answer);
    const std::vector<DrawSource> sources{
        {server.Url(QStringLiteral("/a")), SourceFormat::Text, {}, 30000, Lottery::Fc3d},
        {server.Url(QStringLiteral("/b")), SourceFormat::Text, {}, 30000, Lottery::Fc3d}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("3D开奖历史.txt"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(held);
        file.close();
        state.ResumeTiming();
        const UpdateOutcome outcome = HistoryUpdater::Run(path, sources);
        if (outcome.added.size() != static_cast<std::size_t>(n)) {
            state.SkipWithError("the update did not add every draw");
        }
    }
    state.SetComplexityN(n);
}
BENCHMARK(BM_UpdateRun)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(7000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// An answer near the 8 MB a source may send: the whole archive 36 times over (about 290,000
// lines, the same draws repeated, as a source listing them in pages might), of which the file
// lacks the newest 100.
void BM_UpdateRunNear8MB(benchmark::State& state) {
    const QByteArray shipped = Shipped();
    const QList<QByteArray> lines = shipped.split('\n');
    const qsizetype kept = lines.size() - 1 - 100;
    QByteArray held, answer;
    for (qsizetype i = 0; i < kept; ++i) {
        held += lines[i] + '\n';
    }
    while (answer.size() + shipped.size() < 8'000'000) {
        answer += shipped;
    }
    LocalDrawServer server;
    server.Answer(QStringLiteral("/a"), answer);
    server.Answer(QStringLiteral("/b"), answer);
    const std::vector<DrawSource> sources{
        {server.Url(QStringLiteral("/a")), SourceFormat::Text, {}, 30000, Lottery::Fc3d},
        {server.Url(QStringLiteral("/b")), SourceFormat::Text, {}, 30000, Lottery::Fc3d}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("3D开奖历史.txt"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(held);
        file.close();
        state.ResumeTiming();
        if (HistoryUpdater::Run(path, sources).added.size() != 100) {
            state.SkipWithError("the update did not add every draw");
        }
    }
    state.counters["lines"] = double(answer.count('\n'));
    state.counters["MB"] = double(answer.size()) / 1e6;
}
BENCHMARK(BM_UpdateRunNear8MB)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace tarvex

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the local server answers from the fetch's event loop
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
