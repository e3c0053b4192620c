#pragma once

#include "engine/KillRun.h"
#include "engine/Settings.h"
#include "engine/ToleranceRun.h"

namespace tarvex {

// The runs done the long way: real selection texts, stage lists and a plain
// substring search for every test, each condition read as plainly as it is described.
// Slow on purpose; it is what the compiled engine is held to.
KillOutcome ReferenceRunKill(const Settings& settings);
ToleranceOutcome ReferenceRunTolerance(const Settings& settings, const ToleranceInput& input);

} // namespace tarvex
