#include "dan/DanCalculator.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tarvex {
namespace {

struct DanCase {
    int method;
    std::string input;
    std::string output;
};

void PrintTo(const DanCase& c, std::ostream* os) {
    *os << "method " << c.method << " \"" << c.input << "\"";
}

class DanCalculation : public testing::TestWithParam<DanCase> {};

TEST_P(DanCalculation, LeavesTheText) {
    const DanResult result = CalcDan(GetParam().method, GetParam().input);
    EXPECT_FALSE(result.refused()) << result.message;
    EXPECT_EQ(result.text, GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(
    Methods, DanCalculation,
    testing::Values(
        DanCase{1, "8878", "29962"}, DanCase{1, "123", "35267"}, DanCase{1, "5", "07110"},
        DanCase{1, "0", "00000"}, DanCase{1, "abc", "00000"}, DanCase{1, "  16xyz", "12720"},
        DanCase{1, "-16", "12720"}, DanCase{1, "-5", "07110"}, DanCase{1, "+16", "12720"},
        DanCase{1, "1000000", "31800"}, DanCase{1, "99999999999999999999", "14736"},
        DanCase{1, "-99999999999999999999", "14736"}, DanCase{1, "29962", "55044"},
        DanCase{2, "8878", "5486"}, DanCase{2, "5", "3090"}, DanCase{2, "0", "0000"},
        DanCase{2, "x8878", "0000"}, DanCase{2, "-5", "-309"}, DanCase{2, "\t 10", "6180"},
        DanCase{2, "99999999999999999999", "1327"}, DanCase{2, "-99999999999999999999", "-132"},
        DanCase{3, "8878", "旧公式 78 新公式 46"}, DanCase{3, "7481", "旧公式 45 新公式 26"},
        DanCase{3, "0000", "旧公式 34 新公式 0"}, DanCase{3, "3999", "旧公式 23 新公式 54"},
        DanCase{3, "x999", "旧公式 34 新公式 54"}, DanCase{3, "8 12", "旧公式 78 新公式 6"},
        DanCase{3, "8大8", "旧公式 78 新公式 0"}, DanCase{1, "", ""}, DanCase{2, "", ""},
        DanCase{3, "", ""}));

class DanRefusal : public testing::TestWithParam<std::string> {};

TEST_P(DanRefusal, Method3NeedsFourBytes) {
    const DanResult result = CalcDan(3, GetParam());
    EXPECT_EQ(result.message, "格式本期期尾+上期奖号，如18期为8878,17期为7481");
    EXPECT_EQ(result.text, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, DanRefusal,
                         testing::Values("格式本期期尾+上期奖号，如18期为8878", "887", "88788",
                                         "大底大", "8大", "8大底", " 8878", "8878\n"));

struct LengthCase {
    std::string text;
    std::size_t bytes;
};

class GbkBytes : public testing::TestWithParam<LengthCase> {};

TEST_P(GbkBytes, CountsAsCodePage936) {
    EXPECT_EQ(GbkLength(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Texts, GbkBytes,
                         testing::Values(LengthCase{"", 0}, LengthCase{"8878", 4},
                                         LengthCase{"大底", 4}, LengthCase{"8大8", 4},
                                         LengthCase{"，", 2}, LengthCase{"\xff\xfe", 2},
                                         LengthCase{"\xe5\xa4", 2}));

TEST(LeadingInteger, ReadsLikeAtolAndSaturates) {
    EXPECT_EQ(LeadingInteger(" \t-42abc"), -42);
    EXPECT_EQ(LeadingInteger("+7"), 7);
    EXPECT_EQ(LeadingInteger("- 7"), 0);
    EXPECT_EQ(LeadingInteger("2147483647"), 2147483647);
    EXPECT_EQ(LeadingInteger("2147483648"), 2147483647);
    EXPECT_EQ(LeadingInteger("-2147483648"), -2147483648LL);
    EXPECT_EQ(LeadingInteger("-2147483649"), -2147483648LL);
    EXPECT_EQ(LeadingInteger(std::string(100000, '9')), 2147483647);
}

TEST(CalcDan, UnknownMethodLeavesTheText) {
    EXPECT_EQ(CalcDan(0, "8878").text, "8878");
    EXPECT_EQ(CalcDan(4, "8878").text, "8878");
}

} // namespace
} // namespace tarvex
