#include "engine/KillRun.h"
#include "numbersets/ExportText.h"
#include "predicates/Formula.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace tarvex {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

struct ValueCase {
    const char* text;
    std::int64_t value;
};

class HostileFormulaValue : public testing::TestWithParam<ValueCase> {};

TEST_P(HostileFormulaValue, ReadsLikeAtolButStopsAtTheRange) {
    EXPECT_EQ(ParseFormulaValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, HostileFormulaValue,
                         testing::Values(ValueCase{"99999999999999999999", kMax},
                                         ValueCase{"-99999999999999999999", kMin},
                                         ValueCase{"9223372036854775807", kMax},
                                         ValueCase{"9223372036854775808", kMax},
                                         ValueCase{"-9223372036854775808", kMin},
                                         ValueCase{"-9223372036854775809", kMin},
                                         ValueCase{"00000000000000000000000000000009", 9},
                                         ValueCase{" \t\r\n\v\f+12abc", 12}, ValueCase{"+-5", 0},
                                         ValueCase{"--5", 0}, ValueCase{"", 0},
                                         ValueCase{"\xff\xfe", 0}));

struct FormulaRunCase {
    const char* name;
    FormulaRow row;
    int survivors;
};

class HostileFormulaRun : public testing::TestWithParam<FormulaRunCase> {};

// A value beyond every sum the digits can make compares as a huge number, never wraps.
TEST_P(HostileFormulaRun, HugeValuesCompareWithoutWrapping) {
    Settings s;
    s.pages.formulaMatch = true;
    s.pages.formulas = {GetParam().row};
    const KillOutcome outcome = RunKill(s);
    ASSERT_TRUE(outcome.completed()) << outcome.message;
    EXPECT_EQ(static_cast<int>(outcome.survivors.size()), GetParam().survivors);
}

INSTANTIATE_TEST_SUITE_P(
    Values, HostileFormulaRun,
    testing::Values(
        FormulaRunCase{"LessThanHuge", {"和", "乘", "9", "小于", "99999999999999999999"}, 1000},
        FormulaRunCase{"GreaterThanHuge", {"和", "乘", "9", "大于", "99999999999999999999"}, 0},
        FormulaRunCase{"EqualsHuge", {"百", "加", "十", "等于", "99999999999999999999"}, 0},
        FormulaRunCase{"NotEqualsHuge", {"百", "加", "十", "不等于", "99999999999999999999"}, 1000},
        FormulaRunCase{
            "GreaterThanHugeNegative", {"百", "减", "9", "大于", "-99999999999999999999"}, 1000},
        // 百 除 十 divides by a zero tens digit for 100 of the numbers: they fail the row.
        FormulaRunCase{"DivisionByAZeroDigit", {"百", "除", "十", "大于", "-1"}, 900},
        FormulaRunCase{
            "RemainderByAZeroDigit", {"和", "取余", "个", "小于", "99999999999999999999"}, 900}),
    [](const testing::TestParamInfo<FormulaRunCase>& info) {
        return std::string(info.param.name);
    });

// A stored per-row index the combo does not have ("-5" or "99" as stored) puts one number on
// each line of tarvex.txt and of the export.
class HostilePerRow : public testing::TestWithParam<int> {};

TEST_P(HostilePerRow, OutOfRangeIndexGivesOneNumberPerLine) {
    Settings s;
    s.perRow = GetParam();
    s.pages.direct = "000,001,002,003,004,005,006,007,008,009";
    const KillOutcome outcome = RunKill(s);
    ASSERT_TRUE(outcome.completed()) << outcome.message;
    ASSERT_EQ(outcome.survivors.size(), 990u);
    EXPECT_EQ(std::count(outcome.fileText.begin(), outcome.fileText.end(), '\n'), 990);
    EXPECT_EQ(outcome.fileText.substr(0, 10), "010\t\n011\t\n");

    const std::string exported =
        ExportText({"010", "011", "012"}, GetParam(), "2024年01月02日 03:04:05");
    EXPECT_EQ(exported, "010\t\n011\t\n012\t\n\n2024年01月02日 03:04:05 共计3注\t");
}

INSTANTIATE_TEST_SUITE_P(Indexes, HostilePerRow, testing::Values(-5, -1, 20, 98, 99, 1 << 30));

} // namespace
} // namespace tarvex
