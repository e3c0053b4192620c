#include "ReferenceRun.h"

#include "engine/KillRun.h"
#include "engine/ToleranceRun.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

// Counting allocator: the heavy case reports the most memory the engine held at once.
namespace {
std::atomic<long long> gLive{0};
std::atomic<long long> gPeak{0};

void Track(void* p) {
    if (p == nullptr) {
        return;
    }
    const long long live = gLive += static_cast<long long>(malloc_usable_size(p));
    long long peak = gPeak.load();
    while (live > peak && !gPeak.compare_exchange_weak(peak, live)) {
    }
}
} // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    Track(p);
    return p;
}
// The replaced operator new allocates with malloc, so free is the matching release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    if (p != nullptr) {
        gLive -= static_cast<long long>(malloc_usable_size(p));
    }
    std::free(p);
}
#pragma GCC diagnostic pop
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace tarvex {
namespace {

constexpr std::size_t kMiB = 1 << 20;

std::string Number(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

// Repeats the pieces, separated, until the text holds about one MiB.
template <typename Piece> std::string MiB(Piece piece, const char* separator) {
    std::string text;
    text.reserve(kMiB + 64);
    for (int i = 0; text.size() < kMiB; ++i) {
        text += piece(i);
        text += separator;
    }
    return text;
}

Settings HeavySettings() {
    Settings s;
    s.pages.direct = MiB([](int i) { return Number(900 + i % 100); }, ",");
    s.pages.kill2 = MiB([](int i) { return i % 2 ? "98" : "89"; }, ",");
    s.pages.positionalKill2 = MiB([](int i) { return i % 2 ? "9*7" : "77*"; }, ",");
    s.pages.mustHave2 = MiB([](int i) { return Number(i % 89).substr(1); }, ",");
    s.pages.junk = MiB(
        [](int i) {
            static const char* kCompounds[] = {"012789*0123789*0178", "8*9*01234", "7+7+7",
                                               "1-23-456"};
            return std::string(kCompounds[i % 4]);
        },
        " ");
    s.pages.intersection = MiB([](int i) { return Number(i % 900); }, " ");
    s.baseSet = true;
    s.result = MiB([](int i) { return Number(i % 1000); }, "\t");
    s.matchFilter = true;
    for (int i = 0; i < 200; ++i) {
        s.matches.push_back(i == 0 ? MatchRow{"6", "01"} : MatchRow{std::to_string(i), "0123"});
    }
    s.pages.formulaMatch = true;
    s.pages.formulas.push_back({"百", "加", "十", "小于", "17"});
    for (int i = 1; i < 100; ++i) {
        s.pages.formulas.push_back({"个", "乘", std::to_string(1 + i % 9), "小于", "99"});
    }
    s.positionSize = true;
    s.positionSizes = {{"百", "不等于", "个"}};
    s.dan = {true, true, true, true, true, true, true, true, false, false};
    s.sumTail[3] = true;
    s.span[9] = true;
    s.excludeCompound = true;
    s.exclude = {"5", "5", "5"};
    s.positionalKill = true;
    s.positionalKillDigits = {"", "", "8"};
    s.killSums = true;
    s.sums = "1 2 26";
    s.shape[0] = true;
    s.route[26] = true;
    s.level = 16;
    return s;
}

ToleranceInput InputAfter(const KillOutcome& kill) {
    ToleranceInput input{kill.killed, {}, kill.resultText};
    for (const int n : kill.survivors) {
        input.list.push_back(Number(n));
    }
    return input;
}

template <bool kEngine> void KillThenTolerance(benchmark::State& state, const Settings& settings) {
    KillOutcome kill;
    ToleranceOutcome tolerance;
    const long long before = gLive.load();
    gPeak = before;
    for (auto _ : state) {
        kill = kEngine ? RunKill(settings) : ReferenceRunKill(settings);
        const ToleranceInput input = InputAfter(kill);
        tolerance =
            kEngine ? RunTolerance(settings, input) : ReferenceRunTolerance(settings, input);
        benchmark::DoNotOptimize(tolerance.reportText.data());
    }
    state.counters["survivors"] = static_cast<double>(kill.survivors.size());
    state.counters["killed"] = static_cast<double>(kill.killed.size());
    state.counters["readmitted"] = static_cast<double>(tolerance.readmitted.size());
    state.counters["peak_extra_MiB"] = static_cast<double>(gPeak.load() - before) / kMiB;
}

const Settings& Startup() {
    static const Settings settings = [] {
        Settings s;
        s.level = 16;
        return s;
    }();
    return settings;
}

const Settings& Heavy() {
    static const Settings settings = HeavySettings();
    return settings;
}

void StartupEngine(benchmark::State& state) {
    KillThenTolerance<true>(state, Startup());
}
void StartupReference(benchmark::State& state) {
    KillThenTolerance<false>(state, Startup());
}
void HeavyEngine(benchmark::State& state) {
    KillThenTolerance<true>(state, Heavy());
}
void HeavyReference(benchmark::State& state) {
    KillThenTolerance<false>(state, Heavy());
}

// What the live count beside 杀组合 costs once the player stops typing.
void HeavyPreview(benchmark::State& state) {
    int count = 0;
    for (auto _ : state) {
        count = PreviewKill(Heavy()).count;
        benchmark::DoNotOptimize(count);
    }
    state.counters["survivors"] = count;
}

BENCHMARK(StartupEngine)->Unit(benchmark::kMicrosecond);
BENCHMARK(HeavyPreview)->Unit(benchmark::kMillisecond);
BENCHMARK(StartupReference)->Unit(benchmark::kMicrosecond);
BENCHMARK(HeavyEngine)->Unit(benchmark::kMillisecond);
BENCHMARK(HeavyReference)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace tarvex

BENCHMARK_MAIN();
