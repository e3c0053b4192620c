#include "engine/KillToleranceSets.h"

#include "engine/BacktestTally.h"
#include "engine/CompiledConditions.h"
#include "engine/KillRun.h"
#include "engine/ToleranceRun.h"

#include <array>
#include <bit>
#include <cstdint>

namespace tarvex {

KillToleranceSets RunKillAndTolerance(const Settings& settings, const std::vector<int>& asked) {
    if (!KillRunMessage(settings).empty()) {
        KillToleranceSets stopped;
        stopped.message = KillRunMessage(settings);
        return stopped;
    }
    return RunKillAndTolerance(settings, CompiledConditions(settings), asked);
}

KillToleranceSets RunKillAndTolerance(const Settings& settings,
                                      const CompiledConditions& conditions,
                                      const std::vector<int>& asked) {
    KillToleranceSets sets;
    sets.message = KillRunMessage(settings);
    if (!sets.completed()) {
        return sets;
    }
    // Every number's reasons once: the tolerance run, the asked labels and the row counts
    // all read them.
    std::array<std::uint32_t, 1000> reasons{};
    for (int n = 0; n < 1000; ++n) {
        reasons[static_cast<std::size_t>(n)] = ToleranceReasons(conditions, n);
        BacktestTally::AddReasons(sets.rowRejects, reasons[static_cast<std::size_t>(n)]);
    }
    std::vector<int> killed;
    for (const int n : KillSurvivors(conditions, &killed)) {
        sets.survivors.set(static_cast<std::size_t>(n));
    }
    sets.tolerated = sets.survivors;
    // The tolerance run re-admits a killed number within the level unless the result box
    // already shows it. After a kill run the box shows the survivors, each "%03d" between
    // tabs and line ends, so its three-digit windows are the survivors alone, which no
    // killed number is; and the killed numbers are distinct, so none is shown twice.
    const long long tolerated = static_cast<long long>(settings.level) + 1;
    for (const int n : killed) {
        sets.killed.set(static_cast<std::size_t>(n));
        if (std::popcount(reasons[static_cast<std::size_t>(n)]) <= tolerated) {
            sets.tolerated.set(static_cast<std::size_t>(n));
        }
    }
    sets.survivorCount = static_cast<int>(sets.survivors.count());
    sets.toleranceCount = static_cast<int>(sets.tolerated.count());
    sets.labels.reserve(asked.size());
    for (const int n : asked) {
        sets.labels.push_back(n >= 0 && n <= 999
                                  ? ToleranceReasonLabels(reasons[static_cast<std::size_t>(n)])
                                  : std::vector<std::string>{});
    }
    return sets;
}

} // namespace tarvex
