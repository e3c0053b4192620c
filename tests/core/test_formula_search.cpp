#include "history/FormulaScan.h"
#include "history/FormulaSearch.h"
#include "history/PoissonBinomial.h"
#include "history/RuleFormula.h"
#include "history/RuleJudge.h"
#include "history/RuleTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tarvex {
namespace {

std::vector<HistoricDraw> RandomHistory(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<HistoricDraw> draws;
    for (std::size_t i = 0; i < size; ++i) {
        draws.push_back({std::to_string(2024001 + i), static_cast<int>(random() % 1000), {}, {}});
    }
    return draws;
}

struct Prepared {
    std::vector<int> numbers;
    std::vector<RuleInputs> inputs;
};

Prepared Prepare(const std::vector<HistoricDraw>& draws) {
    Prepared p;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        p.numbers.push_back(draws[i].number);
        p.inputs.push_back(RuleInputs::For(i >= 1 ? &draws[i - 1] : nullptr,
                                           i >= 2 ? &draws[i - 2] : nullptr,
                                           RuleInputs::IssueDigit(draws[i].issue)));
    }
    return p;
}

// The rule judge's figures on the two segments, each judged as a window of its own.
struct Reference {
    RuleJudgement train;
    RuleJudgement check;
};

// The segments' judges, built once for many formulas.
struct Judges {
    Judges(const std::vector<HistoricDraw>& draws, std::size_t windowBegin, std::size_t checkBegin)
        : train(std::vector<HistoricDraw>(draws.begin(),
                                          draws.begin() + static_cast<long>(checkBegin)),
                checkBegin - windowBegin),
          check(draws, draws.size() - checkBegin) {}

    Reference Judge(RuleTarget target, const std::string& text) const {
        const std::optional<RuleFormula> formula = RuleFormula::Parse(text, nullptr);
        EXPECT_TRUE(formula) << text;
        const Rule rule{target, text};
        return {train.Judge(rule, *formula), check.Judge(rule, *formula)};
    }

    RuleJudge train;
    RuleJudge check;
};

Reference Judged(const std::vector<HistoricDraw>& draws, std::size_t windowBegin,
                 std::size_t checkBegin, RuleTarget target, const std::string& text) {
    return Judges(draws, windowBegin, checkBegin).Judge(target, text);
}

FormulaTally TallyOf(const RuleJudgement& j) {
    return {j.tested, j.right, j.chanceCount};
}

// Better on the training segment, written out again: margins as exact fractions.
bool RanksBefore(const RuleJudgement& a, const std::string& ta, const RuleJudgement& b,
                 const std::string& tb) {
    const long long left = (1000LL * a.right - a.chanceCount) * std::max(b.tested, 1);
    const long long right = (1000LL * b.right - b.chanceCount) * std::max(a.tested, 1);
    if (left != right) {
        return left > right;
    }
    if (a.right != b.right) {
        return a.right > b.right;
    }
    return ta < tb;
}

// ---- Every formula of a small space, one by one through the rule judge ----

struct SpaceCase {
    std::size_t history, windowBegin, checkBegin;
    int terms;
};

class ScanAgainstJudge : public ::testing::TestWithParam<SpaceCase> {};

TEST_P(ScanAgainstJudge, EveryFormulaHasTheJudgesFiguresAndRank) {
    const SpaceCase space = GetParam();
    const std::vector<HistoricDraw> draws = RandomHistory(space.history, 7);
    const Prepared prepared = Prepare(draws);
    const Judges judges(draws, space.windowBegin, space.checkBegin);
    for (const RuleTarget target : {RuleTarget::SumTail, RuleTarget::Span, RuleTarget::Tens,
                                    RuleTarget::AllPositions, RuleTarget::Dan}) {
        const std::size_t all = FormulaScan::Tried(space.terms);
        FormulaScan scan(prepared.numbers, prepared.inputs,
                         {target, space.terms, all, space.windowBegin, space.checkBegin});
        ASSERT_TRUE(scan.Run());
        const std::vector<ScannedFormula>& found = scan.Best();
        ASSERT_EQ(found.size(), all);

        std::vector<std::pair<std::string, Reference>> judged;
        std::set<std::string> texts;
        for (const ScannedFormula& f : found) {
            texts.insert(f.text);
            judged.emplace_back(f.text, judges.Judge(target, f.text));
            ASSERT_EQ(f.train, TallyOf(judged.back().second.train))
                << RuleTargets::Name(target) << "=" << f.text;
            ASSERT_EQ(f.check, TallyOf(judged.back().second.check))
                << RuleTargets::Name(target) << "=" << f.text;
        }
        EXPECT_EQ(texts.size(), all) << "every formula once";
        std::stable_sort(judged.begin(), judged.end(), [](const auto& a, const auto& b) {
            return RanksBefore(a.second.train, a.first, b.second.train, b.first);
        });
        for (std::size_t i = 0; i < all; ++i) {
            ASSERT_EQ(found[i].text, judged[i].first) << "rank " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spaces, ScanAgainstJudge,
    ::testing::Values(SpaceCase{300, 0, 210, 1}, SpaceCase{300, 0, 210, 2},
                      SpaceCase{260, 60, 259, 2}, // inputs from before the window, check of 1
                      SpaceCase{120, 1, 100, 1},  // the window starts where 2-draw formulas
                      SpaceCase{3, 0, 2, 2}));    // cannot, then a window too short for any

// Three terms are too many to judge one by one in a test; their tallies are checked on the
// draws directly, formula by formula, for a short history.
TEST(FormulaScan, ThreeTermsAgreeWithDirectEvaluation) {
    const std::vector<HistoricDraw> draws = RandomHistory(40, 11);
    const Prepared prepared = Prepare(draws);
    const RuleTarget target = RuleTarget::Units;
    const std::size_t windowBegin = 5, checkBegin = 30;
    FormulaScan scan(prepared.numbers, prepared.inputs, {target, 3, 200, windowBegin, checkBegin});
    ASSERT_TRUE(scan.Run());
    ASSERT_EQ(scan.Best().size(), 200U);
    ASSERT_EQ(FormulaScan::Tried(3), 286ULL * 729 * 10);
    // The 200 kept must be the best of all: none outside ranks before the last kept one.
    const ScannedFormula& last = scan.Best().back();
    std::size_t better = 0;
    ScannedFormula f;
    f.terms = 3;
    for (int x = 0; x < 13; ++x)
        for (int y = x + 1; y < 13; ++y)
            for (int z = y + 1; z < 13; ++z) {
                f.variables = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                               static_cast<std::uint8_t>(z)};
                for (int a = 1; a <= 9; ++a)
                    for (int b = 1; b <= 9; ++b)
                        for (int d = 1; d <= 9; ++d)
                            for (int c = 0; c < 10; ++c) {
                                f.coefficients = {static_cast<std::uint8_t>(a),
                                                  static_cast<std::uint8_t>(b),
                                                  static_cast<std::uint8_t>(d)};
                                f.constant = c;
                                f.train = {};
                                for (std::size_t i = std::max<std::size_t>(windowBegin, f.Needs());
                                     i < checkBegin; ++i) {
                                    const auto& v = prepared.inputs[i].mod10;
                                    const int value = (a * v[static_cast<std::size_t>(x)] +
                                                       b * v[static_cast<std::size_t>(y)] +
                                                       d * v[static_cast<std::size_t>(z)] + c) %
                                                      10;
                                    ++f.train.tested;
                                    f.train.right += prepared.numbers[i] % 10 != value;
                                    f.train.chanceCount += 900;
                                }
                                f.text = f.Text();
                                better += FormulaScan::Better(f, last);
                            }
            }
    EXPECT_EQ(better, 199U);
    for (const ScannedFormula& kept : scan.Best()) {
        const Reference ref = Judged(draws, windowBegin, checkBegin, target, kept.text);
        EXPECT_EQ(kept.train, TallyOf(ref.train)) << kept.text;
        EXPECT_EQ(kept.check, TallyOf(ref.check)) << kept.text;
    }
}

TEST(FormulaScan, TextsParseBackWithTheirNeeds) {
    ScannedFormula f;
    f.terms = 3;
    f.variables = {0, 9, 12};
    f.coefficients = {3, 1, 9};
    f.constant = 4;
    EXPECT_EQ(f.Text(), "3*百1+和2+9*期+4");
    f.constant = 0;
    f.coefficients = {1, 1, 1};
    EXPECT_EQ(f.Text(), "百1+和2+期");
    for (int v = 0; v < 13; ++v) {
        f.terms = 1;
        f.variables = {static_cast<std::uint8_t>(v), 0, 0};
        const auto parsed = RuleFormula::Parse(f.Text(), nullptr);
        ASSERT_TRUE(parsed) << f.Text();
        EXPECT_EQ(parsed->Needs(), f.Needs()) << f.Text();
    }
}

TEST(FormulaScan, TiesGoToMoreRightThenToTheText) {
    ScannedFormula a, b;
    a.train = {10, 9, 9000};   // margin 0
    b.train = {20, 18, 18000}; // margin 0, more right
    a.text = "百1";
    b.text = "十1";
    EXPECT_TRUE(FormulaScan::Better(b, a));
    EXPECT_FALSE(FormulaScan::Better(a, b));
    b.train = a.train;
    EXPECT_TRUE(FormulaScan::Better(b, a)) << "十 sorts before 百 by its bytes";
    EXPECT_FALSE(FormulaScan::Better(a, a));
    // No tested draw: margin 0, beside a formula whose margin is below 0.
    ScannedFormula none;
    none.text = "期";
    a.train = {10, 8, 9000};
    EXPECT_TRUE(FormulaScan::Better(none, a));
}

// ---- Poisson-binomial tail against a direct enumeration ----

double Enumerated(const std::vector<double>& p, int atLeast) {
    const std::size_t n = p.size();
    double tail = 0;
    for (std::uint32_t outcome = 0; outcome < (1U << n); ++outcome) {
        double chance = 1;
        for (std::size_t i = 0; i < n; ++i) {
            chance *= (outcome >> i & 1U) != 0 ? p[i] : 1 - p[i];
        }
        if (std::popcount(outcome) >= atLeast) {
            tail += chance;
        }
    }
    return tail;
}

TEST(PoissonBinomial, TailEqualsEnumeration) {
    std::mt19937 random(3);
    const std::vector<double> pool{0.9, 0.729, 0.271, 0.946, 0.99, 0.5, 0.0, 1.0, 0.855};
    for (int round = 0; round < 60; ++round) {
        const std::size_t n = random() % 13;
        std::vector<double> p;
        for (std::size_t i = 0; i < n; ++i) {
            p.push_back(pool[random() % pool.size()]);
        }
        for (int k = -1; k <= static_cast<int>(n) + 1; ++k) {
            const double expected = k <= 0 ? 1.0 : Enumerated(p, k);
            EXPECT_NEAR(PoissonBinomial::UpperTail(p, k), expected, 1e-12 * std::max(1.0, expected))
                << "n=" << n << " k=" << k;
        }
    }
}

TEST(PoissonBinomial, SmallTailsKeepTheirPrecision) {
    // 2000 draws at 0.9, all right: 0.9^2000, far below any fixed absolute error.
    const std::vector<double> p(2000, 0.9);
    const double tail = PoissonBinomial::UpperTail(p, 2000);
    EXPECT_NEAR(std::log(tail), 2000 * std::log(0.9), 1e-9 * 2000);
    EXPECT_DOUBLE_EQ(PoissonBinomial::UpperTail(p, 0), 1.0);
    EXPECT_DOUBLE_EQ(PoissonBinomial::UpperTail({}, 1), 0.0);
}

// The distribution over every count 0..n, zeros included, as the tail was first computed:
// leaving out the counts whose chance is 0 in double precision must not move a single bit.
double TailOverEveryCount(const std::vector<double>& chances, int atLeast) {
    std::map<double, int> groups;
    for (const double p : chances) {
        ++groups[p];
    }
    std::vector<double> pmf{1.0};
    for (const auto& [p, n] : groups) {
        std::vector<double> b(static_cast<std::size_t>(n) + 1, 0.0);
        const int mode = std::clamp(static_cast<int>((n + 1) * p), 0, n);
        b[static_cast<std::size_t>(mode)] =
            std::exp(std::lgamma(n + 1.0) - std::lgamma(mode + 1.0) - std::lgamma(n - mode + 1.0) +
                     mode * std::log(p) + (n - mode) * std::log1p(-p));
        for (int k = mode + 1; k <= n; ++k) {
            b[static_cast<std::size_t>(k)] = b[k - 1U] * (n - k + 1) / k * p / (1 - p);
        }
        for (int k = mode - 1; k >= 0; --k) {
            b[static_cast<std::size_t>(k)] = b[k + 1U] * (k + 1) / (n - k) * (1 - p) / p;
        }
        std::vector<double> sum(pmf.size() + b.size() - 1, 0.0);
        for (std::size_t j = 0; j < b.size(); ++j) {
            for (std::size_t i = 0; i < pmf.size(); ++i) {
                sum[i + j] += pmf[i] * b[j];
            }
        }
        pmf = sum;
    }
    double tail = 0;
    for (auto k = static_cast<int>(chances.size()); k >= atLeast; --k) {
        tail += pmf[static_cast<std::size_t>(k)];
    }
    return std::min(tail, 1.0);
}

TEST(PoissonBinomial, LongSegmentsAgreeBitForBitWithTheWholeDistribution) {
    std::mt19937 random(11);
    for (const RuleTarget target : {RuleTarget::Span, RuleTarget::SumTail, RuleTarget::Dan}) {
        const std::array<int, 10>& counts = RuleTargets::RightCounts(target);
        std::vector<double> chances;
        for (int i = 0; i < 6000; ++i) {
            chances.push_back(counts[random() % 10] / 1000.0);
        }
        double mean = 0;
        for (const double p : chances) {
            mean += p;
        }
        for (const double at :
             {0.0, mean - 200, mean - 40, mean, mean + 40, mean + 150, mean + 400, 6000.0}) {
            const int k = std::clamp(static_cast<int>(at), 1, 6000);
            EXPECT_EQ(PoissonBinomial::UpperTail(chances, k), TailOverEveryCount(chances, k))
                << static_cast<int>(target) << " k=" << k;
        }
    }
}

// ---- The whole search ----

// A slow, plain distribution by one trial at a time, for the p-values of the search.
double TailByTrials(const std::vector<double>& p, int atLeast) {
    std::vector<double> pmf{1.0};
    for (const double q : p) {
        std::vector<double> next(pmf.size() + 1, 0.0);
        for (std::size_t k = 0; k < pmf.size(); ++k) {
            next[k] += pmf[k] * (1 - q);
            next[k + 1] += pmf[k] * q;
        }
        pmf = next;
    }
    double tail = 0;
    for (std::size_t k = static_cast<std::size_t>(std::max(atLeast, 0)); k < pmf.size(); ++k) {
        tail += pmf[k];
    }
    return tail;
}

TEST(FormulaSearch, FiguresPValuesAndSegmentsAsDefined) {
    const std::vector<HistoricDraw> draws = RandomHistory(400, 5);
    for (const RuleTarget target : RuleTargets::kAll) {
        FormulaSearchOptions options;
        options.target = target;
        options.terms = 2;
        options.last = 350;
        options.top = 7;
        const FormulaSearchResult result = FormulaSearch::Run(draws, options);
        ASSERT_TRUE(result.ok()) << result.error;
        EXPECT_EQ(result.draws, 350);
        EXPECT_EQ(result.tried, 78ULL * 81 * 10);
        EXPECT_EQ(result.check.draws, 105); // 30% of the window, rounded down
        EXPECT_EQ(result.train.draws, 245);
        EXPECT_EQ(result.train.first, draws[50].issue);
        EXPECT_EQ(result.train.last, draws[294].issue);
        EXPECT_EQ(result.check.first, draws[295].issue);
        EXPECT_EQ(result.check.last, draws.back().issue);
        ASSERT_EQ(result.formulas.size(), 7U);
        for (const FoundFormula& found : result.formulas) {
            const Reference ref = Judged(draws, 50, 295, target, found.formula);
            EXPECT_EQ(TallyOf(found.train), TallyOf(ref.train));
            EXPECT_EQ(found.train.maxMiss, ref.train.maxMiss);
            EXPECT_EQ(TallyOf(found.check), TallyOf(ref.check));
            EXPECT_EQ(found.check.maxMiss, ref.check.maxMiss);
            EXPECT_EQ(found.check.next, ref.check.next);
            const auto formula = RuleFormula::Parse(found.formula, nullptr);
            std::vector<double> chances;
            for (std::size_t i = std::max<std::size_t>(295, formula->Needs()); i < draws.size();
                 ++i) {
                const RuleInputs in = RuleInputs::For(&draws[i - 1], &draws[i - 2],
                                                      RuleInputs::IssueDigit(draws[i].issue));
                chances.push_back(RuleTargets::Chance(target, formula->Evaluate(in)));
            }
            const double p = TailByTrials(chances, found.check.right);
            EXPECT_NEAR(found.p, p, 1e-12 + 1e-9 * p) << found.formula;
            EXPECT_DOUBLE_EQ(found.pAdjusted, std::min(1.0, 7 * found.p));
        }
    }
}

// 和 and 尾 agree mod 10, so 9*和1+… and 9*尾1+… are one rule: ranked once, the other named.
TEST(FormulaSearch, EachValueSequenceIsRankedOnce) {
    const std::vector<HistoricDraw> draws = RandomHistory(600, 3);
    const auto sequence = [&draws](const std::string& text) {
        const auto formula = RuleFormula::Parse(text, nullptr);
        std::string values(1, static_cast<char>(formula->Needs()));
        for (std::size_t i = formula->Needs(); i < draws.size(); ++i) {
            values += static_cast<char>(
                '0' + formula->Evaluate(RuleInputs::For(i >= 1 ? &draws[i - 1] : nullptr,
                                                        i >= 2 ? &draws[i - 2] : nullptr,
                                                        RuleInputs::IssueDigit(draws[i].issue))));
        }
        return values;
    };
    FormulaSearchOptions options;
    options.target = RuleTarget::SumTail;
    options.terms = 2;
    options.top = 20;
    const FormulaSearchResult result = FormulaSearch::Run(draws, options);
    ASSERT_TRUE(result.ok()) << result.error;
    ASSERT_EQ(result.formulas.size(), 20U);
    std::set<std::string> seen;
    std::size_t equivalents = 0;
    for (const FoundFormula& found : result.formulas) {
        const std::string values = sequence(found.formula);
        EXPECT_TRUE(seen.insert(values).second) << found.formula;
        for (const std::string& other : found.equivalents) {
            EXPECT_EQ(sequence(other), values) << found.formula << " " << other;
        }
        equivalents += found.equivalents.size();
        EXPECT_DOUBLE_EQ(found.pAdjusted, std::min(1.0, 20 * found.p));
    }
    EXPECT_GT(equivalents, 0U); // the search space has such pairs, and the best hold some
}

TEST(FormulaSearch, BaselineIsTheSameSearchOnTheShuffledWindow) {
    const std::vector<HistoricDraw> draws = RandomHistory(200, 9);
    FormulaSearchOptions options;
    options.terms = 1;
    options.last = 150;
    options.seed = 42;
    const FormulaSearchResult result = FormulaSearch::Run(draws, options);
    ASSERT_TRUE(result.ok());
    const std::vector<HistoricDraw> shuffled = FormulaSearch::Shuffled(draws, 50, 42);
    options.shuffled = false;
    const FormulaSearchResult onShuffled = FormulaSearch::Run(shuffled, options);
    ASSERT_TRUE(onShuffled.ok());
    EXPECT_DOUBLE_EQ(result.shuffledBestMargin, onShuffled.formulas.front().train.Margin());
}

TEST(FormulaSearch, ShuffleMovesOnlyTheWindowsNumbers) {
    const std::vector<HistoricDraw> draws = RandomHistory(100, 1);
    const std::vector<HistoricDraw> once = FormulaSearch::Shuffled(draws, 30, 8);
    EXPECT_EQ(once, FormulaSearch::Shuffled(draws, 30, 8)) << "the same seed, the same order";
    EXPECT_NE(once, FormulaSearch::Shuffled(draws, 30, 9));
    std::multiset<int> before, after;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        EXPECT_EQ(once[i].issue, draws[i].issue);
        if (i < 30) {
            EXPECT_EQ(once[i].number, draws[i].number);
        } else {
            before.insert(draws[i].number);
            after.insert(once[i].number);
        }
    }
    EXPECT_EQ(before, after);
}

TEST(FormulaSearch, RefusesWhatCannotBeSearched) {
    const std::vector<HistoricDraw> draws = RandomHistory(50, 2);
    FormulaSearchOptions options;
    options.check = 50;
    EXPECT_FALSE(FormulaSearch::Run(draws, options).error.empty()) << "no training draw left";
    options.check = 0;
    options.terms = 4;
    EXPECT_FALSE(FormulaSearch::Run(draws, options).error.empty());
    options.terms = 1;
    options.top = 0;
    EXPECT_FALSE(FormulaSearch::Run(draws, options).error.empty());
    options.top = 20;
    EXPECT_FALSE(FormulaSearch::Run(RandomHistory(1, 2), options).error.empty());
    EXPECT_FALSE(FormulaSearch::Run({}, options).error.empty());
    // Entries with no valid number are left out, as the rule judge leaves them out.
    std::vector<HistoricDraw> holed = RandomHistory(2, 2);
    holed.insert(holed.begin() + 1, HistoricDraw{"x", 1000, {}, {}});
    options.check = 1;
    const FormulaSearchResult result = FormulaSearch::Run(holed, options);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.draws, 2);
    EXPECT_EQ(result.check.draws, 1);
    EXPECT_EQ(result.formulas.front().train.tested, 0) << "the first draw has no previous";
    EXPECT_EQ(result.formulas.front().check.tested, 1);
}

TEST(FormulaSearch, ProgressCountsUpAndCancelStops) {
    const std::vector<HistoricDraw> draws = RandomHistory(100, 4);
    FormulaSearchOptions options;
    options.terms = 2;
    std::size_t calls = 0, last = 0, total = 0;
    const auto counting = [&](std::size_t done, std::size_t all) {
        EXPECT_EQ(done, last + 1);
        last = done;
        total = all;
        ++calls;
        return true;
    };
    ASSERT_TRUE(FormulaSearch::Run(draws, options, counting).ok());
    EXPECT_EQ(total, 2 * FormulaScan::VariableSets(2));
    EXPECT_EQ(calls, total);
    const FormulaSearchResult cancelled =
        FormulaSearch::Run(draws, options, [](std::size_t done, std::size_t) { return done < 5; });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_TRUE(cancelled.formulas.empty());
}

} // namespace
} // namespace tarvex
