#include "history/ChiSquareTest.h"

#include "history/PValues.h"

#include <algorithm>
#include <numeric>

namespace tarvex {

namespace {

const char* const kTooFew = "期数太少，未检验";

// A pool of neighbouring classes, named by its first and last.
struct Pooled {
    ObservedClass sum;
    std::string last;

    void Add(const ObservedClass& c) {
        sum.observed += c.observed;
        sum.expected += c.expected;
        last = c.label;
    }
    void Add(const Pooled& other) {
        sum.observed += other.sum.observed;
        sum.expected += other.sum.expected;
        last = other.last;
    }
    ObservedClass Named() const {
        ObservedClass named = sum;
        if (last != sum.label) {
            named.label += "–" + last;
        }
        return named;
    }
};

} // namespace

std::vector<ObservedClass> ChiSquareTest::Pool(const std::vector<ObservedClass>& classes) {
    std::vector<Pooled> pools;
    for (const ObservedClass& c : classes) {
        if (pools.empty() || pools.back().sum.expected >= kMinExpected) {
            pools.push_back({{c.label, 0, 0}, c.label});
        }
        pools.back().Add(c);
    }
    if (pools.size() > 1 && pools.back().sum.expected < kMinExpected) {
        const Pooled rest = pools.back();
        pools.pop_back();
        pools.back().Add(rest);
    }
    std::vector<ObservedClass> named;
    for (const Pooled& pool : pools) {
        named.push_back(pool.Named());
    }
    return named;
}

RandomnessTest ChiSquareTest::GoodnessOfFit(std::string name,
                                            const std::vector<ObservedClass>& classes) {
    RandomnessTest test;
    test.name = std::move(name);
    test.classes = Pool(classes);
    test.sample = static_cast<int>(
        std::accumulate(classes.begin(), classes.end(), 0.0,
                        [](double total, const ObservedClass& c) { return total + c.observed; }));
    if (test.classes.size() < 2 || test.classes.back().expected < kMinExpected) {
        test.note = kTooFew;
        return test;
    }
    for (const ObservedClass& c : test.classes) {
        const double off = c.observed - c.expected;
        test.statistic += off * off / c.expected;
    }
    test.df = static_cast<int>(test.classes.size()) - 1;
    test.p = PValues::ChiSquareUpper(test.statistic, *test.df);
    if (test.classes.size() < classes.size()) {
        test.note = std::to_string(classes.size()) + " 类并成 " +
                    std::to_string(test.classes.size()) + " 类（每类期望至少 5）";
    }
    return test;
}

RandomnessTest ChiSquareTest::Independence(std::string name,
                                           const std::vector<std::vector<double>>& table,
                                           const CellLabel& label) {
    RandomnessTest test;
    test.name = std::move(name);
    const std::size_t columns = table.empty() ? 0 : table.front().size();
    std::vector<double> rowTotal(table.size()), columnTotal(columns);
    double total = 0;
    for (std::size_t r = 0; r < table.size(); ++r) {
        for (std::size_t c = 0; c < columns; ++c) {
            rowTotal[r] += table[r][c];
            columnTotal[c] += table[r][c];
            total += table[r][c];
        }
    }
    test.sample = static_cast<int>(total);
    for (std::size_t r = 0; r < table.size(); ++r) {
        for (std::size_t c = 0; c < columns; ++c) {
            const double expected = total > 0 ? rowTotal[r] * columnTotal[c] / total : 0;
            test.classes.push_back({label(r, c), table[r][c], expected});
            if (expected > 0) {
                const double off = table[r][c] - expected;
                test.statistic += off * off / expected;
            }
        }
    }
    const auto used = [](const std::vector<double>& totals) {
        return static_cast<int>(
            std::count_if(totals.begin(), totals.end(), [](double t) { return t > 0; }));
    };
    const int df = (used(rowTotal) - 1) * (used(columnTotal) - 1);
    if (total < kMinExpected * static_cast<double>(table.size() * columns) || df < 1) {
        test.statistic = 0;
        test.note = kTooFew;
        return test;
    }
    test.df = df;
    test.p = PValues::ChiSquareUpper(test.statistic, df);
    return test;
}

} // namespace tarvex
