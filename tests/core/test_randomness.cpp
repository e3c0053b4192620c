// 随机性检验 held to answers worked out here without the engine's code or Boost: exact
// distributions by brute force, p-values from closed forms built on std::erfc and sums.
#include "engine/HistoricDraw.h"
#include "history/HolmCorrection.h"
#include "history/NumberDistributions.h"
#include "history/RandomnessAudit.h"
#include "history/RandomnessText.h"
#include "history/RunsTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <random>

namespace tarvex {
namespace {

// P(χ²(df) ≥ x) in closed form: a Poisson sum for even df, erfc and half-integer terms for odd.
double ChiRef(double x, int df) {
    const double h = x / 2;
    double sum = 0;
    if (df % 2 == 0) {
        for (int k = 0; k < df / 2; ++k) {
            sum += std::exp(k * std::log(h) - h - std::lgamma(k + 1.0));
        }
        return sum;
    }
    sum = std::erfc(std::sqrt(h));
    for (int k = 1; k <= (df - 1) / 2; ++k) {
        sum += std::exp((k - 0.5) * std::log(h) - h - std::lgamma(k + 0.5));
    }
    return sum;
}

double BinomRef(int n, double p, int k) {
    double sum = 0;
    for (int j = k; j <= n; ++j) {
        sum += std::exp(std::lgamma(n + 1.0) - std::lgamma(j + 1.0) - std::lgamma(n - j + 1.0) +
                        j * std::log(p) + (n - j) * std::log1p(-p));
    }
    return sum;
}

// Digits in common by matching sorted digits, not by counting them.
int SharedRef(int a, int b) {
    std::string x = std::to_string(a + 1000).substr(1), y = std::to_string(b + 1000).substr(1);
    int shared = 0;
    for (char c : x) {
        const auto at = y.find(c);
        if (at != std::string::npos) {
            y.erase(at, 1);
            ++shared;
        }
    }
    return shared;
}

std::vector<HistoricDraw> History(const std::vector<int>& numbers) {
    std::vector<HistoricDraw> draws;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        draws.emplace_back(std::to_string(2000001 + i), numbers[i]);
    }
    return draws;
}

std::vector<int> Fair(unsigned seed, std::size_t size) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pick(0, 999);
    std::vector<int> numbers(size);
    for (int& n : numbers) {
        n = pick(random);
    }
    return numbers;
}

const RandomnessTest& Named(const RandomnessAudit& audit, const std::string& name) {
    for (const RandomnessTest& test : audit.tests) {
        if (test.name == name) {
            return test;
        }
    }
    ADD_FAILURE() << "no test " << name;
    static const RandomnessTest none;
    return none;
}

// Pearson's statistic of observed counts against chances, every class expecting 5 or more.
double Pearson(const std::vector<double>& observed, const std::vector<double>& chances) {
    double total = 0, statistic = 0;
    for (double o : observed) {
        total += o;
    }
    for (std::size_t i = 0; i < observed.size(); ++i) {
        EXPECT_GE(total * chances[i], 5.0);
        statistic += std::pow(observed[i] - total * chances[i], 2) / (total * chances[i]);
    }
    return statistic;
}

void ExpectP(const RandomnessTest& test, double expected) {
    ASSERT_TRUE(test.p.has_value()) << test.name << ": " << test.note;
    if (expected < 1e-300) { // beyond a double: both must have gone to nothing
        EXPECT_LT(*test.p, 1e-300) << test.name;
        return;
    }
    EXPECT_NEAR(*test.p / expected, 1.0, 1e-6) << test.name << " p=" << *test.p;
}

TEST(RandomnessTest, ExactDistributionsMatchCountingEveryNumberAndPair) {
    std::map<int, double> sum, span, shape, form;
    for (int n = 0; n < 1000; ++n) {
        const int a = n / 100, b = n / 10 % 10, c = n % 10;
        sum[a + b + c] += 0.001;
        span[std::max({a, b, c}) - std::min({a, b, c})] += 0.001;
        shape[(a == b) + (b == c) + (a == c)] += 0.001; // 3 豹子, 1 组三, 0 组六
    }
    for (int s = 0; s < 28; ++s) {
        EXPECT_NEAR(NumberDistributions::SumChances()[static_cast<std::size_t>(s)], sum[s], 1e-12);
    }
    for (int s = 0; s < 10; ++s) {
        EXPECT_NEAR(NumberDistributions::SpanChances()[static_cast<std::size_t>(s)], span[s],
                    1e-12);
    }
    const int equalPairs[] = {3, 1, 0}; // 豹子, 组三, 组六
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(NumberDistributions::ShapeChances()[k], shape[equalPairs[k]], 1e-12);
    }
    for (int n = 0; n < 1000; ++n) {
        form[NumberDistributions::Combination(n)] += 0.001;
        const std::string label =
            NumberDistributions::CombinationLabel(NumberDistributions::Combination(n));
        std::string digits = std::to_string(n + 1000).substr(1);
        std::sort(digits.begin(), digits.end());
        ASSERT_EQ(label, digits);
    }
    ASSERT_EQ(form.size(), std::size_t{NumberDistributions::kCombinations});
    for (const auto& [c, chance] : form) {
        EXPECT_NEAR(NumberDistributions::CombinationChances()[static_cast<std::size_t>(c)], chance,
                    1e-12);
    }
    std::vector<double> shared(4);
    for (int a = 0; a < 1000; ++a) {
        for (int b = 0; b < 1000; ++b) {
            shared[static_cast<std::size_t>(SharedRef(a, b))] += 1e-6;
        }
    }
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(NumberDistributions::SharedChances()[k], shared[k], 1e-9) << k;
    }
    EXPECT_EQ(NumberDistributions::Shared(112, 121), 3);
    EXPECT_EQ(NumberDistributions::Shared(112, 123), 2);
}

TEST(RandomnessTest, HolmCorrectsStepDownAndStaysMonotone) {
    struct Case {
        std::vector<double> raw, corrected;
    } cases[] = {
        {{0.01, 0.04, 0.03, 0.005}, {0.03, 0.06, 0.06, 0.02}},
        {{0.5}, {0.5}},
        {{0.3, 0.3, 0.9}, {0.9, 0.9, 0.9}},
        {{0.001, 0.6, 0.2}, {0.003, 0.6, 0.4}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        const std::vector<double> got = HolmCorrection::Adjust(c.raw);
        ASSERT_EQ(got.size(), c.corrected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_NEAR(got[i], c.corrected[i], 1e-12);
        }
    }
}

// Every number once: the digits, forms, sums, spans and shapes fall exactly as expected.
TEST(RandomnessTest, PerfectlyUniformHistoryFitsExactly) {
    std::vector<int> numbers(1000);
    for (int n = 0; n < 1000; ++n) {
        numbers[static_cast<std::size_t>(n)] = (n * 379) % 1000; // every number, shuffled
    }
    const RandomnessAudit audit = RandomnessAudit::Of(History(numbers), 0);
    EXPECT_EQ(audit.draws, 1000);
    for (const char* name :
         {"百位数字均匀", "十位数字均匀", "个位数字均匀", "三个位置的数字分布相同",
          "1000 个号码均匀", "220 种组选组合", "和值分布", "跨度分布", "形态（豹子/组三/组六）"}) {
        const RandomnessTest& test = Named(audit, name);
        EXPECT_NEAR(test.statistic, 0.0, 1e-9) << name;
        ExpectP(test, 1.0);
        EXPECT_EQ(RandomnessText::Verdict(test), RandomnessText::kFair);
    }
    // 1,000 classes expecting one draw each, pooled five to a class.
    EXPECT_EQ(Named(audit, "1000 个号码均匀").df, 1000 / 5 - 1);
}

// 百位 7 twice as likely as any other digit; 十位 and 个位 exactly uniform.
TEST(RandomnessTest, PlantedBiasIsFoundAtItsPositionOnly) {
    std::vector<int> numbers;
    for (int i = 0; i < 1100; ++i) {
        const int hundreds = i < 200 ? 7 : (i - 200) / 100 + ((i - 200) / 100 >= 7 ? 1 : 0);
        numbers.push_back(hundreds * 100 + (i / 10 % 10) * 10 + i % 10);
    }
    const RandomnessAudit audit = RandomnessAudit::Of(History(numbers), 0);
    const RandomnessTest& hundreds = Named(audit, "百位数字均匀");
    EXPECT_NEAR(hundreds.statistic, (9 * 100.0 + 90 * 90.0) / 110, 1e-9);
    EXPECT_EQ(hundreds.df, 9);
    ExpectP(hundreds, ChiRef((9 * 100.0 + 90 * 90.0) / 110, 9));
    EXPECT_TRUE(hundreds.significant);
    EXPECT_EQ(RandomnessText::Verdict(hundreds), RandomnessText::kSignificant);
    ExpectP(Named(audit, "十位数字均匀"), 1.0);
    ExpectP(Named(audit, "个位数字均匀"), 1.0);

    // The positions compared: rows are digits, columns 百 十 个, expected row total / 3.
    double statistic = 0;
    for (int d = 0; d < 10; ++d) {
        const double row[3] = {d == 7 ? 200.0 : 100.0, 110, 110};
        const double expected = (row[0] + row[1] + row[2]) / 3;
        for (double o : row) {
            statistic += (o - expected) * (o - expected) / expected;
        }
    }
    const RandomnessTest& alike = Named(audit, "三个位置的数字分布相同");
    EXPECT_NEAR(alike.statistic, statistic, 1e-9);
    ExpectP(alike, ChiRef(statistic, 18));
    EXPECT_NE(RandomnessText::Summary(audit).find("百位数字均匀"), std::string::npos);
}

// Each draw's 百位 repeats the previous draw's 个位: every draw shares a digit with the last.
TEST(RandomnessTest, RepeatedLastDigitShowsInTheSharedDigits) {
    std::vector<int> numbers = Fair(7, 2000);
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        numbers[i] = numbers[i - 1] % 10 * 100 + numbers[i] % 100;
    }
    std::vector<double> observed(4), chances(4);
    for (int a = 0; a < 1000; ++a) {
        for (int b = 0; b < 1000; ++b) {
            chances[static_cast<std::size_t>(SharedRef(a, b))] += 1e-6;
        }
    }
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        observed[static_cast<std::size_t>(SharedRef(numbers[i - 1], numbers[i]))] += 1;
    }
    EXPECT_EQ(observed[0], 0.0);
    const RandomnessAudit audit = RandomnessAudit::Of(History(numbers), 0);
    const RandomnessTest& shared = Named(audit, "与上期相同的数字个数");
    const double statistic = Pearson(observed, chances);
    EXPECT_NEAR(shared.statistic / statistic, 1.0, 1e-9);
    EXPECT_EQ(shared.df, 3);
    ExpectP(shared, ChiRef(statistic, 3));
    EXPECT_TRUE(shared.significant);
}

TEST(RandomnessTest, RunsOfAnAlternatingSequence) {
    struct Case {
        std::vector<bool> sequence;
        double runs;
    };
    std::vector<bool> alternating, blocks;
    for (int i = 0; i < 100; ++i) {
        alternating.push_back(i % 2 == 0);
        blocks.push_back(i / 25 % 2 == 0); // four runs
    }
    for (const Case& c : {Case{alternating, 100}, Case{blocks, 4}}) {
        const double n1 = 50, n2 = 50, n = 100;
        const double mean = 2 * n1 * n2 / n + 1;
        const double variance = 2 * n1 * n2 * (2 * n1 * n2 - n) / (n * n * (n - 1));
        const double z = (c.runs - mean) / std::sqrt(variance);
        const RandomnessTest test = RunsTest::Run("runs", c.sequence);
        EXPECT_NEAR(test.statistic, z, 1e-12);
        ExpectP(test, std::erfc(std::fabs(z) / std::numbers::sqrt2));
    }
    EXPECT_FALSE(RunsTest::Run("one value", std::vector<bool>(20, true)).p.has_value());
}

// Every position counts 0, 1, 2 … 9 over and over: the digit longest absent always comes
// next, and the window's most frequent digit (all tie, so 0) comes one draw in ten.
TEST(RandomnessTest, BeliefsOnACyclingHistory) {
    std::vector<int> numbers;
    for (int i = 0; i < 100; ++i) {
        numbers.push_back(i % 10 * 111);
    }
    const RandomnessAudit audit = RandomnessAudit::Of(History(numbers), 0, 30);
    const RandomnessTest& hot = Named(audit, "热号延续（前 30 期最多的数字）");
    EXPECT_EQ(hot.sample, 3 * 70);
    EXPECT_EQ(hot.statistic, 3 * 7);
    ExpectP(hot, BinomRef(210, 0.1, 21));
    const RandomnessTest& overdue = Named(audit, "冷号回补（遗漏最久的数字）");
    EXPECT_EQ(overdue.statistic, 3 * 99);
    ExpectP(overdue, std::pow(0.1, 297));

    // 试机号 equal to the number one draw in twenty, else drawn apart from it.
    std::vector<HistoricDraw> draws = History(Fair(3, 2000));
    const std::vector<int> trials = Fair(4, 2000);
    std::vector<double> observed(4), chances(NumberDistributions::SharedChances().begin(),
                                             NumberDistributions::SharedChances().end());
    for (std::size_t i = 0; i < draws.size(); ++i) {
        const int trial = i % 20 == 0 ? draws[i].number : trials[i];
        draws[i].trial = std::to_string(trial + 1000).substr(1);
        observed[static_cast<std::size_t>(SharedRef(trial, draws[i].number))] += 1;
    }
    const RandomnessAudit withTrials = RandomnessAudit::Of(draws, 0);
    const RandomnessTest& trial = Named(withTrials, "试机号与开奖号相同的数字个数");
    EXPECT_EQ(trial.sample, 2000);
    ExpectP(trial, ChiRef(Pearson(observed, chances), 3));
    EXPECT_TRUE(trial.significant);
    EXPECT_FALSE(Named(audit, "试机号与开奖号相同的数字个数").p.has_value());
}

// Fair histories: the raw p-values spread evenly, and Holm keeps false alarms rare.
TEST(RandomnessTest, FairHistoriesGiveUniformPValues) {
    constexpr int kHistories = 100;
    std::vector<int> deciles(10);
    int values = 0, alarms = 0;
    for (int seed = 1; seed <= kHistories; ++seed) {
        const RandomnessAudit audit =
            RandomnessAudit::Of(History(Fair(static_cast<unsigned>(seed), 600)), 0);
        alarms += audit.Significant() > 0 ? 1 : 0;
        for (const RandomnessTest& test : audit.tests) {
            if (test.p) {
                ++deciles[static_cast<std::size_t>(std::min(9.0, *test.p * 10))];
                ++values;
            }
        }
    }
    ASSERT_GT(values, kHistories * 40);
    for (int count : deciles) {
        EXPECT_NEAR(count, values / 10.0, values / 10.0 * 0.3);
    }
    EXPECT_LE(alarms, kHistories * 12 / 100);
}

TEST(RandomnessTest, WindowAndShortHistories) {
    const std::vector<HistoricDraw> draws = History(Fair(11, 800));
    const RandomnessAudit newest = RandomnessAudit::Of(draws, 100);
    EXPECT_EQ(newest.draws, 100);
    EXPECT_EQ(newest.firstIssue, draws[700].issue);
    EXPECT_EQ(newest.lastIssue, draws.back().issue);
    EXPECT_EQ(RandomnessAudit::Of(draws, 5000).draws, 800);
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{3}}) {
        const RandomnessAudit tiny = RandomnessAudit::Of(History(Fair(5, size)), 0);
        EXPECT_EQ(tiny.tests.size(), newest.tests.size());
        for (const RandomnessTest& test : tiny.tests) {
            EXPECT_FALSE(test.significant) << test.name;
            EXPECT_EQ(test.p.has_value(), test.pHolm.has_value());
        }
        EXPECT_LT(tiny.Run(), newest.Run());
    }
}

} // namespace
} // namespace tarvex
