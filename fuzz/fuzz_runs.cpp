// A kill run and a tolerance run on settings decoded from the fuzzer's bytes: the compiled
// engine and the literal reference model must agree on every output.
#include "FuzzSettings.h"
#include "ReferenceRandomSettings.h"
#include "ReferenceRun.h"
#include "RunsAgree.h"

#include "engine/KillRun.h"
#include "engine/ToleranceRun.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char* run, const std::string& what, const tarvex::Settings& s) {
    std::fprintf(stderr, "%s run: engine and reference model differ in %s\n%s\n", run, what.c_str(),
                 tarvex::ReferenceDescribeSettings(s).c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider bytes(data, size);
    const tarvex::Settings settings = tarvex::FuzzSettings(bytes);
    const tarvex::KillOutcome kill = tarvex::RunKill(settings);
    const std::string killDiff = tarvex::KillDifference(kill, tarvex::ReferenceRunKill(settings));
    if (!killDiff.empty()) {
        Fail("kill", killDiff, settings);
    }
    const tarvex::ToleranceInput input = tarvex::FuzzToleranceInput(bytes, kill);
    const std::string toleranceDiff = tarvex::ToleranceDifference(
        tarvex::RunTolerance(settings, input), tarvex::ReferenceRunTolerance(settings, input));
    if (!toleranceDiff.empty()) {
        Fail("tolerance", toleranceDiff, settings);
    }
    return 0;
}
