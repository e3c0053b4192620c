#pragma once

#include "engine/KillRun.h"
#include "engine/Settings.h"
#include "engine/ToleranceRun.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace tarvex {

// Settings decoded from the fuzzer's bytes: every field the runs read, texts drawn from
// the pieces the conditions look for mixed with raw bytes, so that mutations reach both
// the meaningful and the hostile readings.
Settings FuzzSettings(FuzzedDataProvider& bytes);

// What the window would hold before a 容错 press after this kill run, with the
// disturbances a user can add (extra killed numbers from an earlier run, typed text).
ToleranceInput FuzzToleranceInput(FuzzedDataProvider& bytes, const KillOutcome& kill);

} // namespace tarvex
