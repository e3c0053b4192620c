#pragma once

#include "history/RandomnessTest.h"

#include <vector>

namespace tarvex {

// Tests 4–6 of 随机性检验: whether a draw depends on the draws before it — digit after digit
// at each position, the digits shared with the previous draw, the runs of 大/小 and 奇/偶,
// and the gaps between a digit's appearances.
class SequenceTests {
public:
    static void Add(const std::vector<int>& numbers, std::vector<RandomnessTest>& into);

private:
    static RandomnessTest Transitions(const std::vector<int>& numbers, int position);
    static RandomnessTest SharedWithPrevious(const std::vector<int>& numbers);
    static RandomnessTest Gaps(const std::vector<int>& numbers, int position, int digit);
};

} // namespace tarvex
