#pragma once

#include <vector>

namespace tarvex {

// The number of successes of independent trials, each with its own chance.
class PoissonBinomial {
public:
    // P(successes ≥ atLeast), summed term by term from the whole distribution (no normal
    // approximation), so a small tail keeps its relative precision. 1 when atLeast ≤ 0, 0
    // when it exceeds the number of trials.
    static double UpperTail(const std::vector<double>& chances, int atLeast);
};

} // namespace tarvex
