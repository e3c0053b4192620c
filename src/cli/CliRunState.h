#pragma once

#include "engine/KillRun.h"
#include "engine/ResultSplit.h"
#include "engine/ToleranceRun.h"
#include "numbersets/GroupConversion.h"

#include <optional>

namespace tarvex {

// What the replayed buttons left behind, step by step.
struct CliRunState {
    std::optional<ResultSplit> base; // the numbers a --base file holds, as 大底 reads them
    KillOutcome kill;
    std::optional<ToleranceOutcome> tolerance;
    std::optional<GroupConversion> group;
};

} // namespace tarvex
