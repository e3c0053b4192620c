#include "history/SetRecord.h"

#include "history/RuleBacktest.h"
#include "history/RuleSet.h"
#include "numbersets/SchemeSet.h"

#include <algorithm>

namespace tarvex {

namespace {

bool Drawn(const HistoricDraw& d) {
    return d.number >= 0 && d.number <= 999;
}

void Add(SetRecord& record, const std::string& issue, bool hit, int size) {
    record.issues.push_back(issue);
    record.scan.push_back(hit);
    record.sizeSum += size;
    if (hit) {
        ++record.hits;
        record.currentMiss = 0;
    } else {
        record.maxMiss = std::max(record.maxMiss, ++record.currentMiss);
    }
}

SetRecord RecordWithRules(const Settings& scheme, bool tolerance,
                          const std::vector<HistoricDraw>& history, std::size_t last) {
    SetRecord record;
    std::string error;
    const std::optional<RuleSet> rules = RuleSet::Compile(scheme.rules, &error);
    if (!rules) {
        record.message = error;
        return record;
    }
    const RuleBacktestResult run = RunRuleBacktest(scheme, scheme.level + 1, *rules, history, last);
    for (const RuleBacktestDraw& d : run.draws) {
        Add(record, d.draw.issue, tolerance ? d.draw.survivesTolerance : d.draw.survivesKill,
            tolerance ? d.toleranceCount : d.draw.count);
    }
    return record;
}

} // namespace

SetRecord RecordSet(const NumberSet& numbers, const std::vector<HistoricDraw>& history,
                    std::size_t last) {
    SetRecord record;
    const auto drawn =
        static_cast<std::size_t>(std::count_if(history.begin(), history.end(), Drawn));
    std::size_t skip = last == 0 || last >= drawn ? 0 : drawn - last;
    const int size = static_cast<int>(numbers.count());
    record.issues.reserve(drawn - skip);
    record.scan.reserve(drawn - skip);
    for (const HistoricDraw& d : history) {
        if (!Drawn(d)) {
            continue;
        }
        if (skip > 0) {
            --skip;
            continue;
        }
        Add(record, d.issue, numbers.test(static_cast<std::size_t>(d.number)), size);
    }
    return record;
}

SetRecord RecordScheme(const Settings& scheme, bool tolerance,
                       const std::vector<HistoricDraw>& history, std::size_t last) {
    if (!scheme.rules.empty()) {
        return RecordWithRules(scheme, tolerance, history, last);
    }
    const SchemeSet set = SchemeNumbers(scheme, tolerance);
    if (!set.completed()) {
        SetRecord record;
        record.message = set.message;
        return record;
    }
    return RecordSet(set.numbers, history, last);
}

} // namespace tarvex
