#include "predicates/Formula.h"

#include <array>
#include <limits>

namespace tarvex {

namespace {

constexpr std::array<std::string_view, 4> kLeft{"百", "十", "个", "和"};
constexpr std::array<std::string_view, 5> kOps{"加", "减", "乘", "除", "取余"};
constexpr std::array<std::string_view, 4> kCompare{"等于", "不等于", "大于", "小于"};

template <std::size_t N>
int IndexOf(const std::array<std::string_view, N>& items, std::string_view text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (items[i] == text) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int RightIndex(std::string_view text) {
    const int position = IndexOf(std::array<std::string_view, 3>{"百", "十", "个"}, text);
    if (position >= 0) {
        return position;
    }
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '9') {
        return 10 + (text[0] - '0');
    }
    return -1;
}

bool IsAtolSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::int64_t Operand(int number, int which) {
    const int h = number / 100;
    const int t = number / 10 % 10;
    const int u = number % 10;
    switch (which) {
    case 0:
        return h;
    case 1:
        return t;
    case 2:
        return u;
    case 3:
        return h + t + u;
    default:
        return which - 10;
    }
}

} // namespace

std::int64_t ParseFormulaValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsAtolSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0; // accumulated toward the sign so that INT64_MIN is reachable
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (negative) {
            value = value < (kMin + digit) / 10 ? kMin : value * 10 - digit;
        } else {
            value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
        }
    }
    return value;
}

bool ParsedFormula::Holds(int number) const {
    const std::int64_t l = Operand(number, left);
    const std::int64_t r = Operand(number, right);
    std::int64_t x = 0;
    switch (op) {
    case Op::Add:
        x = l + r;
        break;
    case Op::Sub:
        x = l - r;
        break;
    case Op::Mul:
        x = l * r;
        break;
    case Op::Div:
        if (r == 0) {
            return false;
        }
        x = l / r;
        break;
    case Op::Mod:
        if (r == 0) {
            return false;
        }
        x = l % r;
        break;
    }
    switch (compare) {
    case Compare::Equal:
        return x == value;
    case Compare::NotEqual:
        return x != value;
    case Compare::Greater:
        return x > value;
    case Compare::Less:
        return x < value;
    }
    return false;
}

std::optional<ParsedFormula> ParseFormula(const FormulaRow& row) {
    const int left = IndexOf(kLeft, row.left);
    const int op = IndexOf(kOps, row.op);
    const int right = RightIndex(row.right);
    const int compare = IndexOf(kCompare, row.comparison);
    if (left < 0 || op < 0 || right < 0 || compare < 0) {
        return std::nullopt;
    }
    return ParsedFormula{left, static_cast<ParsedFormula::Op>(op), right,
                         static_cast<ParsedFormula::Compare>(compare),
                         ParseFormulaValue(row.value)};
}

FormulaFilter::FormulaFilter(const std::vector<FormulaRow>& rows, int mode) : all_(mode != 0) {
    formulas_.reserve(rows.size());
    for (const FormulaRow& row : rows) {
        formulas_.push_back(ParseFormula(row));
    }
}

bool FormulaFilter::Passes(int number) const {
    for (const std::optional<ParsedFormula>& formula : formulas_) {
        const bool holds = formula && formula->Holds(number);
        if (all_ && !holds) {
            return false;
        }
        if (!all_ && holds) {
            return true;
        }
    }
    return all_ || formulas_.empty();
}

bool FormulaTest(int number, const std::vector<FormulaRow>& rows, int mode) {
    return FormulaFilter(rows, mode).Passes(number);
}

} // namespace tarvex
