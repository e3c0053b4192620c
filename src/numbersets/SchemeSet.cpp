#include "numbersets/SchemeSet.h"

#include "engine/CompiledConditions.h"
#include "engine/KillRun.h"
#include "engine/KillToleranceSets.h"
#include "engine/TextScan.h"

namespace tarvex {

// Without 容错 the kill run alone is made: the tolerance run's reasons for every number
// would cost more than the run itself.
SchemeSet SchemeNumbers(const Settings& scheme, bool tolerance) {
    if (!tolerance) {
        SchemeSet result{KillRunMessage(scheme), {}};
        if (result.completed()) {
            for (const int n : KillSurvivors(CompiledConditions(scheme), nullptr)) {
                result.numbers.set(static_cast<std::size_t>(n));
            }
        }
        return result;
    }
    const KillToleranceSets sets = RunKillAndTolerance(scheme, {});
    if (!sets.completed()) {
        return {sets.message, {}};
    }
    return {{}, tolerance ? sets.tolerated : sets.survivors};
}

NumberSet BaseTextNumbers(std::string_view text) {
    return DigitWindows(text);
}

} // namespace tarvex
