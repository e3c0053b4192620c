#include "numbersets/SetCombination.h"

#include "engine/RunText.h"

namespace tarvex {

namespace {

NumberSet Combined(const std::vector<NumberSet>& members, SetOperation operation, int k,
                   const std::array<int, 1000>& holders) {
    NumberSet all;
    switch (operation) {
    case SetOperation::And:
        all.set();
        for (const NumberSet& m : members) {
            all &= m;
        }
        return all;
    case SetOperation::Or:
        for (const NumberSet& m : members) {
            all |= m;
        }
        return all;
    case SetOperation::Minus:
        for (std::size_t i = 1; i < members.size(); ++i) {
            all |= members[i];
        }
        return members.front() & ~all;
    case SetOperation::AtLeast:
        for (std::size_t n = 0; n < holders.size(); ++n) {
            all.set(n, holders[n] >= k);
        }
        return all;
    }
    return all;
}

} // namespace

SetCombination CombineSets(const std::vector<NumberSet>& members, SetOperation operation, int k) {
    SetCombination result;
    if (members.empty()) {
        result.message = "没有可以组合的方案或号码";
        return result;
    }
    const int n = static_cast<int>(members.size());
    if (operation == SetOperation::AtLeast && (k < 1 || k > n)) {
        result.message = "至少 k 个的 k 应在 1 到 " + std::to_string(n) + " 之间";
        return result;
    }
    for (const NumberSet& m : members) {
        for (std::size_t number = 0; number < m.size(); ++number) {
            result.holders[number] += m.test(number) ? 1 : 0;
        }
    }
    result.numbers = Combined(members, operation, k, result.holders);
    return result;
}

std::vector<int> SetNumbers(const NumberSet& numbers) {
    std::vector<int> list;
    list.reserve(numbers.count());
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        if (numbers.test(n)) {
            list.push_back(static_cast<int>(n));
        }
    }
    return list;
}

std::string SetResultText(const NumberSet& numbers) {
    std::string text;
    int written = 0;
    for (const int n : SetNumbers(numbers)) {
        text += CandidateText(n) + '\t';
        if (++written % 5 == 0) {
            text += '\n';
        }
    }
    return text;
}

} // namespace tarvex
