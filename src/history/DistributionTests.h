#pragma once

#include "history/RandomnessTest.h"

#include <vector>

namespace tarvex {

// Tests 1–3 of 随机性检验: whether the numbers, taken one by one, fall as fair draws would —
// each position's digits, the positions alike, the 1,000 numbers, the 220 组选 forms, 和值,
// 跨度 and 形态 against their exact chances.
class DistributionTests {
public:
    static void Add(const std::vector<int>& numbers, std::vector<RandomnessTest>& into);

private:
    static RandomnessTest Positions(const std::vector<int>& numbers);
    static RandomnessTest Against(const char* name, const std::vector<int>& values,
                                  const double* chances, std::size_t classes,
                                  const std::vector<std::string>& labels);
};

} // namespace tarvex
