#include "BenchHistory.h"
#include "history/SetRecord.h"
#include "io/DrawHistory.h"
#include "io/SchemeFile.h"
#include "io/SetMember.h"
#include "numbersets/SetCombination.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace tarvex {
namespace {

constexpr int kSchemes = 100;
constexpr std::size_t kTextBytes = 64 * 1024;

std::string Number(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

// Random pieces, separated, until the text holds kTextBytes.
template <typename Piece> std::string Text(Piece piece, const char* separator) {
    std::string text;
    while (text.size() < kTextBytes) {
        text += piece();
        text += separator;
    }
    return text;
}

// Every condition on, each scheme its own: 64 KB in each page text and the base set, 50
// match rows, 30 formulas, a tolerance level.
Settings HeavyScheme(std::mt19937& random) {
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> number(0, 999);
    const auto d = [&] { return std::string(1, static_cast<char>('0' + digit(random))); };
    Settings s;
    s.pages.direct = Text([&] { return Number(number(random)); }, ",");
    s.pages.kill2 = Text([&] { return d() + d(); }, ",");
    s.pages.positionalKill2 = Text([&] { return d() + "*" + d(); }, ",");
    s.pages.mustHave2 = Text([&] { return d() + d(); }, ",");
    s.pages.junk = Text([&] { return d() + d() + "*" + d() + d() + d() + "*" + d() + d(); }, " ");
    s.pages.intersection = Text([&] { return Number(number(random)); }, " ");
    s.baseSet = true;
    s.result = Text([&] { return Number(number(random)); }, "\t");
    s.matchFilter = true;
    for (int i = 0; i < 50; ++i) {
        s.matches.push_back({Number(number(random)) + d(), "0123"});
    }
    s.pages.formulaMatch = true;
    for (int i = 0; i < 30; ++i) {
        s.pages.formulas.push_back({"个", "乘", std::to_string(1 + i % 9), "小于", "99"});
    }
    s.positionSize = true;
    s.positionSizes = {{"百", "不等于", "个"}};
    s.sumTail[static_cast<std::size_t>(digit(random))] = true;
    s.span[static_cast<std::size_t>(digit(random))] = true;
    s.killSums = true;
    s.sums = "1 2 26";
    s.level = digit(random);
    return s;
}

// The hundred scheme files, written once.
const QStringList& SchemeFiles() {
    static QTemporaryDir dir;
    static const QStringList files = [] {
        std::mt19937 random(25);
        QStringList paths;
        for (int i = 0; i < kSchemes; ++i) {
            const QString path = QDir(dir.path()).filePath(QStringLiteral("%1.json").arg(i));
            if (!SchemeFile::Save(path, HeavyScheme(random)).isEmpty()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                std::exit(1);
            }
            paths << path;
        }
        return paths;
    }();
    return files;
}

// Reading the hundred schemes, their kill runs (and 容错) and the combination: what the window
// and `tarvex-cli sets` do once the player asks.
void BM_CombineHundredHeavySchemes(benchmark::State& state) {
    const bool tolerance = state.range(0) != 0;
    const QStringList& files = SchemeFiles();
    for (auto _ : state) {
        std::vector<NumberSet> sets;
        for (const QString& path : files) {
            const SetMember member = SetMemberReader::Load(path, tolerance);
            if (!member.ok()) {
                state.SkipWithError(member.error.toStdString().c_str());
                return;
            }
            sets.push_back(member.numbers);
        }
        benchmark::DoNotOptimize(CombineSets(sets, SetOperation::AtLeast, kSchemes / 2));
    }
}
BENCHMARK(BM_CombineHundredHeavySchemes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RecordSetWholeHistory(benchmark::State& state) {
    std::mt19937 random(7);
    NumberSet set;
    for (std::size_t n = 0; n < 1000; ++n) {
        set.set(n, random() % 3 == 0);
    }
    const std::vector<HistoricDraw>& history = ShippedFc3d();
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecordSet(set, history, 0));
    }
    state.counters["draws"] = static_cast<double>(history.size());
}
BENCHMARK(BM_RecordSetWholeHistory)->Unit(benchmark::kMillisecond);

// A scheme with rules holds each draw's own set: one kill run per distinct setting.
void BM_RecordSchemeWithRulesWholeHistory(benchmark::State& state) {
    Settings scheme;
    scheme.rules = {{RuleTarget::SumTail, "和1+3"}, {RuleTarget::Hundreds, "百2"}};
    const std::vector<HistoricDraw>& history = ShippedFc3d();
    for (auto _ : state) {
        benchmark::DoNotOptimize(RecordScheme(scheme, false, history, 0));
    }
}
BENCHMARK(BM_RecordSchemeWithRulesWholeHistory)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvex

BENCHMARK_MAIN();
