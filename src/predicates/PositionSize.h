#pragma once

#include "predicates/PositionSizeRow.h"

#include <optional>
#include <string_view>
#include <vector>

namespace tarvex {

// A relation between two digit positions (0 百, 1 十, 2 个).
struct DigitRelation {
    enum class Compare { Greater, Less, GreaterEqual, Equal, LessEqual, NotEqual };
    int left = 0;
    int right = 0;
    Compare compare = Compare::Equal;
    bool Holds(int number) const;
};

// The relation a condition text such as "十小于等于个" names; none for a text
// outside the 36 known ones (such as the same position on both sides).
std::optional<DigitRelation> ParsePositionSize(std::string_view conditionText);

// The rows of the position-size list read once, for testing many numbers against them.
class PositionSizeFilter {
public:
    explicit PositionSizeFilter(const std::vector<PositionSizeRow>& rows);
    // Passes when every row's relation holds; rows naming no relation constrain nothing.
    bool Passes(int number) const;

private:
    std::vector<DigitRelation> relations_;
};

// PositionSizeFilter(rows).Passes(number).
bool PositionSizeTest(int number, const std::vector<PositionSizeRow>& rows);

} // namespace tarvex
