#include "engine/BacktestTally.h"
#include "engine/KillRun.h"
#include "engine/KillToleranceSets.h"
#include "engine/RunText.h"
#include "engine/ToleranceRun.h"

#include "ReferenceRandomSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace tarvex {
namespace {

// The sets the rule backtest reads are held to the runs themselves on the random settings
// the differential test uses: every validation message, base sets, compound inputs, match
// filters, levels outside the combo's range.
TEST(KillToleranceSets, AgreeWithTheKillAndToleranceRuns) {
    for (std::uint64_t seed = 1; seed <= 400; ++seed) {
        const Settings settings = ReferenceRandomSettings(seed);
        SCOPED_TRACE(seed);
        const std::vector<int> asked{0, 409, 999, static_cast<int>(seed % 1000)};
        const KillToleranceSets sets = RunKillAndTolerance(settings, asked);
        const KillOutcome kill = RunKill(settings);
        ASSERT_EQ(sets.message, kill.message);
        if (!kill.completed()) {
            continue;
        }
        ToleranceInput input{kill.killed, {}, kill.resultText};
        for (const int n : kill.survivors) {
            input.list.push_back(CandidateText(n));
        }
        const ToleranceOutcome tolerance = RunTolerance(settings, input);
        NumberSet survivors, killed, tolerated;
        for (const int n : kill.survivors) {
            survivors.set(static_cast<std::size_t>(n));
        }
        for (const int n : kill.killed) {
            killed.set(static_cast<std::size_t>(n));
        }
        for (const std::string& item : tolerance.list) {
            tolerated.set(static_cast<std::size_t>(std::stoi(item)));
        }
        EXPECT_EQ(sets.survivors, survivors);
        EXPECT_EQ(sets.killed, killed);
        EXPECT_EQ(sets.tolerated, tolerated);
        EXPECT_EQ(sets.survivorCount, static_cast<int>(kill.survivors.size()));
        EXPECT_EQ(sets.toleranceCount, static_cast<int>(tolerance.list.size()));
        const ToleranceOutcome alone = RunTolerance(settings, {asked, {}, ""});
        ASSERT_EQ(sets.labels.size(), asked.size());
        for (std::size_t i = 0; i < asked.size(); ++i) {
            EXPECT_EQ(sets.labels[i], alone.report[i].labels);
        }
        // What chance alone rejects: each row counted over the report of all 1,000 numbers.
        ToleranceInput everyNumber;
        for (int n = 0; n < 1000; ++n) {
            everyNumber.killed.push_back(n);
        }
        std::array<int, 27> rows{};
        for (const ReportLine& line : RunTolerance(settings, everyNumber).report) {
            for (std::size_t row = 0; row < rows.size(); ++row) {
                rows[row] +=
                    std::count(line.labels.begin(), line.labels.end(), ToleranceLabels()[row]) > 0;
            }
        }
        EXPECT_EQ(sets.rowRejects, rows);
        EXPECT_EQ(BacktestTally::RejectsOf(settings), rows);
    }
}

} // namespace
} // namespace tarvex
