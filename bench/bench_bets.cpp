#include "history/BetFigures.h"
#include "history/BetPlan.h"
#include "history/TicketBuilder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace tarvex {
namespace {

// A set of `size` numbers drawn at random (seeded), as a kill run might leave.
NumberSet RandomSet(int size, unsigned seed) {
    std::vector<int> all(1000);
    for (int n = 0; n < 1000; ++n) {
        all[static_cast<std::size_t>(n)] = n;
    }
    std::mt19937 random(seed);
    std::shuffle(all.begin(), all.end(), random);
    NumberSet set;
    for (int i = 0; i < size; ++i) {
        set.set(static_cast<std::size_t>(all[static_cast<std::size_t>(i)]));
    }
    return set;
}

// What 投注 does on every change: the bets of the way of playing, their figures and tickets.
// Each iteration takes another of 16 sets of the size, so no one lucky set is timed.
void BM_BetTicketsAndFigures(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const auto way = static_cast<PlayWay>(state.range(1));
    std::vector<NumberSet> sets;
    for (unsigned seed = 1; seed <= 16; ++seed) {
        sets.push_back(RandomSet(size, seed));
    }
    std::size_t next = 0, tickets = 0;
    for (auto _ : state) {
        const BetPlan plan = BetPlan::Of(sets[next++ % sets.size()], way);
        const BetFigures figures = BetFigures::Of(plan, PrizeTable{}, 1);
        const std::vector<Ticket> written = TicketBuilder::Build(plan);
        tickets += written.size();
        benchmark::DoNotOptimize(figures);
    }
    state.counters["tickets"] =
        benchmark::Counter(static_cast<double>(tickets), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BetTicketsAndFigures)
    ->ArgsProduct({{10, 100, 300, 500, 700, 900, 970, 1000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tarvex

BENCHMARK_MAIN();
