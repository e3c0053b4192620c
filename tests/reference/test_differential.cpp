#include "ReferenceRandomSettings.h"
#include "ReferenceRun.h"

#include "engine/KillRun.h"
#include "engine/ToleranceRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

namespace tarvex {
namespace {

int Runs() {
    const char* env = std::getenv("TARVEX_DIFF_RUNS");
    return env != nullptr ? std::max(1, std::atoi(env)) : 3000;
}

std::uint64_t SeedBase() {
    if (const char* env = std::getenv("TARVEX_SEED")) {
        return std::strtoull(env, nullptr, 10);
    }
    return 20240601;
}

std::string Number(int n) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%03d", n);
    return buffer;
}

template <typename T> std::string Join(const std::vector<T>& items) {
    std::ostringstream out;
    for (const auto& item : items) {
        out << item << ' ';
    }
    return out.str();
}

::testing::AssertionResult SameKill(const KillOutcome& engine, const KillOutcome& model) {
    if (engine.message != model.message) {
        return ::testing::AssertionFailure()
               << "message: " << engine.message << " vs " << model.message;
    }
    if (engine.survivors != model.survivors) {
        return ::testing::AssertionFailure()
               << "survivors:\n  " << Join(engine.survivors) << "\n  " << Join(model.survivors);
    }
    if (engine.killed != model.killed) {
        return ::testing::AssertionFailure()
               << "killed:\n  " << Join(engine.killed) << "\n  " << Join(model.killed);
    }
    if (engine.resultText != model.resultText || engine.fileText != model.fileText ||
        engine.countText != model.countText) {
        return ::testing::AssertionFailure() << "texts differ";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult SameTolerance(const ToleranceOutcome& engine,
                                         const ToleranceOutcome& model) {
    for (std::size_t i = 0; i < std::min(engine.report.size(), model.report.size()); ++i) {
        const ReportLine& a = engine.report[i];
        const ReportLine& b = model.report[i];
        if (a.number != b.number || a.labels != b.labels || a.count != b.count) {
            return ::testing::AssertionFailure()
                   << "report line " << i << ":\n  " << a.number << " " << Join(a.labels) << "\n  "
                   << b.number << " " << Join(b.labels);
        }
    }
    if (engine.report.size() != model.report.size()) {
        return ::testing::AssertionFailure() << "report sizes differ";
    }
    if (engine.readmitted != model.readmitted) {
        return ::testing::AssertionFailure()
               << "readmitted:\n  " << Join(engine.readmitted) << "\n  " << Join(model.readmitted);
    }
    if (engine.list != model.list) {
        return ::testing::AssertionFailure() << "list differs";
    }
    if (engine.resultText != model.resultText) {
        return ::testing::AssertionFailure() << "resultText differs";
    }
    if (engine.countText != model.countText || engine.toleranceText != model.toleranceText ||
        engine.reportText != model.reportText) {
        return ::testing::AssertionFailure() << "count, tolerance or report text differs";
    }
    return ::testing::AssertionSuccess();
}

// What the window would show before a tolerance press, sometimes disturbed the way a
// user can: extra list items, typed text in the result box, a second press.
ToleranceInput InputAfter(const KillOutcome& kill, std::mt19937_64& random) {
    ToleranceInput input;
    input.killed = kill.killed;
    for (const int n : kill.survivors) {
        input.list.push_back(Number(n));
    }
    input.resultText = kill.resultText;
    if (!kill.completed() || random() % 10 == 0) {
        for (int i = static_cast<int>(random() % 40); i > 0; --i) {
            input.killed.push_back(static_cast<int>(random() % 1000));
        }
    }
    if (random() % 8 == 0) {
        input.list.insert(input.list.begin(), Number(static_cast<int>(random() % 1000)));
    }
    if (random() % 8 == 0) {
        static const char* kTyped[] = {"12", "3\t", "45", "6", "\n7", "89", "0"};
        for (int i = static_cast<int>(random() % 6); i > 0; --i) {
            input.resultText += kTyped[random() % 7];
        }
    }
    return input;
}

TEST(Differential, EngineAgreesWithTheLiteralModel) {
    const std::uint64_t base = SeedBase();
    const int kRuns = Runs();
    std::printf("differential seed base %llu (set TARVEX_SEED to change)\n",
                static_cast<unsigned long long>(base));
    int completed = 0, withSurvivors = 0, withKills = 0, readmitting = 0;
    for (int i = 0; i < kRuns; ++i) {
        const std::uint64_t seed = base + static_cast<std::uint64_t>(i);
        Settings settings = ReferenceRandomSettings(seed);
        const KillOutcome engine = RunKill(settings);
        const KillOutcome model = ReferenceRunKill(settings);
        ASSERT_TRUE(SameKill(engine, model)) << "kill run, seed " << seed << "\n"
                                             << ReferenceDescribeSettings(settings);
        // The live count beside 杀组合 must never promise other than the run delivers.
        const KillPreview preview = PreviewKill(settings);
        ASSERT_EQ(preview.message, model.message) << "preview, seed " << seed;
        ASSERT_EQ(preview.count, static_cast<int>(model.survivors.size()))
            << "preview, seed " << seed;
        completed += engine.completed();
        withSurvivors += !engine.survivors.empty();
        withKills += !engine.killed.empty();

        std::mt19937_64 random(seed);
        if (random() % 4 == 0) {
            settings = ReferenceRandomSettings(seed + 1000003);
        }
        settings.level = static_cast<int>(random() % 20) - 1;
        const ToleranceInput input = InputAfter(engine, random);
        const ToleranceOutcome first = RunTolerance(settings, input);
        ASSERT_TRUE(SameTolerance(first, ReferenceRunTolerance(settings, input)))
            << "tolerance run, seed " << seed << " level " << settings.level << "\n"
            << ReferenceDescribeSettings(settings);
        readmitting += !first.readmitted.empty();
        if (random() % 5 == 0) {
            const ToleranceInput again{input.killed, first.list, first.resultText};
            ASSERT_TRUE(SameTolerance(RunTolerance(settings, again),
                                      ReferenceRunTolerance(settings, again)))
                << "second tolerance press, seed " << seed << "\n"
                << ReferenceDescribeSettings(settings);
        }
    }
    // The generator must exercise every kind of outcome, or agreement means little.
    EXPECT_GT(completed, kRuns / 2);
    EXPECT_LT(completed, kRuns);
    EXPECT_GT(withSurvivors, kRuns / 4);
    EXPECT_GT(withKills, kRuns / 2);
    EXPECT_GT(readmitting, kRuns / 4);
    std::printf("completed %d, with survivors %d, with kills %d, readmitting %d of %d\n", completed,
                withSurvivors, withKills, readmitting, kRuns);
}

} // namespace
} // namespace tarvex
