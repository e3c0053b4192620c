#pragma once

#include "engine/HistoricDraw.h"

#include <array>
#include <cstdint>
#include <string>

namespace tarvex {

// The thirteen variables a formula may use.
enum class RuleVariable : std::uint8_t {
    Hundreds1,
    Tens1,
    Units1,
    Sum1,
    Span1,
    Tail1, // 百1 十1 个1 和1 跨1 尾1: the previous draw
    Hundreds2,
    Tens2,
    Units2,
    Sum2,
    Span2,
    Tail2, // 百2 … 尾2: the draw before it
    Issue, // 期: last digit of the predicted 期号
};

inline constexpr int kRuleVariableCount = 13;

// The variables' values for one predicted draw, each already taken mod 10: formulas
// add, subtract and multiply only, and their value is the result mod 10, so reducing
// every operand first gives the same value and no sum or product can overflow.
struct RuleInputs {
    std::array<std::uint8_t, kRuleVariableCount> mod10{};
    int draws = 0; // how many previous draws were there to fill them from: 0, 1 or 2

    // `previous` is the draw before the predicted one, `beforeThat` the one before it;
    // either may be null when the history does not reach back so far.
    static RuleInputs For(const HistoricDraw* previous, const HistoricDraw* beforeThat,
                          int issueDigit);
    // The last character of a 期号 when it is a digit, else 0.
    static int IssueDigit(const std::string& issue);
    // The 期号 after this one: its trailing digits plus one, keeping the width
    // ("2026224" → "2026225", "0999" → "1000", "999" → "1000"); "1" is appended to a
    // 期号 that does not end in a digit.
    static std::string NextIssue(const std::string& issue);
};

} // namespace tarvex
