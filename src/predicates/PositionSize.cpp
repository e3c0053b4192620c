#include "predicates/PositionSize.h"

#include <array>
#include <string>

namespace tarvex {

namespace {

constexpr std::array<std::string_view, 3> kPositions{"百", "十", "个"};

struct ComparisonWord {
    std::string_view text;
    DigitRelation::Compare compare;
};

constexpr std::array<ComparisonWord, 6> kComparisons{{
    {"大于", DigitRelation::Compare::Greater},
    {"小于", DigitRelation::Compare::Less},
    {"等于", DigitRelation::Compare::Equal},
    {"大于等于", DigitRelation::Compare::GreaterEqual},
    {"小于等于", DigitRelation::Compare::LessEqual},
    {"不等于", DigitRelation::Compare::NotEqual},
}};

int DigitAt(int number, int position) {
    static constexpr int kDivisor[3] = {100, 10, 1};
    return number / kDivisor[position] % 10;
}

} // namespace

bool DigitRelation::Holds(int number) const {
    const int a = DigitAt(number, left);
    const int b = DigitAt(number, right);
    switch (compare) {
    case Compare::Greater:
        return a > b;
    case Compare::Less:
        return a < b;
    case Compare::GreaterEqual:
        return a >= b;
    case Compare::Equal:
        return a == b;
    case Compare::LessEqual:
        return a <= b;
    case Compare::NotEqual:
        return a != b;
    }
    return true;
}

// The known texts are exactly "position comparison other-position"; matching the
// whole joined text keeps rows whose cells split the words differently equivalent.
std::optional<DigitRelation> ParsePositionSize(std::string_view conditionText) {
    for (int left = 0; left < 3; ++left) {
        for (int right = 0; right < 3; ++right) {
            if (left == right) {
                continue;
            }
            for (const ComparisonWord& word : kComparisons) {
                std::string text(kPositions[left]);
                text += word.text;
                text += kPositions[right];
                if (text == conditionText) {
                    return DigitRelation{left, right, word.compare};
                }
            }
        }
    }
    return std::nullopt;
}

PositionSizeFilter::PositionSizeFilter(const std::vector<PositionSizeRow>& rows) {
    for (const PositionSizeRow& row : rows) {
        if (const auto relation = ParsePositionSize(row.left + row.comparison + row.right)) {
            relations_.push_back(*relation);
        }
    }
}

bool PositionSizeFilter::Passes(int number) const {
    for (const DigitRelation& relation : relations_) {
        if (!relation.Holds(number)) {
            return false;
        }
    }
    return true;
}

bool PositionSizeTest(int number, const std::vector<PositionSizeRow>& rows) {
    return PositionSizeFilter(rows).Passes(number);
}

} // namespace tarvex
