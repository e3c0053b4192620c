#pragma once

#include "engine/NumberSet.h"

#include <array>
#include <string>
#include <vector>

namespace tarvex {

// How several number sets are combined (多方案).
enum class SetOperation {
    And,     // 交集: in every member
    Or,      // 并集: in any member
    Minus,   // 差集: in the first member and in none of the others
    AtLeast, // 至少 k 个: in at least k of the members
};

struct SetCombination {
    std::string message;             // why nothing was combined; empty when it was
    NumberSet numbers;               // the combined set
    std::array<int, 1000> holders{}; // for each number, how many members hold it
    bool completed() const { return message.empty(); }
};

// The members combined by the operation; k is read by AtLeast only and must lie in 1..n.
// No member, or a k out of range, gives a message and nothing combined.
SetCombination CombineSets(const std::vector<NumberSet>& members, SetOperation operation,
                           int k = 1);

// The set's numbers, ascending.
std::vector<int> SetNumbers(const NumberSet& numbers);

// The set as the runs write the result box: "%03d\t" each, "\n" after every fifth.
std::string SetResultText(const NumberSet& numbers);

} // namespace tarvex
