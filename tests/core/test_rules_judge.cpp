#include "HistoryCases.h"
#include "history/RuleJudge.h"
#include "history/RuleTargets.h"
#include "io/DrawHistory.h"

#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace tarvex {
namespace {

// ---- Targets and their chances, counted over the 1,000 numbers ----

struct Number {
    int h, t, u;
    explicit Number(int n) : h(n / 100), t(n / 10 % 10), u(n % 10) {}
    int Sum() const { return h + t + u; }
    int Span() const { return std::max({h, t, u}) - std::min({h, t, u}); }
    bool Holds(int d) const { return h == d || t == d || u == d; }
};

// When a value is right, written out again from the definitions.
bool RightByDefinition(RuleTarget target, int v, int number) {
    const Number n(number);
    switch (target) {
    case RuleTarget::SumTail:
        return n.Sum() % 10 != v;
    case RuleTarget::Span:
        return n.Span() != v;
    case RuleTarget::Hundreds:
        return n.h != v;
    case RuleTarget::Tens:
        return n.t != v;
    case RuleTarget::Units:
        return n.u != v;
    case RuleTarget::AllPositions:
        return !n.Holds(v);
    case RuleTarget::Dan:
        return n.Holds(v);
    }
    return false;
}

TEST(RuleTargets, ChancesAreTheShareOfTheThousandNumbers) {
    for (const RuleTarget target : RuleTargets::kAll) {
        for (int v = 0; v < 10; ++v) {
            int count = 0;
            for (int n = 0; n < 1000; ++n) {
                const bool right = RightByDefinition(target, v, n);
                count += right;
                ASSERT_EQ(RuleTargets::IsRight(target, v, n), right)
                    << RuleTargets::Name(target) << " " << v << " " << n;
            }
            EXPECT_EQ(RuleTargets::RightCount(target, v), count) << RuleTargets::Name(target);
            EXPECT_DOUBLE_EQ(RuleTargets::Chance(target, v), count / 1000.0);
        }
    }
}

TEST(RuleTargets, KnownChances) {
    // Every sum tail is held by exactly 100 numbers; 9^3 = 729 numbers lack a given digit;
    // 10 numbers have span 0 (the triples), 54 span 1 (two neighbouring digits, both used:
    // 9 pairs × 6), 54 span 9 (a 0 and a 9: 1000 − 729 − 729 + 512).
    for (int v = 0; v < 10; ++v) {
        EXPECT_EQ(RuleTargets::RightCount(RuleTarget::SumTail, v), 900);
        EXPECT_EQ(RuleTargets::RightCount(RuleTarget::Hundreds, v), 900);
        EXPECT_EQ(RuleTargets::RightCount(RuleTarget::AllPositions, v), 729);
        EXPECT_EQ(RuleTargets::RightCount(RuleTarget::Dan, v), 271);
    }
    EXPECT_EQ(RuleTargets::RightCount(RuleTarget::Span, 0), 990);
    EXPECT_EQ(RuleTargets::RightCount(RuleTarget::Span, 1), 946);
    EXPECT_EQ(RuleTargets::RightCount(RuleTarget::Span, 9), 946);
}

TEST(RuleTargets, NamesGoBothWays) {
    for (const RuleTarget target : RuleTargets::kAll) {
        EXPECT_EQ(RuleTargets::FromName(RuleTargets::Name(target)), target);
    }
    EXPECT_FALSE(RuleTargets::FromName("杀和值"));
    EXPECT_FALSE(RuleTargets::FromName(""));
}

// ---- Judging against a naive loop over the real history ----

const std::vector<HistoricDraw>& RealHistory() {
    return testing_history::Shipped("fc3d-history.txt");
}

// The formulas of the table below written as plain functions of the two previous numbers
// and 期, in whole integers, reduced only at the end.
struct NaiveRule {
    Rule rule;
    int needs;
    std::function<long long(Number, Number, int)> value;
};

int Reduced(long long x) {
    return static_cast<int>(((x % 10) + 10) % 10);
}

std::vector<NaiveRule> NaiveRules() {
    using N = Number;
    return {
        {{RuleTarget::SumTail, "和1+3"}, 1, [](N a, N, int) { return a.Sum() + 3LL; }},
        {{RuleTarget::SumTail, "尾1*尾2+期"},
         2,
         [](N a, N b, int q) { return (a.Sum() % 10LL) * (b.Sum() % 10) + q; }},
        {{RuleTarget::Span, "跨1"}, 1, [](N a, N, int) { return a.Span() + 0LL; }},
        {{RuleTarget::Span, "跨1+跨2-5"},
         2,
         [](N a, N b, int) { return a.Span() + b.Span() - 5LL; }},
        {{RuleTarget::Hundreds, "百1"}, 1, [](N a, N, int) { return a.h + 0LL; }},
        {{RuleTarget::Tens, "(十1+十2)*7"}, 2, [](N a, N b, int) { return (a.t + b.t) * 7LL; }},
        {{RuleTarget::Units, "个1-个2-个2"}, 2, [](N a, N b, int) { return a.u - 2LL * b.u; }},
        {{RuleTarget::AllPositions, "期"}, 1, [](N, N, int q) { return q + 0LL; }},
        {{RuleTarget::AllPositions, "百1*十1*个1+1"},
         1,
         [](N a, N, int) { return 1LL * a.h * a.t * a.u + 1; }},
        {{RuleTarget::Dan, "和1+和2"}, 2, [](N a, N b, int) { return a.Sum() + b.Sum() + 0LL; }},
        {{RuleTarget::Dan, "5"}, 1, [](N, N, int) { return 5LL; }},
        {{RuleTarget::Dan, "12345678901234567898 * 百1"}, 1, [](N a, N, int) { return 8LL * a.h; }},
    };
}

struct Naive {
    int tested = 0, right = 0, currentMiss = 0, maxMiss = 0, next = kNoRuleValue;
    double chanceSum = 0, spread = 0;
};

int ChanceCount(RuleTarget target, int v) {
    int count = 0;
    for (int n = 0; n < 1000; ++n) {
        count += RightByDefinition(target, v, n);
    }
    return count;
}

Naive JudgeNaively(const NaiveRule& r, const std::vector<HistoricDraw>& h, std::size_t last,
                   int nextIssueDigit) {
    Naive naive;
    const std::size_t begin = last == 0 || last >= h.size() ? 0 : h.size() - last;
    int run = 0;
    for (std::size_t i = begin; i < h.size(); ++i) {
        if (i < static_cast<std::size_t>(r.needs)) {
            continue;
        }
        const Number a(h[i - 1].number);
        const Number b(i >= 2 ? h[i - 2].number : 0);
        const int v = Reduced(r.value(a, b, h[i].issue.back() - '0'));
        const double p = ChanceCount(r.rule.target, v) / 1000.0;
        ++naive.tested;
        naive.chanceSum += p;
        naive.spread += p * (1 - p);
        if (RightByDefinition(r.rule.target, v, h[i].number)) {
            ++naive.right;
            run = 0;
        } else {
            naive.maxMiss = std::max(naive.maxMiss, ++run);
        }
    }
    naive.currentMiss = run;
    if (h.size() >= static_cast<std::size_t>(r.needs)) {
        const Number a(h.back().number);
        const Number b(h.size() >= 2 ? h[h.size() - 2].number : 0);
        naive.next = Reduced(r.value(a, b, nextIssueDigit));
    }
    return naive;
}

void ExpectAgree(const RuleJudgement& got, const Naive& want) {
    EXPECT_EQ(got.tested, want.tested);
    EXPECT_EQ(got.right, want.right);
    EXPECT_EQ(got.currentMiss, want.currentMiss);
    EXPECT_EQ(got.maxMiss, want.maxMiss);
    EXPECT_EQ(got.next, want.next);
    if (want.tested == 0) {
        EXPECT_EQ(got.HitRate(), 0.0);
        EXPECT_EQ(got.ChanceRate(), 0.0);
        EXPECT_TRUE(got.WithinNoise());
        return;
    }
    const double hit = static_cast<double>(want.right) / want.tested;
    const double chance = want.chanceSum / want.tested;
    const double error = std::sqrt(want.spread) / want.tested;
    EXPECT_NEAR(got.HitRate(), hit, 1e-12);
    EXPECT_NEAR(got.ChanceRate(), chance, 1e-12);
    EXPECT_NEAR(got.Margin(), hit - chance, 1e-12);
    EXPECT_NEAR(got.StandardError(), error, 1e-12);
    EXPECT_EQ(got.WithinNoise(), std::abs(hit - chance) <= 2 * error);
}

class RealHistoryWindows : public testing::TestWithParam<std::size_t> {};

TEST_P(RealHistoryWindows, JudgeAgreesWithANaiveLoop) {
    const std::vector<HistoricDraw>& history = RealHistory();
    ASSERT_EQ(history.size(), 7731u);
    const std::size_t last = GetParam();
    std::vector<Rule> rules;
    for (const NaiveRule& r : NaiveRules()) {
        rules.push_back(r.rule);
    }
    std::string error;
    const std::optional<RuleSet> set = RuleSet::Compile(rules, &error);
    ASSERT_TRUE(set) << error;
    const RuleJudge judge(history, last);
    EXPECT_EQ(judge.NextIssue(), "2026225");
    EXPECT_EQ(judge.WindowDraws(), last == 0 ? 7731 : std::min<std::size_t>(last, 7731));
    const std::vector<RuleJudgement> judgements = judge.Judge(*set);
    ASSERT_EQ(judgements.size(), rules.size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        SCOPED_TRACE(rules[i].formula);
        EXPECT_EQ(judgements[i].rule, rules[i]);
        ExpectAgree(judgements[i], JudgeNaively(NaiveRules()[i], history, last, 5));
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, RealHistoryWindows,
                         testing::Values(0, 1, 2, 3, 100, 7729, 7730, 7731, 100000));

TEST(RuleJudge, GivenNextIssueSetsQi) {
    const std::vector<HistoricDraw>& history = RealHistory();
    std::string error;
    const std::optional<RuleSet> set = RuleSet::Compile({{RuleTarget::Dan, "期*3+百1"}}, &error);
    ASSERT_TRUE(set) << error;
    for (const char* issue : {"2026230", "2026237", "2027001"}) {
        const RuleJudge judge(history, 10, issue);
        EXPECT_EQ(judge.NextIssue(), issue);
        const int qi = issue[6] - '0';
        EXPECT_EQ(judge.Judge(*set).front().next, (qi * 3 + history.back().number / 100) % 10);
    }
}

TEST(RuleJudge, ShortHistoriesJudgeNothingTheyCannot) {
    std::string error;
    const std::optional<RuleSet> set =
        RuleSet::Compile({{RuleTarget::SumTail, "和1"}, {RuleTarget::Span, "跨2"}}, &error);
    ASSERT_TRUE(set) << error;
    const std::vector<HistoricDraw> none;
    const std::vector<RuleJudgement> empty = RuleJudge(none, 0).Judge(*set);
    EXPECT_EQ(empty[0].tested, 0);
    EXPECT_EQ(empty[0].next, kNoRuleValue);
    EXPECT_TRUE(empty[0].WithinNoise());

    const std::vector<HistoricDraw> one{{"2026001", 123}};
    const RuleJudge judge(one, 0);
    EXPECT_EQ(judge.NextIssue(), "2026002");
    const std::vector<RuleJudgement> j = judge.Judge(*set);
    EXPECT_EQ(j[0].tested, 0);
    EXPECT_EQ(j[0].next, 6);
    EXPECT_EQ(j[1].next, kNoRuleValue);
}

TEST(RuleJudge, RunsOfWrongDrawsByHand) {
    // 杀和尾=5 is wrong exactly when the sum ends in 5: 005, 014, 023.
    const std::vector<HistoricDraw> draws{{"1", 0}, {"2", 5},  {"3", 14}, {"4", 1},   {"5", 23},
                                          {"6", 5}, {"7", 14}, {"8", 2},  {"9", 500}, {"10", 104}};
    std::string error;
    const std::optional<RuleSet> set = RuleSet::Compile({{RuleTarget::SumTail, "5"}}, &error);
    ASSERT_TRUE(set) << error;
    const RuleJudgement all = RuleJudge(draws, 0).Judge(*set).front();
    EXPECT_EQ(all.tested, 9); // the first draw has no previous one
    EXPECT_EQ(all.right, 2);  // 001 and 002
    EXPECT_EQ(all.maxMiss, 3);
    EXPECT_EQ(all.currentMiss, 2);
    EXPECT_DOUBLE_EQ(all.ChanceRate(), 0.9);
}

} // namespace
} // namespace tarvex
