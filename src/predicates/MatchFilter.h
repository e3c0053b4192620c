#pragma once

#include "predicates/MatchRow.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvex {

// The rows of the match list read once, for testing many numbers against them.
class MatchFilter {
public:
    explicit MatchFilter(const std::vector<MatchRow>& rows);
    // Passes when, for every row, the number's hit count in 号码 is one of the counts in 出数.
    bool Passes(int number) const;

private:
    struct Row {
        std::uint16_t numbers; // the digits of 号码
        std::uint16_t counts;  // the digits of 出数: the hit counts the row allows
    };
    std::vector<Row> rows_;
};

// MatchFilter(rows).Passes(number).
bool MatchFilterTest(int number, const std::vector<MatchRow>& rows);

// 出2胆 (mode 2): at least two dan digits; 出3胆 (mode 3): all three digits are
// distinct dan digits. Other modes are handled by the dan stage and pass here.
// The dan digits are given as text or as their digit bits (bit d for digit d).
bool DanCountTest(int number, std::uint16_t danDigits, int mode);
bool DanCountTest(int number, std::string_view danDigits, int mode);

} // namespace tarvex
