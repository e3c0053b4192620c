#include "HistoryCases.h"
#include "engine/KillRun.h"
#include "engine/RunText.h"
#include "engine/ToleranceRun.h"
#include "history/RuleBacktest.h"
#include "io/DrawHistory.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tarvex {
namespace {

const std::vector<HistoricDraw>& RealHistory() {
    return testing_history::Shipped("fc3d-history.txt");
}

// A rule with its formula written again as a function of the two previous numbers and 期.
struct NaiveRule {
    Rule rule;
    int needs;
    std::function<int(int, int, int)> value; // already 0..9
};

int Sum(int n) {
    return n / 100 + n / 10 % 10 + n % 10;
}

int Span(int n) {
    const int d[3] = {n / 100, n / 10 % 10, n % 10};
    return *std::max_element(d, d + 3) - *std::min_element(d, d + 3);
}

// The boxes a player sets by hand from the values.
Settings SetByHand(Settings s, const std::vector<NaiveRule>& rules, const std::vector<int>& v) {
    const auto kill = [&](int p, int digit) {
        s.positionalKill = true;
        const char c = static_cast<char>('0' + digit);
        if (s.positionalKillDigits[p].find(c) == std::string::npos) {
            s.positionalKillDigits[p].push_back(c);
        }
    };
    for (std::size_t i = 0; i < rules.size(); ++i) {
        switch (rules[i].rule.target) {
        case RuleTarget::SumTail:
            s.sumTail[v[i]] = true;
            break;
        case RuleTarget::Span:
            s.span[v[i]] = true;
            break;
        case RuleTarget::Hundreds:
        case RuleTarget::Tens:
        case RuleTarget::Units:
            kill(static_cast<int>(rules[i].rule.target) - static_cast<int>(RuleTarget::Hundreds),
                 v[i]);
            break;
        case RuleTarget::AllPositions:
            kill(0, v[i]);
            kill(1, v[i]);
            kill(2, v[i]);
            break;
        case RuleTarget::Dan:
            s.dan[v[i]] = true;
            break;
        }
    }
    return s;
}

struct SchemeCase {
    const char* name;
    std::function<void(Settings&)> scheme;
    std::vector<NaiveRule> rules;
    int level;
    std::size_t last;
    bool shortHistory = false; // the first twelve draws instead of the real history's end
};

std::vector<SchemeCase> Cases() {
    const NaiveRule sumTail{
        {RuleTarget::SumTail, "和1+3"}, 1, [](int a, int, int) { return (Sum(a) + 3) % 10; }};
    const NaiveRule span2{{RuleTarget::Span, "跨2"}, 2, [](int, int b, int) { return Span(b); }};
    const NaiveRule danTail{
        {RuleTarget::Dan, "尾1"}, 1, [](int a, int, int) { return Sum(a) % 10; }};
    const NaiveRule allQi{{RuleTarget::AllPositions, "期"}, 1, [](int, int, int q) { return q; }};
    const NaiveRule hundreds{{RuleTarget::Hundreds, "百1+百2"}, 2, [](int a, int b, int) {
                                 return (a / 100 + b / 100) % 10;
                             }};
    const NaiveRule tens{
        {RuleTarget::Tens, "十1*3"}, 1, [](int a, int, int) { return a / 10 % 10 * 3 % 10; }};
    const NaiveRule units{{RuleTarget::Units, "个1-个2"}, 2, [](int a, int b, int) {
                              return (a % 10 - b % 10 + 10) % 10;
                          }};
    return {
        {"DefaultsWithThreeRules", [](Settings&) {}, {sumTail, span2, danTail}, 1, 200},
        {"FromTheFirstDraws",
         [](Settings& s) { s.shape[0] = true; },
         {sumTail, span2, units},
         2,
         0,
         true},
        {"TwoDanSchemeStopsOnSomeDraws",
         [](Settings& s) {
             s.danCount = 2;
             s.dan[4] = true;
         },
         {danTail},
         2,
         150},
        {"BaseSetLeavesWinnersOutside",
         [](Settings& s) {
             s.baseSet = true;
             s.result = "409\t123\t777\t001\t002\t003\t010\t";
         },
         {allQi, hundreds},
         1,
         120},
        {"MatchFilterAndStaleDigits",
         [](Settings& s) {
             s.matchFilter = true;
             s.matches = {{"0268", "12"}};
             s.positionalKillDigits = {"", "9", ""}; // inactive until a rule checks 定位杀
             s.pages.kill2 = "58,85";
         },
         {danTail, tens},
         3,
         150},
        {"CompoundInputAtTheTopLevel",
         [](Settings& s) {
             s.compoundInput = true;
             s.compound = {"0123456", "2345678", "13579"};
             s.sumLow = 6;
         },
         {sumTail, allQi, units},
         17,
         100},
    };
}

class SchemeBacktests : public testing::TestWithParam<SchemeCase> {};

// How many of the 1,000 numbers each row rejects, from one tolerance run over all of them.
std::array<long long, 27> ChanceCounts(const Settings& settings) {
    ToleranceInput input;
    for (int n = 0; n < 1000; ++n) {
        input.killed.push_back(n);
    }
    std::array<long long, 27> counts{};
    for (const ReportLine& line : RunTolerance(settings, input).report) {
        for (std::size_t row = 0; row < 27; ++row) {
            counts[row] +=
                std::count(line.labels.begin(), line.labels.end(), ToleranceLabels()[row]) > 0;
        }
    }
    return counts;
}

// What a draw adds to the spans, worked out by hand.
struct DrawFigures {
    int kill = 0; // 1 when the winner survived the kill run
    int tolerated = 0;
    long long count = 0;
    long long toleranceCount = 0;
    std::vector<std::string> labels;
    std::array<long long, 27> chance{}; // none for a draw whose kill run stopped
};

void ExpectSpans(const std::vector<BacktestSpan>& spans, const std::vector<DrawFigures>& draws) {
    ASSERT_EQ(spans.size(), 3u);
    const std::size_t asked[] = {30, 100, 0};
    for (std::size_t s = 0; s < 3; ++s) {
        const std::size_t k = asked[s] == 0 ? draws.size() : std::min(asked[s], draws.size());
        SCOPED_TRACE(k);
        DrawFigures sum;
        std::array<int, 27> rejected{};
        for (std::size_t i = draws.size() - k; i < draws.size(); ++i) {
            sum.kill += draws[i].kill;
            sum.tolerated += draws[i].tolerated;
            sum.count += draws[i].count;
            sum.toleranceCount += draws[i].toleranceCount;
            for (std::size_t row = 0; row < 27; ++row) {
                sum.chance[row] += draws[i].chance[row];
                rejected[row] += std::count(draws[i].labels.begin(), draws[i].labels.end(),
                                            ToleranceLabels()[row]) > 0;
            }
        }
        const BacktestSpan& span = spans[s];
        EXPECT_EQ(span.draws, static_cast<int>(k));
        EXPECT_EQ(span.wonAfterKill, sum.kill);
        EXPECT_EQ(span.wonAfterTolerance, sum.tolerated);
        EXPECT_EQ(span.countPlayed, sum.count);
        EXPECT_EQ(span.toleranceCountPlayed, sum.toleranceCount);
        EXPECT_DOUBLE_EQ(span.ChanceWins(), static_cast<double>(sum.count) / 1000.0);
        for (std::size_t row = 0; row < 27; ++row) {
            SCOPED_TRACE(ToleranceLabels()[row]);
            EXPECT_EQ(span.conditions[row].rejected, rejected[row]);
            EXPECT_EQ(span.conditions[row].chanceRejects, sum.chance[row]);
            EXPECT_DOUBLE_EQ(span.conditions[row].ExpectedRejected(),
                             static_cast<double>(sum.chance[row]) / 1000.0);
        }
    }
}

TEST_P(SchemeBacktests, AgreeWithRunningEveryDrawByHand) {
    const SchemeCase& c = GetParam();
    const std::vector<HistoricDraw> history =
        c.shortHistory
            ? std::vector<HistoricDraw>(RealHistory().begin(), RealHistory().begin() + 12)
            : RealHistory();
    Settings scheme;
    c.scheme(scheme);
    std::vector<Rule> rules;
    int needs = 0;
    for (const NaiveRule& r : c.rules) {
        rules.push_back(r.rule);
        needs = std::max(needs, r.needs);
    }
    std::string error;
    const std::optional<RuleSet> set = RuleSet::Compile(rules, &error);
    ASSERT_TRUE(set) << error;
    const RuleBacktestResult result = RunRuleBacktest(scheme, c.level, *set, history, c.last);

    const std::size_t begin = c.last == 0 ? 0 : history.size() - c.last;
    const std::size_t first = std::max(begin, static_cast<std::size_t>(needs));
    ASSERT_EQ(result.draws.size(), history.size() - first);
    int wonKill = 0, wonTolerance = 0, stopped = 0;
    long long count = 0, toleranceCount = 0;
    std::vector<int> rejected(27, 0);
    std::vector<DrawFigures> figures;
    std::map<std::vector<int>, std::array<long long, 27>> chanceByValues;
    for (std::size_t i = first; i < history.size(); ++i) {
        figures.emplace_back();
        const HistoricDraw& draw = history[i];
        const RuleBacktestDraw& got = result.draws[i - first];
        SCOPED_TRACE(draw.issue);
        std::vector<int> values;
        for (const NaiveRule& r : c.rules) {
            values.push_back(r.value(history[i - 1].number, i >= 2 ? history[i - 2].number : 0,
                                     draw.issue.back() - '0'));
        }
        EXPECT_EQ(got.values, values);
        EXPECT_EQ(got.draw.issue, draw.issue);
        EXPECT_EQ(got.draw.number, draw.number);

        Settings settings = SetByHand(scheme, c.rules, values);
        settings.level = c.level - 1;
        const KillOutcome kill = RunKill(settings);
        if (!kill.completed()) {
            EXPECT_EQ(got.message, kill.message);
            EXPECT_FALSE(got.draw.survivesKill);
            EXPECT_FALSE(got.draw.survivesTolerance);
            EXPECT_EQ(got.draw.count, 0);
            ++stopped;
            continue;
        }
        EXPECT_TRUE(got.message.empty());
        ToleranceInput input{kill.killed, {}, kill.resultText};
        for (const int n : kill.survivors) {
            input.list.push_back(CandidateText(n));
        }
        const ToleranceOutcome tolerance = RunTolerance(settings, input);
        const bool survives =
            std::count(kill.survivors.begin(), kill.survivors.end(), draw.number) > 0;
        const bool tolerated = std::count(tolerance.list.begin(), tolerance.list.end(),
                                          CandidateText(draw.number)) > 0;
        const std::vector<std::string> labels =
            RunTolerance(settings, {{draw.number}, {}, ""}).report.at(0).labels;
        if (!chanceByValues.contains(values)) {
            chanceByValues[values] = ChanceCounts(settings);
        }
        figures.back() = {survives,
                          tolerated,
                          static_cast<long long>(kill.survivors.size()),
                          static_cast<long long>(tolerance.list.size()),
                          labels,
                          chanceByValues[values]};
        EXPECT_EQ(got.draw.survivesKill, survives);
        EXPECT_EQ(got.draw.survivesTolerance, tolerated);
        EXPECT_EQ(got.draw.labels, labels);
        EXPECT_EQ(got.draw.count, static_cast<int>(kill.survivors.size()));
        EXPECT_EQ(got.toleranceCount, static_cast<int>(tolerance.list.size()));
        wonKill += survives;
        wonTolerance += tolerated;
        count += static_cast<long long>(kill.survivors.size());
        toleranceCount += static_cast<long long>(tolerance.list.size());
        for (std::size_t row = 0; row < 27; ++row) {
            rejected[row] += std::count(labels.begin(), labels.end(), ToleranceLabels()[row]) > 0;
        }
    }
    EXPECT_EQ(result.wonAfterKill, wonKill);
    EXPECT_EQ(result.wonAfterTolerance, wonTolerance);
    EXPECT_EQ(result.stopped, stopped);
    EXPECT_EQ(result.countPlayed, count);
    EXPECT_EQ(result.toleranceCountPlayed, toleranceCount);
    EXPECT_DOUBLE_EQ(result.ChanceWins(), count / 1000.0);
    EXPECT_DOUBLE_EQ(result.ChanceWinsAfterTolerance(), toleranceCount / 1000.0);
    EXPECT_LE(result.settingsRun, result.draws.size());
    ASSERT_EQ(result.conditions.size(), 27u);
    for (std::size_t row = 0; row < 27; ++row) {
        EXPECT_EQ(result.conditions[row].label, ToleranceLabels()[row]);
        EXPECT_EQ(result.conditions[row].rejected, rejected[row]) << ToleranceLabels()[row];
        EXPECT_EQ(result.conditions[row].chanceRejects,
                  result.spans.back().conditions[row].chanceRejects);
    }
    ExpectSpans(result.spans, figures);
}

INSTANTIATE_TEST_SUITE_P(Schemes, SchemeBacktests, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<SchemeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(RuleBacktest, SomeDrawsOfTheTwoDanSchemeStopAndOthersRun) {
    Settings scheme;
    scheme.danCount = 2;
    scheme.dan[4] = true;
    std::string error;
    const std::optional<RuleSet> set = RuleSet::Compile({{RuleTarget::Dan, "尾1"}}, &error);
    ASSERT_TRUE(set) << error;
    const RuleBacktestResult result = RunRuleBacktest(scheme, 1, *set, RealHistory(), 300);
    EXPECT_GT(result.stopped, 0);
    EXPECT_LT(result.stopped, 300);
    for (const RuleBacktestDraw& d : result.draws) {
        EXPECT_EQ(d.message.empty(), d.values[0] != 4) << d.draw.issue;
    }
}

// The progress hears of every distinct setting once, in order; answering false stops the
// backtest there and marks it cancelled, and listening changes no figure.
TEST(RuleBacktest, ProgressCountsTheRunsAndCanCancel) {
    std::string error;
    const std::optional<RuleSet> set =
        RuleSet::Compile({{RuleTarget::SumTail, "和1+3"}, {RuleTarget::Span, "跨2"}}, &error);
    ASSERT_TRUE(set) << error;
    const Settings scheme;
    const RuleBacktestResult quiet = RunRuleBacktest(scheme, 1, *set, RealHistory(), 400);
    std::vector<std::size_t> seen;
    std::size_t total = 0;
    const RuleBacktestResult heard =
        RunRuleBacktest(scheme, 1, *set, RealHistory(), 400, [&](std::size_t done, std::size_t of) {
            seen.push_back(done);
            total = of;
            return true;
        });
    ASSERT_GT(quiet.settingsRun, 10u);
    EXPECT_EQ(total, quiet.settingsRun);
    ASSERT_EQ(seen.size(), quiet.settingsRun);
    for (std::size_t k = 0; k < seen.size(); ++k)
        EXPECT_EQ(seen[k], k);
    EXPECT_FALSE(heard.cancelled);
    EXPECT_EQ(heard.wonAfterKill, quiet.wonAfterKill);
    EXPECT_EQ(heard.countPlayed, quiet.countPlayed);

    std::size_t calls = 0;
    const RuleBacktestResult stopped = RunRuleBacktest(
        scheme, 1, *set, RealHistory(), 400, [&](std::size_t, std::size_t) { return ++calls < 5; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(calls, 5u);
}

TEST(RuleBacktest, NoRulesIsThePlainBacktest) {
    Settings scheme;
    scheme.sumTail[3] = true;
    scheme.span[0] = true;
    const RuleBacktestResult result = RunRuleBacktest(scheme, 1, RuleSet(), RealHistory(), 50);
    const BacktestResult plain = RunBacktest(scheme, 1, RealHistory(), 50);
    ASSERT_EQ(result.draws.size(), plain.draws.size());
    EXPECT_EQ(result.settingsRun, 1u);
    for (std::size_t i = 0; i < plain.draws.size(); ++i) {
        EXPECT_EQ(result.draws[i].draw.issue, plain.draws[i].issue);
        EXPECT_EQ(result.draws[i].draw.survivesKill, plain.draws[i].survivesKill);
        EXPECT_EQ(result.draws[i].draw.survivesTolerance, plain.draws[i].survivesTolerance);
        EXPECT_EQ(result.draws[i].draw.labels, plain.draws[i].labels);
        EXPECT_EQ(result.draws[i].draw.count, plain.draws[i].count);
        EXPECT_EQ(result.draws[i].toleranceCount, plain.toleranceCount);
    }
}

} // namespace
} // namespace tarvex
