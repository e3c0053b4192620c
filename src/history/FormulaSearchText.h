#pragma once

#include "history/FormulaSearch.h"

#include <string>

namespace tarvex {

// The search's findings as text for a fixed-width font: the segments, the shuffled
// baseline, then the formulas with their training and check figures side by side.
class FormulaSearchText {
public:
    static std::string Report(const FormulaSearchResult& result, RuleTarget target, int terms);

    static std::string Percent(const ExactRate& rate);       // "90.12%"
    static std::string SignedPercent(const ExactRate& rate); // "+1.23%", "-0.40%"
    // The shuffled baseline's margin, a double: "+1.23%".
    static std::string SignedPercent(double rate);
    // "A 与 B、C 每期的值都相同，只算一个" for a formula with equivalents.
    static std::string Equivalents(const FoundFormula& found);
    static std::string PValue(double p); // "0.0123", "3.1e-05"
    // What the row of an adjusted p-value of 0.05 or more is marked with.
    static const char* NotSignificant() { return "检验段不显著"; }
    static bool Significant(const FoundFormula& found) { return found.pAdjusted < 0.05; }
};

} // namespace tarvex
