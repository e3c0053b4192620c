#pragma once

#include "history/Analysis.h"
#include "history/ItemCondition.h"
#include "history/NumberFacts.h"

#include <string>
#include <vector>

namespace tarvex {

struct AnalysisItem {
    std::string text;
    ItemCondition condition;
};

// The items of each omission analysis, in the order the tables list them.
class AnalysisItems {
public:
    // Empty for 云杉分析, whose rows are dan methods rather than items.
    static const std::vector<AnalysisItem>& Of(AnalysisKind kind);
    // A condition out of its range (a position 5, a digit 12) holds for no number.
    static bool Holds(const ItemCondition& condition, int number);
    static bool Holds(const ItemCondition& condition, const NumberFacts& facts);
    // "奇偶偶" for code 3 of the shared eight-way numbering, with a and b the two class names.
    static std::string PatternLabel(int code, const std::string& a, const std::string& b);

private:
    static std::vector<AnalysisItem> Build(AnalysisKind kind);
    static std::vector<AnalysisItem> Route012();
    static std::vector<AnalysisItem> Range(ItemKind kind, int low, int high);
    static std::vector<AnalysisItem> Patterns(ItemKind pattern, ItemKind count,
                                              const std::string& a, const std::string& b);
    static std::vector<AnalysisItem> SingleDigit();
    static std::vector<AnalysisItem> Composite();
    static std::vector<AnalysisItem> TwoCode();
};

} // namespace tarvex
