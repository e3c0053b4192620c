#include "predicates/Classifiers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <string>

namespace tarvex {
namespace {

using Classifier = std::function<int(int)>;

std::map<int, int> Histogram(const Classifier& classify) {
    std::map<int, int> counts;
    for (int n = 0; n < 1000; ++n) {
        ++counts[classify(n)];
    }
    return counts;
}

struct CountCase {
    const char* name;
    Classifier classify;
    std::map<int, int> expected;
};

class ClassifierCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(ClassifierCounts, CodesOccurAsOftenAsTheTablesSay) {
    EXPECT_EQ(Histogram(GetParam().classify), GetParam().expected);
}

const std::map<int, int> kEightWay{{0, 125}, {1, 125}, {2, 125}, {3, 125},
                                   {4, 125}, {5, 125}, {6, 125}, {7, 125}};

INSTANTIATE_TEST_SUITE_P(
    AllNumbers, ClassifierCounts,
    ::testing::Values(CountCase{"OddEven", OddEvenCode, kEightWay},
                      CountCase{"BigSmall", BigSmallCode, kEightWay},
                      CountCase{"PrimeComposite", PrimeCompositeCode, kEightWay},
                      CountCase{"Shape", ShapeCode, {{0, 10}, {1, 270}, {2, 720}}},
                      CountCase{"Consecutive", ConsecutiveCode, {{3, 520}, {4, 420}, {5, 60}}},
                      CountCase{"Ac", AcCode, {{1, 10}, {2, 390}, {3, 600}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Route012Code, EveryCodeOccursBetween27And64TimesAndCode0Has64) {
    const auto counts = Histogram(Route012Code);
    ASSERT_EQ(counts.size(), 27u);
    EXPECT_EQ(counts.begin()->first, 0);
    EXPECT_EQ(counts.rbegin()->first, 26);
    EXPECT_EQ(counts.at(0), 64);
    for (const auto& [code, count] : counts) {
        EXPECT_GE(count, 27) << code;
        EXPECT_LE(count, 64) << code;
    }
}

// The binding table of the eight-way numbering, written as patterns.
const std::array<const char*, 8> kPatterns{"AAA", "AAB", "ABA", "ABB", "BBB", "BBA", "BAB", "BAA"};

struct EightWayCase {
    const char* name;
    Classifier classify;
    std::function<bool(int)> inA;
};

class EightWayNumbering : public ::testing::TestWithParam<EightWayCase> {};

TEST_P(EightWayNumbering, CodeNamesThePatternOfTheDigits) {
    for (int n = 0; n < 1000; ++n) {
        std::string pattern;
        for (const int d : {n / 100, n / 10 % 10, n % 10}) {
            pattern += GetParam().inA(d) ? 'A' : 'B';
        }
        EXPECT_EQ(kPatterns.at(static_cast<std::size_t>(GetParam().classify(n))), pattern) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllNumbers, EightWayNumbering,
    ::testing::Values(EightWayCase{"OddEven", OddEvenCode, [](int d) { return d % 2 == 1; }},
                      EightWayCase{"BigSmall", BigSmallCode, [](int d) { return d >= 5; }},
                      EightWayCase{"PrimeComposite", PrimeCompositeCode,
                                   [](int d) {
                                       return std::string("12357").find(char('0' + d)) !=
                                              std::string::npos;
                                   }}),
    [](const auto& info) { return std::string(info.param.name); });

bool RingNeighbours(int a, int b) {
    return (a + 1) % 10 == b || (b + 1) % 10 == a;
}

int ConsecutiveByRing(int n) {
    std::array<int, 3> d{n / 100, n / 10 % 10, n % 10};
    std::sort(d.begin(), d.end());
    for (int x = 0; x < 10; ++x) {
        std::array<int, 3> run{x, (x + 1) % 10, (x + 2) % 10};
        std::sort(run.begin(), run.end());
        if (run == d) {
            return 5;
        }
    }
    const bool neighbours =
        RingNeighbours(d[0], d[1]) || RingNeighbours(d[1], d[2]) || RingNeighbours(d[0], d[2]);
    return neighbours ? 4 : 3;
}

TEST(ConsecutiveCode, AgreesWithTheRingDefinitionOnEveryNumber) {
    for (int n = 0; n < 1000; ++n) {
        EXPECT_EQ(ConsecutiveCode(n), ConsecutiveByRing(n)) << n;
    }
}

struct Example {
    int number;
    int oddEven, bigSmall, primeComposite, shape, consecutive, ac, route;
};

class ClassifierExamples : public ::testing::TestWithParam<Example> {};

TEST_P(ClassifierExamples, GiveTheListedCodes) {
    const Example& e = GetParam();
    if (e.oddEven >= 0) {
        EXPECT_EQ(OddEvenCode(e.number), e.oddEven);
    }
    if (e.bigSmall >= 0) {
        EXPECT_EQ(BigSmallCode(e.number), e.bigSmall);
    }
    if (e.primeComposite >= 0) {
        EXPECT_EQ(PrimeCompositeCode(e.number), e.primeComposite);
    }
    if (e.shape >= 0) {
        EXPECT_EQ(ShapeCode(e.number), e.shape);
    }
    if (e.consecutive >= 0) {
        EXPECT_EQ(ConsecutiveCode(e.number), e.consecutive);
    }
    if (e.ac >= 0) {
        EXPECT_EQ(AcCode(e.number), e.ac);
    }
    if (e.route >= 0) {
        EXPECT_EQ(Route012Code(e.number), e.route);
    }
}

// -1 marks a code the example does not state.
INSTANTIATE_TEST_SUITE_P(
    Listed, ClassifierExamples,
    ::testing::Values(Example{0, 4, 4, 4, 0, 3, 1, 0}, Example{111, 0, 4, 0, 0, 3, 1, 13},
                      Example{9, -1, -1, -1, 1, 4, -1, -1}, Example{135, -1, -1, -1, 2, 3, 2, -1},
                      Example{890, -1, -1, -1, 2, 5, 3, -1}, Example{510, 1, 3, 1, 2, 4, -1, 21},
                      Example{369, -1, -1, -1, 2, 3, -1, 0}, Example{258, -1, -1, -1, 2, 3, -1, 26},
                      Example{12, -1, -1, -1, 2, 5, 2, 5}, Example{955, 0, 0, 7, 1, 3, 2, 8}));

TEST(ConsecutiveCode, RingWrapsAroundNineAndZero) {
    for (const int n : {19, 91, 109, 190, 901, 910, 89, 98, 809, 890, 908, 980}) {
        EXPECT_EQ(ConsecutiveCode(n), 5) << n;
    }
}

} // namespace
} // namespace tarvex
