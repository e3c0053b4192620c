#pragma once

#include "predicates/FormulaRow.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarvex {

// Reads a value like atol (leading blanks, optional sign, digits up to the first
// other character, none gives 0) but saturates at the int64 range instead of overflowing.
std::int64_t ParseFormulaValue(std::string_view text);

// One formula row with its cells resolved to the page's items.
struct ParsedFormula {
    enum class Op { Add, Sub, Mul, Div, Mod };
    enum class Compare { Equal, NotEqual, Greater, Less };
    int left = 0; // 0 百, 1 十, 2 个, 3 和
    Op op = Op::Add;
    int right = 0; // 0 百, 1 十, 2 个, or 10 + constant 1..9
    Compare compare = Compare::Equal;
    std::int64_t value = 0;
    // A division or remainder by a zero digit does not hold.
    bool Holds(int number) const;
};

// None when a cell is not one of the page's items; such a row does not hold.
std::optional<ParsedFormula> ParseFormula(const FormulaRow& row);

// The rows of the formula list read once, for testing many numbers against them.
class FormulaFilter {
public:
    // mode 0 is 或 (one row suffices, and no rows pass everything); any other mode is 与
    // (every row must hold).
    FormulaFilter(const std::vector<FormulaRow>& rows, int mode);
    bool Passes(int number) const;

private:
    std::vector<std::optional<ParsedFormula>> formulas_;
    bool all_;
};

// FormulaFilter(rows, mode).Passes(number).
bool FormulaTest(int number, const std::vector<FormulaRow>& rows, int mode);

} // namespace tarvex
