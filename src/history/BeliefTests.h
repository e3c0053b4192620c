#pragma once

#include "engine/HistoricDraw.h"
#include "history/RandomnessTest.h"

#include <vector>

namespace tarvex {

// Test 7 of 随机性检验: the beliefs players bet on, each as a prediction made from the draws
// before and scored on the next one. Ties go to the smallest digit, so every prediction names
// one digit a position and fair draws make it right one time in ten, whatever came before:
// the hits are binomial.
class BeliefTests {
public:
    // (a) the digit most frequent at a position over the `window` draws before comes again;
    // (b) the digit longest absent at a position comes; (c) the 试机号 shares digits with the
    // number beyond what chance gives.
    static void Add(const std::vector<HistoricDraw>& draws, int window,
                    std::vector<RandomnessTest>& into);

private:
    static RandomnessTest Hot(const std::vector<int>& numbers, int window);
    static RandomnessTest Overdue(const std::vector<int>& numbers);
    static RandomnessTest Trial(const std::vector<HistoricDraw>& draws);
    static RandomnessTest Hits(std::string name, int trials, int hits);
};

} // namespace tarvex
