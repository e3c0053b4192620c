#pragma once

#include "history/RandomnessTest.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvex {

// Pearson's chi-square tests, their p-values from Boost.Math.
class ChiSquareTest {
public:
    // Below this expected count a class is pooled with its neighbour, and a table is too
    // sparse to test.
    static constexpr double kMinExpected = 5;
    // The chart's name of a table's cell (row, column).
    using CellLabel = std::function<std::string(std::size_t, std::size_t)>;

    // Observed counts against expected ones (the same total). Classes are taken in the order
    // given, and a run of neighbours is pooled until it expects at least 5; a remainder at the
    // end joins the last pool. Fewer than two pools leave the test without a p-value.
    static RandomnessTest GoodnessOfFit(std::string name,
                                        const std::vector<ObservedClass>& classes);

    // Independence of a table's rows and columns; rows and columns without a count are left
    // out of the degrees of freedom. A table whose cells expect fewer than 5 on average is
    // too sparse for the test.
    static RandomnessTest Independence(std::string name,
                                       const std::vector<std::vector<double>>& table,
                                       const CellLabel& label);

private:
    static std::vector<ObservedClass> Pool(const std::vector<ObservedClass>& classes);
};

} // namespace tarvex
