#include "history/RuleSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex {
namespace {

std::string Refusal(const std::string& text) {
    std::string error;
    EXPECT_FALSE(RuleSet::ParseRule(text, 1, &error).has_value()) << text;
    return error;
}

struct Hostile {
    const char* name;
    std::string rule;
    std::string raw;   // must not be in the message
    std::string shown; // must be
};

class RuleMessages : public testing::TestWithParam<Hostile> {};

// What a terminal or a message box would act on is shown as an escape; a byte that is not
// UTF-8 is shown as itself, never as "?".
TEST_P(RuleMessages, EscapeWhatATerminalWouldObey) {
    const std::string error = Refusal(GetParam().rule);
    if (!GetParam().raw.empty()) {
        EXPECT_EQ(error.find(GetParam().raw), std::string::npos) << error;
    }
    EXPECT_NE(error.find(GetParam().shown), std::string::npos) << error;
    EXPECT_EQ(error.find('?'), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RuleMessages,
    testing::Values(Hostile{"Escape", "杀和尾=和1+\x1B[2J", "\x1B", "\\x1B"},
                    Hostile{"C1",
                            "杀和尾=和1+\xC2\x9B"
                            "3",
                            "\xC2\x9B", "\\x9B"},
                    Hostile{"LineSeparator", "杀和尾=和1\xE2\x80\xA8+3", "\xE2\x80\xA8", "\\u2028"},
                    Hostile{"Override",
                            "杀和尾=\xE2\x80\xAE"
                            "和1",
                            "\xE2\x80\xAE", "\\u202E"},
                    Hostile{"OverrideInTarget", "杀和\xE2\x80\xAE尾=和1", "\xE2\x80\xAE",
                            "\\u202E"},
                    Hostile{"InvalidByte", "杀和尾=和1+\xFF", "", "\\xFF"},
                    Hostile{"TruncatedCharacter", "杀和尾=和1+\xE5\x92", "", "\\xE5\\x92"}),
    [](const testing::TestParamInfo<Hostile>& info) { return std::string(info.param.name); });

// "和１": the hint the docs promise for a full-width digit, at that digit.
TEST(RuleHostile, FullWidthDigitAfterAVariableGetsTheHint) {
    const std::string error = Refusal("杀和尾=和１+3");
    EXPECT_NE(error.find("全角"), std::string::npos) << error;
    EXPECT_NE(error.find("第 2 个字符"), std::string::npos) << error;
    EXPECT_EQ(error.find("后面应紧跟 1 或 2（"), std::string::npos) << error;
}

// A long rule is quoted in 60 characters and "…", whatever its bytes.
TEST(RuleHostile, LongRuleIsQuotedShort) {
    const std::string error = Refusal("杀和尾=" + std::string(100'000, '(') + "\xFF");
    EXPECT_LT(error.size(), 600u);
    EXPECT_NE(error.find("…"), std::string::npos) << error;
}

std::vector<Rule> Rules(std::size_t count, const std::string& formula) {
    return std::vector<Rule>(count, Rule{RuleTarget::SumTail, formula});
}

TEST(RuleHostile, RuleCountIsLimited) {
    std::string error;
    EXPECT_TRUE(RuleSet::Compile(Rules(RuleSet::kMaxRules, "和1+3"), &error).has_value());
    EXPECT_FALSE(RuleSet::Compile(Rules(RuleSet::kMaxRules + 1, "和1+3"), &error).has_value());
    EXPECT_NE(error.find("规则太多"), std::string::npos) << error;
}

TEST(RuleHostile, FormulaLengthIsLimited) {
    std::string longest = "1";
    while (longest.size() + 2 <= RuleFormula::kMaxLength)
        longest += "+1";
    std::string error;
    EXPECT_TRUE(RuleSet::Compile(Rules(1, longest), &error).has_value()) << error;
    EXPECT_FALSE(RuleSet::Compile(Rules(1, longest + "+1"), &error).has_value());
    EXPECT_NE(error.find("公式太长"), std::string::npos) << error;
    // Counted in characters: a formula of Chinese variables may be longer in bytes.
    std::string chinese = "和1";
    for (std::size_t chars = 2; chars + 3 <= RuleFormula::kMaxLength; chars += 3)
        chinese += "+和1";
    EXPECT_GT(chinese.size(), RuleFormula::kMaxLength);
    EXPECT_TRUE(RuleSet::Compile(Rules(1, chinese), &error).has_value()) << error;
}

} // namespace
} // namespace tarvex
