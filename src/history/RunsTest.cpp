#include "history/RunsTest.h"

#include "history/PValues.h"

#include <cmath>
#include <cstdio>

namespace tarvex {

RandomnessTest RunsTest::Run(std::string name, const std::vector<bool>& sequence) {
    RandomnessTest test;
    test.name = std::move(name);
    test.sample = static_cast<int>(sequence.size());
    double ones = 0, runs = sequence.empty() ? 0 : 1;
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        ones += sequence[i] ? 1 : 0;
        if (i > 0 && sequence[i] != sequence[i - 1]) {
            runs += 1;
        }
    }
    const auto n = static_cast<double>(sequence.size());
    const double zeros = n - ones;
    const double both = 2 * ones * zeros;
    const double mean = n > 0 ? both / n + 1 : 0;
    const double variance = n > 1 ? both * (both - n) / (n * n * (n - 1)) : 0;
    test.classes = {{"游程数", runs, mean}};
    if (!(variance > 0)) {
        test.note = "期数太少或只有一种值，未检验";
        return test;
    }
    test.statistic = (runs - mean) / std::sqrt(variance);
    test.p = PValues::NormalTwoSided(test.statistic);
    char note[96];
    std::snprintf(note, sizeof note, "n = %d，游程 %.0f，期望 %.1f", test.sample, runs, mean);
    test.note = note;
    return test;
}

} // namespace tarvex
