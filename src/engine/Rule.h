#pragma once

#include <string>

namespace tarvex {

// What a rule's value is used for on the coming draw.
enum class RuleTarget {
    SumTail,      // 杀和尾: the draw's sum tail is not the value
    Span,         // 杀跨度: its span is not the value
    Hundreds,     // 杀百位
    Tens,         // 杀十位
    Units,        // 杀个位
    AllPositions, // 通杀: none of its three digits is the value
    Dan,          // 胆: one of its digits is the value
};

inline constexpr int kRuleTargetCount = 7;

// A kill rule as the player writes it: a target and a formula over the previous draws,
// for example 杀和尾 = 和1+3. The formula is kept as typed (UTF-8) so that it can be
// shown, saved and compiled again. It lives beside the settings so that a scheme can hold
// its rules; compiling, judging and applying them is src/history's work.
struct Rule {
    RuleTarget target = RuleTarget::SumTail;
    std::string formula;
    bool operator==(const Rule&) const = default;
};

// The value of a rule that cannot be worked out: too few draws before the one predicted.
inline constexpr int kNoRuleValue = -1;

} // namespace tarvex
