#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// One class of a test's tally, beside what fair draws would give it.
struct ObservedClass {
    std::string label;
    double observed = 0;
    double expected = 0;
};

// One test of whether the draws differ from fair ones.
struct RandomnessTest {
    std::string name;
    double statistic = 0;
    std::optional<int> df;       // chi-square tests; absent for the normal and binomial ones
    std::optional<double> p;     // absent when the window is too short for the test
    std::optional<double> pHolm; // corrected over every test that has a p
    bool significant = false;    // pHolm < 0.05
    int sample = 0;              // what was counted: draws, pairs, gaps or trials
    std::string note;            // how it was counted, or why it was not run
    std::vector<ObservedClass> classes;
};

} // namespace tarvex
