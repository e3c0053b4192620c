#include "predicates/Formula.h"
#include "predicates/HitCount.h"
#include "predicates/JunkCompound.h"
#include "predicates/MatchFilter.h"
#include "predicates/PositionSize.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tarvex {
namespace {

int CountPassing(const auto& test) {
    int passing = 0;
    for (int n = 0; n < 1000; ++n) {
        passing += test(n) ? 1 : 0;
    }
    return passing;
}

struct HitCase {
    int number;
    const char* text;
    int hits;
};
class HitCountCases : public ::testing::TestWithParam<HitCase> {};
TEST_P(HitCountCases, CountsDistinctDigitsFoundInTheText) {
    EXPECT_EQ(HitCount(GetParam().number, GetParam().text), GetParam().hits);
}
INSTANTIATE_TEST_SUITE_P(Listed, HitCountCases,
                         ::testing::Values(HitCase{112, "123", 2}, HitCase{111, "1", 1},
                                           HitCase{123, "1,2,3", 3}, HitCase{456, "123", 0},
                                           HitCase{122, "2222", 1}, HitCase{0, "", 0},
                                           HitCase{907, "号码7 0", 2}));

struct MatchCase {
    std::vector<MatchRow> rows;
    int number;
    bool passes;
};
class MatchFilterCases : public ::testing::TestWithParam<MatchCase> {};
TEST_P(MatchFilterCases, EveryRowMustAllowTheHitCount) {
    EXPECT_EQ(MatchFilterTest(GetParam().number, GetParam().rows), GetParam().passes);
}
INSTANTIATE_TEST_SUITE_P(
    Listed, MatchFilterCases,
    ::testing::Values(MatchCase{{{"123", "2"}}, 112, true}, MatchCase{{{"123", "2"}}, 124, true},
                      MatchCase{{{"123", "2"}}, 111, false}, MatchCase{{{"123", "2"}}, 123, false},
                      MatchCase{{{"123", "2"}}, 456, false}, MatchCase{{{"5", "0"}}, 150, false},
                      MatchCase{{{"5", "0"}}, 140, true}, MatchCase{{{"1,2,3", "2"}}, 112, true},
                      MatchCase{{{"112", "1"}}, 345, false}, MatchCase{{{"12", "1"}}, 345, false},
                      MatchCase{{{"123", "012"}}, 321, false},
                      MatchCase{{{"123", "012"}}, 122, true},
                      MatchCase{{{"9", "0123"}, {"123", "3"}}, 124, false},
                      MatchCase{{{"123", "3"}, {"9", "0123"}}, 312, true},
                      MatchCase{{}, 777, true}));

TEST(MatchFilter, CountsZeroToOneTwoThreeKeepExactlyTheNumbersWithThoseHits) {
    EXPECT_EQ(CountPassing([](int n) { return MatchFilterTest(n, {{"5", "0"}}); }), 729);
    EXPECT_EQ(CountPassing([](int n) { return MatchFilterTest(n, {{"0123", "0123"}}); }), 1000);
    EXPECT_EQ(CountPassing([](int n) { return MatchFilterTest(n, {{"123", "012"}}); }), 994);
}

struct DanCase {
    int number;
    const char* dan;
    int mode;
    bool passes;
};
class DanCountCases : public ::testing::TestWithParam<DanCase> {};
TEST_P(DanCountCases, NeedsTwoOrThreeDanDigits) {
    const DanCase& c = GetParam();
    EXPECT_EQ(DanCountTest(c.number, c.dan, c.mode), c.passes);
}
INSTANTIATE_TEST_SUITE_P(
    Listed, DanCountCases,
    ::testing::Values(DanCase{112, "12", 2, true}, DanCase{123, "12", 2, true},
                      DanCase{113, "12", 2, false}, DanCase{111, "12", 2, false},
                      DanCase{134, "12", 2, false}, DanCase{123, "123", 3, true},
                      DanCase{321, "123", 3, true}, DanCase{112, "123", 3, false},
                      DanCase{124, "123", 3, false}, DanCase{222, "2", 1, true}));

struct PositionCase {
    std::vector<PositionSizeRow> rows;
    int number;
    bool passes;
};
class PositionSizeCases : public ::testing::TestWithParam<PositionCase> {};
TEST_P(PositionSizeCases, EveryKnownRelationMustHold) {
    EXPECT_EQ(PositionSizeTest(GetParam().number, GetParam().rows), GetParam().passes);
}
INSTANTIATE_TEST_SUITE_P(Listed, PositionSizeCases,
                         ::testing::Values(PositionCase{{{"百", "大于", "十"}}, 210, true},
                                           PositionCase{{{"百", "大于", "十"}}, 120, false},
                                           PositionCase{{{"百", "大于", "十"}}, 110, false},
                                           PositionCase{{{"十", "小于", "百"}}, 210, true},
                                           PositionCase{{{"个", "小于等于", "十"}}, 100, true},
                                           PositionCase{{{"个", "小于等于", "十"}}, 109, false},
                                           PositionCase{{{"百", "不等于", "个"}}, 101, false},
                                           PositionCase{{{"个", "大于等于", "百"}}, 505, true},
                                           PositionCase{{{"百", "大于", "百"}}, 123, true},
                                           PositionCase{{{"千", "大于", "十"}}, 123, true},
                                           PositionCase{{{"百大", "于", "十"}}, 120, false},
                                           PositionCase{{}, 123, true}));

TEST(PositionSize, FallingDigitsAreExactlyOneHundredTwenty) {
    const std::vector<PositionSizeRow> rows{{"百", "大于", "十"}, {"十", "大于", "个"}};
    EXPECT_EQ(CountPassing([&](int n) { return PositionSizeTest(n, rows); }), 120);
    EXPECT_TRUE(PositionSizeTest(985, rows));
}

TEST(PositionSize, TheThirtySixTextsAreKnownAndTheSamePositionIsNot) {
    const char* positions[] = {"百", "十", "个"};
    const char* comparisons[] = {"大于", "小于", "等于", "大于等于", "小于等于", "不等于"};
    int known = 0;
    for (const char* left : positions) {
        for (const char* comparison : comparisons) {
            for (const char* right : positions) {
                const bool parsed =
                    ParsePositionSize(std::string(left) + comparison + right).has_value();
                EXPECT_EQ(parsed, std::string(left) != right);
                known += parsed ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(known, 36);
}

struct ValueCase {
    const char* text;
    std::int64_t value;
};
class FormulaValues : public ::testing::TestWithParam<ValueCase> {};
TEST_P(FormulaValues, AreReadLikeAtolButSaturate) {
    EXPECT_EQ(ParseFormulaValue(GetParam().text), GetParam().value);
}
INSTANTIATE_TEST_SUITE_P(
    Listed, FormulaValues,
    ::testing::Values(ValueCase{"9", 9}, ValueCase{"7abc", 7}, ValueCase{"abc", 0},
                      ValueCase{"", 0}, ValueCase{"-3", -3}, ValueCase{"+5", 5},
                      ValueCase{" \t12", 12}, ValueCase{"- 3", 0}, ValueCase{"1 2", 1},
                      ValueCase{"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
                      ValueCase{"99999999999999999999", std::numeric_limits<std::int64_t>::max()},
                      ValueCase{"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
                      ValueCase{"-99999999999999999999",
                                std::numeric_limits<std::int64_t>::min()}));

FormulaRow Row(const char* left, const char* op, const char* right, const char* compare,
               const char* value) {
    return FormulaRow{left, op, right, compare, value};
}

struct FormulaCase {
    std::vector<FormulaRow> rows;
    int mode;
    int number;
    bool passes;
};
class FormulaCases : public ::testing::TestWithParam<FormulaCase> {};
TEST_P(FormulaCases, CombineRowsByMode) {
    const FormulaCase& c = GetParam();
    EXPECT_EQ(FormulaTest(c.number, c.rows, c.mode), c.passes);
}
INSTANTIATE_TEST_SUITE_P(
    Listed, FormulaCases,
    ::testing::Values(
        FormulaCase{{Row("百", "加", "十", "等于", "9")}, 1, 450, true},
        FormulaCase{{Row("百", "加", "十", "等于", "9")}, 1, 900, true},
        FormulaCase{{Row("百", "加", "十", "等于", "9")}, 1, 451, true},
        FormulaCase{{Row("百", "加", "十", "等于", "9")}, 1, 460, false},
        FormulaCase{{Row("百", "减", "个", "大于", "0")}, 1, 109, false},
        FormulaCase{{Row("百", "减", "个", "小于", "-3")}, 1, 109, true},
        FormulaCase{{Row("百", "等于", "十", "等于", "1")}, 1, 111, false},
        FormulaCase{{Row("百", "加", "1", "等于", "7abc")}, 1, 600, true},
        FormulaCase{{Row("百", "加", "十", "等于", "abc")}, 1, 0, true},
        FormulaCase{{Row("百", "乘", "十", "小于", "99999999999999999999")}, 1, 999, true},
        FormulaCase{{Row("百", "乘", "十", "大于", "-99999999999999999999")}, 1, 0, true},
        FormulaCase{{Row("百", "除", "十", "等于", "0")}, 1, 105, false},
        FormulaCase{{Row("百", "除", "十", "不等于", "0")}, 0, 105, false},
        FormulaCase{{Row("百", "取余", "十", "等于", "0")}, 0, 105, false},
        FormulaCase{{Row("个", "除", "十", "等于", "2")}, 1, 125, true},
        FormulaCase{{Row("个", "取余", "十", "等于", "1")}, 1, 125, true},
        FormulaCase{{Row("百", "等于", "十", "等于", "1"), Row("百", "加", "十", "等于", "3")},
                    0,
                    120,
                    true},
        FormulaCase{{Row("百", "加", "十", "等于", "3"), Row("个", "加", "十", "等于", "3")},
                    1,
                    120,
                    false},
        FormulaCase{
            {Row("百", "加", "十", "等于", "3"), Row("个", "加", "十", "等于", "3")}, 0, 120, true},
        FormulaCase{{Row("百", "加", "十", "等于", "4"), Row("个", "加", "十", "等于", "4")},
                    0,
                    120,
                    false},
        FormulaCase{{}, 1, 5, true}, FormulaCase{{}, 0, 5, true}));

TEST(Formula, DigitSumRemainderAndProductSelectTheListedCounts) {
    const std::vector<FormulaRow> divisible{Row("和", "取余", "3", "等于", "0")};
    EXPECT_EQ(CountPassing([&](int n) { return FormulaTest(n, divisible, 1); }), 334);
    const std::vector<FormulaRow> small{Row("和", "乘", "2", "小于", "10")};
    EXPECT_EQ(CountPassing([&](int n) { return FormulaTest(n, small, 1); }), 35);
}

struct JunkCase {
    const char* text;
    std::vector<int> killed;
    std::vector<int> passed;
};
class JunkCases : public ::testing::TestWithParam<JunkCase> {};
TEST_P(JunkCases, CoveredNumbersFailOthersPass) {
    for (const int n : GetParam().killed) {
        EXPECT_FALSE(JunkCompoundTest(n, GetParam().text)) << n;
    }
    for (const int n : GetParam().passed) {
        EXPECT_TRUE(JunkCompoundTest(n, GetParam().text)) << n;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Listed, JunkCases,
    ::testing::Values(JunkCase{"012789*0123789*0178", {0, 918, 277}, {300, 45}},
                      JunkCase{"012789+0123789-0178", {0, 918, 277}, {300, 45}},
                      JunkCase{"1*2*3 4*5*6", {123, 456}, {124, 453}},
                      JunkCase{"1*2*3\t4*5*6", {123, 456}, {}},
                      JunkCase{"1*2*3\r\n4*5*6\r\n", {123, 456}, {}},
                      JunkCase{"1*2*3,4*5*6", {123, 124}, {456}}, JunkCase{"11*2*3", {123}, {113}},
                      JunkCase{"**1**2*3", {123}, {}}, JunkCase{"01234", {}, {0, 12, 123, 444}},
                      JunkCase{"1*2", {}, {123, 120}}, JunkCase{"1*2*", {}, {123, 120}},
                      JunkCase{"1*2*3*4", {123}, {124}}, JunkCase{"1号*码2*3", {123}, {}},
                      JunkCase{"", {}, {0, 999}}));

TEST(JunkCompound, LongCompoundsAndGroupsAreReadWhole) {
    const std::string longGroup = "0000000000000000000000000000000000000000009";
    const std::string text = longGroup + "*" + longGroup + "*" + longGroup;
    EXPECT_FALSE(JunkCompoundTest(999, text));
    EXPECT_FALSE(JunkCompoundTest(90, text));
    EXPECT_TRUE(JunkCompoundTest(91, text));
    EXPECT_EQ(ParseJunkCompounds(text).size(), 1u);
}

} // namespace
} // namespace tarvex
