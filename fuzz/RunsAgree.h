#pragma once

#include "engine/KillRun.h"
#include "engine/ToleranceRun.h"

#include <string>

namespace tarvex {

// Empty when the two outcomes agree on every output, otherwise what differs.
std::string KillDifference(const KillOutcome& engine, const KillOutcome& model);
std::string ToleranceDifference(const ToleranceOutcome& engine, const ToleranceOutcome& model);

} // namespace tarvex
