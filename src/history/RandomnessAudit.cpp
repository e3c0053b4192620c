#include "history/RandomnessAudit.h"

#include "history/BeliefTests.h"
#include "history/DistributionTests.h"
#include "history/HolmCorrection.h"
#include "history/SequenceTests.h"

#include <algorithm>

namespace tarvex {

RandomnessAudit RandomnessAudit::Of(const std::vector<HistoricDraw>& history, std::size_t last,
                                    int hotWindow) {
    const std::size_t take = last == 0 || last > history.size() ? history.size() : last;
    const std::vector<HistoricDraw> window(history.end() - static_cast<std::ptrdiff_t>(take),
                                           history.end());
    RandomnessAudit audit;
    audit.draws = static_cast<int>(window.size());
    if (!window.empty()) {
        audit.firstIssue = window.front().issue;
        audit.lastIssue = window.back().issue;
    }
    std::vector<int> numbers;
    numbers.reserve(window.size());
    for (const HistoricDraw& draw : window) {
        numbers.push_back(draw.number);
    }
    DistributionTests::Add(numbers, audit.tests);
    SequenceTests::Add(numbers, audit.tests);
    BeliefTests::Add(window, hotWindow, audit.tests);

    // The family is every test that was run; one left out for want of draws is no test.
    std::vector<double> raw;
    for (const RandomnessTest& test : audit.tests) {
        if (test.p) {
            raw.push_back(*test.p);
        }
    }
    const std::vector<double> corrected = HolmCorrection::Adjust(raw);
    std::size_t next = 0;
    for (RandomnessTest& test : audit.tests) {
        if (test.p) {
            test.pHolm = corrected[next++];
            test.significant = *test.pHolm < kLevel;
        }
    }
    return audit;
}

int RandomnessAudit::Run() const {
    return static_cast<int>(std::count_if(tests.begin(), tests.end(),
                                          [](const RandomnessTest& t) { return t.p.has_value(); }));
}

int RandomnessAudit::Significant() const {
    return static_cast<int>(std::count_if(tests.begin(), tests.end(),
                                          [](const RandomnessTest& t) { return t.significant; }));
}

} // namespace tarvex
