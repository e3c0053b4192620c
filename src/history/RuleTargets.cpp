#include "history/RuleTargets.h"

#include "predicates/Digits.h"

#include <string>

namespace tarvex {

namespace {

constexpr std::array<const char*, kRuleTargetCount> kNames{"杀和尾", "杀跨度", "杀百位", "杀十位",
                                                           "杀个位", "通杀",   "胆"};

bool Right(RuleTarget target, int value, int number) {
    const Digits d(number);
    switch (target) {
    case RuleTarget::SumTail:
        return d.Sum() % 10 != value;
    case RuleTarget::Span:
        return d.Span() != value;
    case RuleTarget::Hundreds:
        return d.h != value;
    case RuleTarget::Tens:
        return d.t != value;
    case RuleTarget::Units:
        return d.u != value;
    case RuleTarget::AllPositions:
        return d.h != value && d.t != value && d.u != value;
    case RuleTarget::Dan:
        return d.h == value || d.t == value || d.u == value;
    }
    return false;
}

struct Tables {
    std::array<std::array<NumberSet, 10>, kRuleTargetCount> right;
    std::array<std::array<int, 10>, kRuleTargetCount> counts{};
};

// Built once: every later question is a lookup, which keeps judging 1,000 rules cheap.
const Tables& Built() {
    static const Tables tables = [] {
        Tables t;
        for (const RuleTarget target : RuleTargets::kAll) {
            const auto at = static_cast<std::size_t>(target);
            for (int v = 0; v < 10; ++v) {
                for (int n = 0; n < 1000; ++n) {
                    t.right[at][static_cast<std::size_t>(v)][static_cast<std::size_t>(n)] =
                        Right(target, v, n);
                }
                t.counts[at][static_cast<std::size_t>(v)] =
                    static_cast<int>(t.right[at][static_cast<std::size_t>(v)].count());
            }
        }
        return t;
    }();
    return tables;
}

// Values come from formulas and are always 0..9; anything else is read as 0 rather than
// read past the table.
std::size_t ValueIndex(int value) {
    return static_cast<std::size_t>(value >= 0 && value <= 9 ? value : 0);
}

} // namespace

const char* RuleTargets::Name(RuleTarget target) {
    return kNames[static_cast<std::size_t>(target)];
}

std::optional<RuleTarget> RuleTargets::FromName(std::string_view name) {
    for (const RuleTarget target : kAll) {
        if (name == Name(target)) {
            return target;
        }
    }
    return std::nullopt;
}

std::string RuleTargets::NameList() {
    std::string list;
    for (std::size_t i = 0; i < kAll.size(); ++i) {
        list += i == 0 ? "" : (i + 1 == kAll.size() ? " 或 " : "、");
        list += Name(kAll[i]);
    }
    return list;
}

const NumberSet& RuleTargets::RightSet(RuleTarget target, int value) {
    return Built().right[static_cast<std::size_t>(target)][ValueIndex(value)];
}

int RuleTargets::RightCount(RuleTarget target, int value) {
    return Built().counts[static_cast<std::size_t>(target)][ValueIndex(value)];
}

const std::array<NumberSet, 10>& RuleTargets::RightSets(RuleTarget target) {
    return Built().right[static_cast<std::size_t>(target)];
}

const std::array<int, 10>& RuleTargets::RightCounts(RuleTarget target) {
    return Built().counts[static_cast<std::size_t>(target)];
}

} // namespace tarvex
