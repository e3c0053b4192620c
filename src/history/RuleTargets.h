#pragma once

#include "engine/NumberSet.h"
#include "engine/Rule.h"

#include <array>
#include <optional>
#include <string_view>

namespace tarvex {

// The seven targets: their names, when a value is right for a drawn number, and how often
// it is right by chance.
class RuleTargets {
public:
    static constexpr std::array<RuleTarget, kRuleTargetCount> kAll{
        RuleTarget::SumTail, RuleTarget::Span,         RuleTarget::Hundreds, RuleTarget::Tens,
        RuleTarget::Units,   RuleTarget::AllPositions, RuleTarget::Dan};

    // "杀和尾", "杀跨度", "杀百位", "杀十位", "杀个位", "通杀", "胆".
    static const char* Name(RuleTarget target);
    static std::optional<RuleTarget> FromName(std::string_view name);
    // "杀和尾、杀跨度、…或 胆", for messages.
    static std::string NameList();

    // The numbers 000..999 for which a rule of this target with this value (0..9) is right.
    static const NumberSet& RightSet(RuleTarget target, int value);
    static bool IsRight(RuleTarget target, int value, int number) {
        return RightSet(target, value).test(static_cast<std::size_t>(number));
    }
    // How many of the 1,000 numbers make the value right: the chance is this / 1000.
    static int RightCount(RuleTarget target, int value);
    // The same for all ten values at once, for loops that judge one target many times.
    static const std::array<NumberSet, 10>& RightSets(RuleTarget target);
    static const std::array<int, 10>& RightCounts(RuleTarget target);
    static double Chance(RuleTarget target, int value) {
        return RightCount(target, value) / 1000.0;
    }
};

} // namespace tarvex
