#include "engine/CompiledConditions.h"
#include "engine/KillRun.h"
#include "engine/KillToleranceSets.h"
#include "engine/RunText.h"
#include "engine/ToleranceRun.h"

#include "ReferenceRandomSettings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tarvex {
namespace {

// The main window's boxes and edits of `from` on the rest of `onto`: what a rule's value
// (and more) can change between two draws of a backtest.
Settings WithMainWindowOf(Settings onto, const Settings& from) {
    onto.sumTail = from.sumTail;
    onto.sumLow = from.sumLow;
    onto.sumHigh = from.sumHigh;
    onto.span = from.span;
    onto.dan = from.dan;
    onto.danCount = from.danCount;
    onto.excludeCompound = from.excludeCompound;
    onto.exclude = from.exclude;
    onto.positionalKill = from.positionalKill;
    onto.positionalKillDigits = from.positionalKillDigits;
    onto.killSums = from.killSums;
    onto.sums = from.sums;
    return onto;
}

// Compiling the pages once and the main window per setting gives exactly what compiling
// every setting afresh gives, on the differential test's random settings (page texts with
// every kind of noise, lists, base sets, compound inputs, validation messages).
TEST(MainWindowRecompile, AgreesWithAFreshCompilation) {
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        const Settings scheme = ReferenceRandomSettings(seed);
        const CompiledConditions fixed(scheme);
        for (const std::uint64_t other : {seed + 5000, seed + 9000}) {
            const Settings settings = WithMainWindowOf(scheme, ReferenceRandomSettings(other));
            const std::vector<int> asked{0, 123, 999, static_cast<int>(other % 1000)};
            const KillToleranceSets fresh = RunKillAndTolerance(settings, asked);
            const KillToleranceSets reused =
                RunKillAndTolerance(settings, fixed.WithMainWindow(settings), asked);
            ASSERT_EQ(reused.message, fresh.message);
            EXPECT_EQ(reused.survivors, fresh.survivors);
            EXPECT_EQ(reused.killed, fresh.killed);
            EXPECT_EQ(reused.tolerated, fresh.tolerated);
            EXPECT_EQ(reused.labels, fresh.labels);
            EXPECT_EQ(reused.rowRejects, fresh.rowRejects);
        }
    }
}

// 容错's hover preview counts, level by level, what 容错 re-admits at that level, also when
// the boxes changed after 杀组合 and the player typed killed numbers into the result box.
TEST(TolerancePreview, CountsWhatTheToleranceRunDoes) {
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        const KillOutcome kill = RunKill(ReferenceRandomSettings(seed));
        if (!kill.completed() || kill.killed.empty()) {
            continue;
        }
        ToleranceInput input{kill.killed, {}, kill.resultText};
        for (const int n : kill.survivors) {
            input.list.push_back(CandidateText(n));
        }
        // Two killed numbers typed into the box by hand.
        input.resultText += CandidateText(kill.killed.front()) + "\t" +
                            CandidateText(kill.killed[kill.killed.size() / 2]) + "\t";
        Settings now = ReferenceRandomSettings(seed + 7000);
        const std::array<int, 17> preview = TolerancePreviewFor(now, input);
        for (int level = 0; level < 17; level += 4) {
            now.level = level;
            EXPECT_EQ(preview[static_cast<std::size_t>(level)],
                      static_cast<int>(RunTolerance(now, input).readmitted.size()))
                << level;
        }
    }
}

} // namespace
} // namespace tarvex
