#pragma once

#include "history/RandomnessTest.h"

#include <string>
#include <vector>

namespace tarvex {

// The Wald–Wolfowitz runs test: whether a two-valued sequence changes value as often as a
// random order of the same values would. The number of runs has an exact mean and variance
// given the counts of each value; its standard score is read against the normal distribution.
class RunsTest {
public:
    static RandomnessTest Run(std::string name, const std::vector<bool>& sequence);
};

} // namespace tarvex
