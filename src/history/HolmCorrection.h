#pragma once

#include <vector>

namespace tarvex {

// Holm's step-down correction: each p-value of a family made comparable with 0.05 as if the
// family were one test, without assuming the tests independent.
class HolmCorrection {
public:
    // The corrected p-values, in the order given.
    static std::vector<double> Adjust(const std::vector<double>& p);
};

} // namespace tarvex
