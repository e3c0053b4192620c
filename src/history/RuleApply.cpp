#include "history/RuleApply.h"

#include <cstddef>
#include <string>

namespace tarvex {

namespace {

void KillAt(Settings& settings, std::size_t position, int value) {
    std::string& digits = settings.positionalKillDigits[position];
    const char digit = static_cast<char>('0' + value);
    // The run looks the digit up in the edit's text, so one occurrence is enough.
    if (digits.find(digit) == std::string::npos) {
        digits += digit;
    }
    settings.positionalKill = true;
}

} // namespace

Settings ApplyRuleValues(Settings settings, const std::vector<Rule>& rules,
                         const std::vector<int>& values) {
    for (std::size_t i = 0; i < rules.size() && i < values.size(); ++i) {
        const int v = values[i];
        if (v < 0 || v > 9) {
            continue;
        }
        const auto box = static_cast<std::size_t>(v);
        switch (rules[i].target) {
        case RuleTarget::SumTail:
            settings.sumTail[box] = true;
            break;
        case RuleTarget::Span:
            settings.span[box] = true;
            break;
        case RuleTarget::Hundreds:
            KillAt(settings, 0, v);
            break;
        case RuleTarget::Tens:
            KillAt(settings, 1, v);
            break;
        case RuleTarget::Units:
            KillAt(settings, 2, v);
            break;
        case RuleTarget::AllPositions:
            for (std::size_t p = 0; p < 3; ++p) {
                KillAt(settings, p, v);
            }
            break;
        case RuleTarget::Dan:
            settings.dan[box] = true;
            break;
        }
    }
    return settings;
}

} // namespace tarvex
