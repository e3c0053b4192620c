#pragma once

#include "engine/KillRun.h"
#include "engine/ToleranceRun.h"
#include "numbersets/GroupConversion.h"

#include <optional>

namespace tarvex {

// What the replayed buttons left behind, step by step.
struct CliRunState {
    KillOutcome kill;
    std::optional<ToleranceOutcome> tolerance;
    std::optional<GroupConversion> group;
};

} // namespace tarvex
