#pragma once

#include "engine/Condition.h"
#include "engine/NumberSet.h"
#include "engine/Settings.h"

#include <array>

namespace tarvex {

// Every condition of a settings value turned into the set of numbers it rejects.
// Each text is read once, so building is linear in the texts; a test is a bit lookup.
class CompiledConditions {
public:
    explicit CompiledConditions(const Settings& settings);
    // These conditions with the main window's boxes and edits (dan, sums, span, 定位杀,
    // excluded compound, 杀和值) compiled anew from `settings`: what a fresh compilation of
    // `settings` gives when it differs from the compiled settings in those alone. The page
    // texts, lists and candidates are not read again, so a backtest with rules, whose rules
    // change only those, compiles a 10 MB page once.
    CompiledConditions WithMainWindow(const Settings& settings) const;

    bool Rejects(Condition condition, int number) const {
        return rejects_[static_cast<int>(condition)].test(number);
    }
    // The dan condition as the tolerance run counts it: a number the match filter
    // passes is not held against its dan digits while the filter is on.
    bool DanRejectsTolerantly(int number) const { return danTolerant_.test(number); }
    // The kill run's candidates: compound input, base set or all numbers.
    const NumberSet& Candidates() const { return candidates_; }

private:
    NumberSet& Set(Condition condition) { return rejects_[static_cast<int>(condition)]; }
    void CompileMainWindow(const Settings& settings);
    void CompilePatterns(const Settings& settings);
    void CompileLists(const Settings& settings);
    void CompileDanTolerant(const Settings& settings);
    void CompilePages(const PageSettings& pages);
    void CompileIntersection(const PageSettings& pages);
    void CompileCandidates(const Settings& settings);

    std::array<NumberSet, kConditionCount> rejects_;
    NumberSet danTolerant_;
    NumberSet candidates_;
};

} // namespace tarvex
