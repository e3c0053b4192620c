#include "engine/Backtest.h"
#include "engine/BacktestText.h"
#include "engine/KillRun.h"
#include "engine/RunText.h"
#include "engine/ToleranceRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace tarvex {
namespace {

const std::vector<HistoricDraw> kHistory{
    {"2026101", 409}, {"2026102", 7},   {"2026103", 555}, {"2026104", 123},
    {"2026105", 980}, {"2026106", 316}, {"2026107", 0},   {"2026108", 999},
    {"2026109", 248}, {"2026110", 671}, {"2026111", 135}, {"2026112", 802},
};

struct BacktestCase {
    const char* name;
    std::function<void(Settings&)> change;
    int level;
    std::size_t last;
};

std::vector<BacktestCase> Cases() {
    return {
        {"Defaults", [](Settings&) {}, 1, 0},
        {"SumTailsAndSpan",
         [](Settings& s) {
             s.sumTail[3] = s.sumTail[7] = true;
             s.span[0] = true;
         },
         1, 0},
        {"SumTailsAndSpanLevelTwo",
         [](Settings& s) {
             s.sumTail[3] = s.sumTail[7] = s.sumTail[6] = true;
             s.span[0] = s.span[8] = true;
             s.sumLow = 3;
         },
         2, 5},
        {"KilledSumsCountTwice",
         [](Settings& s) {
             s.killSums = true;
             s.sums = "6 13 17";
         },
         1, 0},
        {"ShapesRoutesAndDan",
         [](Settings& s) {
             s.shape[0] = true;
             s.dan[0] = s.dan[9] = true;
             s.bigSmall[0] = false;
             s.pages.direct = "123 555";
         },
         3, 100},
        {"BaseSetLeavesOthersOut",
         [](Settings& s) {
             s.baseSet = true;
             s.result = "409\t123\t777\t";
             s.sumTail[6] = true;
         },
         17, 0},
        {"PositionalKillAndMatch",
         [](Settings& s) {
             s.positionalKill = true;
             s.positionalKillDigits = {"4", "0", "2"};
             s.matchFilter = true;
             s.matches = {{"0268", "12"}};
         },
         2, 8},
    };
}

int Sum(int n) {
    return n / 100 + n / 10 % 10 + n % 10;
}

bool Has(const std::vector<std::string>& labels, const std::string& label) {
    return std::find(labels.begin(), labels.end(), label) != labels.end();
}

class Backtests : public testing::TestWithParam<BacktestCase> {};

TEST_P(Backtests, AgreesWithRunningEachDrawByItself) {
    const BacktestCase& c = GetParam();
    Settings scheme;
    c.change(scheme);
    const BacktestResult result = RunBacktest(scheme, c.level, kHistory, c.last);
    ASSERT_TRUE(result.completed()) << result.message;

    Settings settings = scheme;
    settings.level = c.level - 1;
    const KillOutcome kill = RunKill(settings);
    const std::size_t take = c.last == 0 ? kHistory.size() : std::min(c.last, kHistory.size());
    ASSERT_EQ(result.draws.size(), take);
    EXPECT_EQ(result.survivorCount, static_cast<int>(kill.survivors.size()));

    std::vector<int> rejected(27, 0);
    for (std::size_t i = 0; i < take; ++i) {
        const HistoricDraw& draw = kHistory[kHistory.size() - take + i];
        const BacktestDraw& got = result.draws[i];
        SCOPED_TRACE(draw.issue);
        EXPECT_EQ(got.issue, draw.issue);
        EXPECT_EQ(got.number, draw.number);
        const bool survives = std::count(kill.survivors.begin(), kill.survivors.end(), draw.number);
        const bool killed = std::count(kill.killed.begin(), kill.killed.end(), draw.number);
        EXPECT_EQ(got.survivesKill, survives);

        const ReportLine alone = RunTolerance(settings, {{draw.number}, {}, ""}).report.at(0);
        EXPECT_EQ(got.labels, alone.labels);
        // A killed winner comes back when its reasons stay within the level; one that was never
        // a candidate (outside the base set) cannot.
        EXPECT_EQ(got.survivesTolerance, survives || (killed && alone.count <= c.level));
        EXPECT_EQ(got.count, static_cast<int>(kill.survivors.size()));

        // A few conditions checked from first principles.
        EXPECT_EQ(Has(got.labels, " 和尾 "), scheme.sumTail[Sum(draw.number) % 10]);
        const int digits[3] = {draw.number / 100, draw.number / 10 % 10, draw.number % 10};
        const int span =
            *std::max_element(digits, digits + 3) - *std::min_element(digits, digits + 3);
        EXPECT_EQ(Has(got.labels, " 跨度 "), scheme.span[span]);
        EXPECT_EQ(Has(got.labels, " 和值范围 "),
                  Sum(draw.number) < scheme.sumLow || Sum(draw.number) > scheme.sumHigh);
        EXPECT_EQ(Has(got.labels, " 杀指定和值 "), Has(got.labels, " 和值过滤 "));
        for (std::size_t row = 0; row < 27; ++row) {
            rejected[row] += Has(got.labels, ToleranceLabels()[row]);
        }
    }
    ASSERT_EQ(result.conditions.size(), 27u);
    for (std::size_t row = 0; row < 27; ++row) {
        EXPECT_EQ(result.conditions[row].label, ToleranceLabels()[row]);
        EXPECT_EQ(result.conditions[row].rejected, rejected[row]) << ToleranceLabels()[row];
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, Backtests, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<BacktestCase>& info) {
                             return std::string(info.param.name);
                         });

// How many of the 1,000 numbers each row rejects, read from one tolerance run over all of
// them as if the kill run had killed every one.
std::array<long long, 27> ChanceCounts(const Settings& settings) {
    ToleranceInput input;
    for (int n = 0; n < 1000; ++n) {
        input.killed.push_back(n);
    }
    std::array<long long, 27> counts{};
    for (const ReportLine& line : RunTolerance(settings, input).report) {
        for (std::size_t row = 0; row < 27; ++row) {
            counts[row] += Has(line.labels, ToleranceLabels()[row]);
        }
    }
    return counts;
}

// 150 draws spread over the numbers, so the newest 30 and 100 are proper parts of the window.
std::vector<HistoricDraw> LongHistory() {
    std::vector<HistoricDraw> draws;
    for (int i = 0; i < 150; ++i) {
        draws.push_back({std::to_string(2025001 + i), (i * 379 + 17) % 1000});
    }
    return draws;
}

TEST_P(Backtests, ChanceFiguresAgreeWithABruteForceCount) {
    const BacktestCase& c = GetParam();
    Settings scheme;
    c.change(scheme);
    const std::vector<HistoricDraw> history = LongHistory();
    const BacktestResult result = RunBacktest(scheme, c.level, history, 0);
    ASSERT_TRUE(result.completed()) << result.message;
    Settings settings = scheme;
    settings.level = c.level - 1;
    const std::array<long long, 27> chance = ChanceCounts(settings);
    const KillOutcome kill = RunKill(settings);
    ToleranceInput input{kill.killed, {}, kill.resultText};
    for (const int n : kill.survivors) {
        input.list.push_back(CandidateText(n));
    }
    const auto toleranceCount = static_cast<long long>(RunTolerance(settings, input).list.size());
    const auto survivorCount = static_cast<long long>(kill.survivors.size());

    ASSERT_EQ(result.spans.size(), 3u);
    const std::size_t asked[] = {30, 100, 0};
    for (std::size_t s = 0; s < 3; ++s) {
        const BacktestSpan& span = result.spans[s];
        const std::size_t k = asked[s] == 0 ? history.size() : asked[s];
        SCOPED_TRACE(k);
        EXPECT_EQ(span.newest, asked[s]);
        ASSERT_EQ(span.draws, static_cast<int>(k));
        int wonKill = 0;
        int wonTolerance = 0;
        std::vector<int> rejected(27, 0);
        for (std::size_t i = history.size() - k; i < history.size(); ++i) {
            const BacktestDraw& d = result.draws[i];
            wonKill += d.survivesKill;
            wonTolerance += d.survivesTolerance;
            const std::vector<std::string> labels =
                RunTolerance(settings, {{history[i].number}, {}, ""}).report.at(0).labels;
            for (std::size_t row = 0; row < 27; ++row) {
                rejected[row] += Has(labels, ToleranceLabels()[row]);
            }
        }
        EXPECT_EQ(span.wonAfterKill, wonKill);
        EXPECT_EQ(span.wonAfterTolerance, wonTolerance);
        const auto draws = static_cast<long long>(k);
        EXPECT_EQ(span.countPlayed, survivorCount * draws);
        EXPECT_EQ(span.toleranceCountPlayed, toleranceCount * draws);
        EXPECT_DOUBLE_EQ(span.ChanceWins(), static_cast<double>(survivorCount * draws) / 1000.0);
        EXPECT_DOUBLE_EQ(span.ChanceWinsAfterTolerance(),
                         static_cast<double>(toleranceCount * draws) / 1000.0);
        ASSERT_EQ(span.conditions.size(), 27u);
        for (std::size_t row = 0; row < 27; ++row) {
            SCOPED_TRACE(ToleranceLabels()[row]);
            EXPECT_EQ(span.conditions[row].label, ToleranceLabels()[row]);
            EXPECT_EQ(span.conditions[row].rejected, rejected[row]);
            EXPECT_EQ(span.conditions[row].chanceRejects, chance[row] * draws);
            EXPECT_DOUBLE_EQ(span.conditions[row].ExpectedRejected(),
                             static_cast<double>(chance[row]) * static_cast<double>(k) / 1000.0);
        }
    }
    for (std::size_t row = 0; row < 27; ++row) {
        EXPECT_EQ(result.conditions[row].rejected, result.spans[2].conditions[row].rejected);
        EXPECT_EQ(result.conditions[row].chanceRejects,
                  result.spans[2].conditions[row].chanceRejects);
    }
}

TEST(Backtest, ChanceFiguresOfOneSumTailByHand) {
    Settings scheme;
    scheme.sumTail[3] = true;
    const BacktestResult result = RunBacktest(scheme, 1, kHistory, 0);
    ASSERT_TRUE(result.completed());
    // A tenth of the numbers have sum tail 3, so chance rejects 1.2 of twelve winners.
    EXPECT_EQ(result.conditions[6].chanceRejects, 100 * 12);
    EXPECT_DOUBLE_EQ(result.conditions[6].ExpectedRejected(), 1.2);
    EXPECT_EQ(result.conditions[7].chanceRejects, 0);
    // The window is shorter than 30: every span holds all twelve draws.
    for (const BacktestSpan& span : result.spans) {
        EXPECT_EQ(span.draws, 12);
        EXPECT_EQ(span.wonAfterKill, 11);
        EXPECT_DOUBLE_EQ(span.ChanceWins(), 900 * 12 / 1000.0);
    }
    const BacktestResult two = RunBacktest(scheme, 1, kHistory, 2);
    EXPECT_DOUBLE_EQ(two.conditions[6].ExpectedRejected(), 0.2);
}

TEST(Backtest, StoppedKillRunHasEmptySpans) {
    Settings scheme;
    scheme.danCount = 2;
    scheme.dan[4] = true;
    const BacktestResult result = RunBacktest(scheme, 1, kHistory, 0);
    ASSERT_EQ(result.spans.size(), 3u);
    for (const BacktestSpan& span : result.spans) {
        EXPECT_EQ(span.draws, 0);
        EXPECT_EQ(span.conditions.size(), 27u);
    }
}

TEST(Backtest, SumTailSchemeFiguresByHand) {
    Settings scheme;
    scheme.sumTail[3] = true;
    const BacktestResult result = RunBacktest(scheme, 1, kHistory, 0);
    ASSERT_TRUE(result.completed());
    // Of the twelve sums only 409's (13) ends in 3.
    std::vector<std::string> caught;
    for (const BacktestDraw& d : result.draws) {
        if (!d.survivesKill) {
            caught.push_back(d.issue);
            EXPECT_EQ(d.labels, std::vector<std::string>{" 和尾 "});
            EXPECT_TRUE(d.survivesTolerance); // one reason is within level 1
        }
    }
    EXPECT_EQ(caught, std::vector<std::string>{"2026101"});
    EXPECT_EQ(result.survivorCount, 900); // a tenth of all numbers have each sum tail
    EXPECT_EQ(result.conditions[6].rejected, 1);
}

TEST(Backtest, StoppedKillRunReportsItsMessageAndNoDraws) {
    Settings scheme;
    scheme.danCount = 2;
    scheme.dan[4] = true;
    const KillOutcome kill = RunKill(scheme);
    ASSERT_FALSE(kill.completed());
    const BacktestResult result = RunBacktest(scheme, 1, kHistory, 0);
    EXPECT_EQ(result.message, kill.message);
    EXPECT_TRUE(result.draws.empty());
    EXPECT_EQ(BacktestText::Table(result, 1), kill.message + "\n");
}

TEST(BacktestText, TableListsEveryDrawAndCondition) {
    Settings scheme;
    scheme.sumTail[3] = true;
    const BacktestResult result = RunBacktest(scheme, 1, kHistory, 2);
    const std::string table = BacktestText::Table(result, 1);
    EXPECT_NE(table.find("2026111     135   是      是      900\n"), std::string::npos) << table;
    EXPECT_NE(table.find("共 2 期：杀号后中 2 期，容错 1 级后中 2 期；方案留下 900 注，容错后"),
              std::string::npos)
        << table;
    // 和尾: no winner of the two rejected, chance 0.20; the newer spans hold the same two.
    EXPECT_NE(table.find("和尾          0               0.20        0             0.20        0"
                         "             0.20\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("按机会（随机选同样多的注）：杀号后应中 1.80 期"), std::string::npos);
    EXPECT_NE(table.find("近30期    2      2         1.80"), std::string::npos) << table;
    EXPECT_EQ(BacktestText::Reasons({" 和尾 ", " AC值过滤"}), "和尾 AC值过滤");
}

} // namespace
} // namespace tarvex

namespace tarvex {
namespace {

// Each level re-admits the killed numbers with at most that many reasons, however many
// conditions there are.
TEST(TolerancePreview, CountsKilledNumbersByTheirReasons) {
    Settings s;
    s.sumTail[3] = s.sumTail[5] = true;
    s.span[9] = true;
    s.killSums = true;
    s.sums = "13";
    const KillOutcome kill = RunKill(s);
    std::array<int, 17> expected{};
    for (const int n : kill.killed) {
        const int count = RunTolerance(s, {{n}, {}, ""}).report.at(0).count;
        for (int level = 1; level <= 17; ++level) {
            expected[static_cast<std::size_t>(level - 1)] += count <= level;
        }
    }
    const std::array<int, 17> preview = TolerancePreview(s, kill.killed);
    EXPECT_EQ(preview, expected);
    EXPECT_LT(preview[0],
              preview[2]); // a sum of 13 has three reasons: tail 3 and both specified-sum rows
    EXPECT_EQ(preview[16], static_cast<int>(kill.killed.size()));
    EXPECT_EQ(TolerancePreview(s, {}), (std::array<int, 17>{}));
}

} // namespace
} // namespace tarvex
