#pragma once

#include "history/RuleInputs.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// Where and why a formula was refused.
struct RuleFormulaError {
    int position = 0;   // 1-based, counted in characters (not bytes); length + 1 at the end
    bool atEnd = false; // the formula stopped where more was needed
    bool empty = false; // nothing but blanks
    std::string reason; // Chinese
};

// A compiled formula: + - * over non-negative integer literals, parentheses and the
// thirteen variables, worked in arithmetic mod 10 so that its value is the result mod 10,
// 0..9. There is no unary minus: "-3" and "2*-1" are refused, since 0-3 says the same
// without a second meaning for "-".
class RuleFormula {
public:
    static constexpr int kMaxDepth = 64;      // nested parentheses
    static constexpr int kMaxOperands = 1000; // literals and variables
    // Characters: far more than a formula typed by hand, and it keeps the cost of judging a
    // scheme's rules over the whole history small.
    static constexpr std::size_t kMaxLength = 300;
    static constexpr std::size_t kStackSize = 2 * kMaxDepth + 8;

    // The formula, or nothing with the first fault in `error`.
    static std::optional<RuleFormula> Parse(std::string_view utf8, RuleFormulaError* error);

    int Evaluate(const RuleInputs& inputs) const {
        std::uint8_t stack[kStackSize];
        std::size_t top = 0;
        for (const Op op : ops_) {
            switch (op.kind) {
            case Kind::Push:
                stack[top++] = op.arg;
                break;
            case Kind::Load:
                stack[top++] = inputs.mod10[op.arg];
                break;
            case Kind::Add:
                --top;
                stack[top - 1] = static_cast<std::uint8_t>((stack[top - 1] + stack[top]) % 10);
                break;
            case Kind::Sub:
                --top;
                stack[top - 1] = static_cast<std::uint8_t>((stack[top - 1] + 10 - stack[top]) % 10);
                break;
            case Kind::Mul:
                --top;
                stack[top - 1] = static_cast<std::uint8_t>((stack[top - 1] * stack[top]) % 10);
                break;
            }
        }
        return stack[0];
    }

    // How many previous draws the formula needs: two when it reads a variable ending in 2,
    // else one (a formula of constants and 期 alone is still judged from the second draw on).
    int Needs() const { return needs_; }
    bool Uses(RuleVariable variable) const;
    static const char* VariableName(RuleVariable variable); // "百1", …, "期"

private:
    enum class Kind : std::uint8_t { Push, Load, Add, Sub, Mul };
    struct Op {
        Kind kind;
        std::uint8_t arg; // constant mod 10, or variable index
    };
    friend class RuleFormulaParser;

    std::vector<Op> ops_;
    int needs_ = 1;
};

} // namespace tarvex
