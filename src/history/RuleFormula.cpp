#include "history/RuleFormula.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace tarvex {

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

constexpr std::array<const char*, kRuleVariableCount> kVariableNames{
    "百1", "十1", "个1", "和1", "跨1", "尾1", "百2", "十2", "个2", "和2", "跨2", "尾2", "期"};

// The six letters that take a 1 or a 2, in variable order.
constexpr std::array<char32_t, 6> kLetters{U'百', U'十', U'个', U'和', U'跨', U'尾'};

// One code point per character, so that positions count characters; a byte that does not
// start a well-formed sequence is one character of its own, kInvalid.
std::vector<char32_t> Decode(std::string_view text) {
    std::vector<char32_t> chars;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80                    ? 1
                     : lead >= 0xC2 && lead <= 0xDF ? 2
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                    : 0;
        char32_t cp = length == 1 ? lead : length == 2 ? lead & 0x1F : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const std::size_t at = i + static_cast<std::size_t>(k);
            const auto next = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
            if ((next & 0xC0) != 0x80) {
                length = 0;
                break;
            }
            cp = cp << 6 | (next & 0x3F);
        }
        const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
        if (length == 0 || overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            chars.push_back(kInvalid);
            ++i;
            continue;
        }
        chars.push_back(cp);
        i += static_cast<std::size_t>(length);
    }
    return chars;
}

std::string Encode(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// A character as a message shows it: control characters, line separators and direction
// marks by their code, so none of them reaches a terminal.
std::string Shown(char32_t cp) {
    if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0) || cp == 0x2028 || cp == 0x2029 ||
        cp == 0x200E || cp == 0x200F || (cp >= 0x202A && cp <= 0x202E) ||
        (cp >= 0x2066 && cp <= 0x2069) || cp == 0xFEFF) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
        return code;
    }
    return "“" + Encode(cp) + "”";
}

bool IsSpace(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\u3000';
}

bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

bool IsLetter(char32_t c) {
    return std::find(kLetters.begin(), kLetters.end(), c) != kLetters.end();
}

bool StartsOperand(char32_t c) {
    return IsDigit(c) || IsLetter(c) || c == U'期' || c == U'(';
}

bool IsOperator(char32_t c) {
    return c == U'+' || c == U'-' || c == U'*';
}

} // namespace

// Recursive descent over the decoded characters. Only a parenthesis nests, and its depth
// is bounded, so no formula can exhaust the stack; sums and products are loops.
class RuleFormulaParser {
public:
    explicit RuleFormulaParser(std::string_view text) : chars_(Decode(text)) {}

    std::optional<RuleFormula> Run(RuleFormulaError* error) {
        SkipSpaces();
        if (AtEnd()) {
            Fail(1, "公式是空的");
            error_.empty = true;
        } else if (Expression(0)) {
            SkipSpaces();
            if (!AtEnd()) {
                Unexpected(chars_[at_] == U')' ? "多余的“)”，前面没有与它配对的“(”"
                                               : std::string());
            }
        }
        // Checked after the grammar, whose faults are told more precisely; each rule is
        // worked out for every draw, so its length bounds what judging a scheme costs.
        if (chars_.size() > RuleFormula::kMaxLength) {
            Fail(static_cast<int>(RuleFormula::kMaxLength) + 1,
                 "公式太长：最多 " + std::to_string(RuleFormula::kMaxLength) + " 个字符");
        }
        if (failed_) {
            if (error != nullptr) {
                *error = error_;
            }
            return std::nullopt;
        }
        return std::move(formula_);
    }

private:
    using Kind = RuleFormula::Kind;

    bool AtEnd() const { return at_ >= chars_.size(); }
    int Position() const { return static_cast<int>(at_) + 1; }

    void SkipSpaces() {
        while (!AtEnd() && IsSpace(chars_[at_])) {
            ++at_;
        }
    }

    bool Fail(int position, std::string reason) {
        if (!failed_) {
            failed_ = true;
            error_.position = position;
            error_.atEnd = static_cast<std::size_t>(position) > chars_.size();
            error_.reason = std::move(reason);
        }
        return false;
    }

    // The character at the cursor is not what the grammar allows here.
    bool Unexpected(std::string reason) {
        const char32_t c = chars_[at_];
        if (!reason.empty()) {
            return Fail(Position(), std::move(reason));
        }
        if (c == kInvalid) {
            return Fail(Position(), "这里不是有效的 UTF-8 文字");
        }
        if (StartsOperand(c)) {
            return Fail(Position(), Shown(c) + "前面缺少运算符 + - 或 *");
        }
        if (c >= 0xFF01 && c <= 0xFF5E) {
            return Fail(Position(), Shown(c) + "是全角字符，请改用半角的 + - * ( ) 和数字");
        }
        return Fail(Position(), Shown(c) +
                                    "不是公式能用的字符（只能用数字、+ - * ( ) 和 百1 十1 个1 "
                                    "和1 跨1 尾1 百2 十2 个2 和2 跨2 尾2 期）");
    }

    // The bounded nesting keeps the evaluation stack within kStackSize (two pending values
    // per open parenthesis); the check makes that a guarantee rather than an argument.
    void Emit(Kind kind, std::uint8_t arg = 0) {
        formula_.ops_.push_back({kind, arg});
        depth_ += kind == Kind::Push || kind == Kind::Load ? 1 : -1;
        if (static_cast<std::size_t>(depth_) > RuleFormula::kStackSize) {
            Fail(Position(), "公式太复杂");
        }
    }

    bool Expression(int nesting) {
        if (!Term(nesting)) {
            return false;
        }
        for (SkipSpaces(); !AtEnd() && (chars_[at_] == U'+' || chars_[at_] == U'-'); SkipSpaces()) {
            const Kind kind = chars_[at_] == U'+' ? Kind::Add : Kind::Sub;
            last_ = chars_[at_++];
            if (!Term(nesting)) {
                return false;
            }
            Emit(kind);
        }
        return true;
    }

    bool Term(int nesting) {
        if (!Factor(nesting)) {
            return false;
        }
        for (SkipSpaces(); !AtEnd() && chars_[at_] == U'*'; SkipSpaces()) {
            last_ = chars_[at_++];
            if (!Factor(nesting)) {
                return false;
            }
            Emit(Kind::Mul);
        }
        return true;
    }

    bool Factor(int nesting) {
        SkipSpaces();
        if (AtEnd()) {
            return Fail(Position(), Shown(last_) + "后面缺少数、变量或“(”");
        }
        const char32_t c = chars_[at_];
        if (c == U'(') {
            return Parenthesised(nesting);
        }
        if (IsDigit(c) || IsLetter(c) || c == U'期') {
            if (++operands_ > RuleFormula::kMaxOperands) {
                return Fail(Position(), "公式太长：最多 " +
                                            std::to_string(RuleFormula::kMaxOperands) +
                                            " 个数和变量");
            }
            return IsDigit(c) ? Literal() : Variable();
        }
        if (c == U'-') {
            return Fail(Position(), "不支持负号：“-”前面应有数、变量或“)”（负数可写成 0-…）");
        }
        if (IsOperator(c)) {
            return Fail(Position(), Shown(c) + "前面缺少数、变量或“)”");
        }
        if (c == U')') {
            return Fail(Position(),
                        last_ == U'(' ? "括号里是空的" : Shown(last_) + "后面缺少数、变量或“(”");
        }
        return Unexpected({});
    }

    bool Parenthesised(int nesting) {
        const int open = Position();
        if (nesting + 1 > RuleFormula::kMaxDepth) {
            return Fail(open,
                        "括号套得太深（最多 " + std::to_string(RuleFormula::kMaxDepth) + " 层）");
        }
        last_ = chars_[at_++];
        if (!Expression(nesting + 1)) {
            return false;
        }
        SkipSpaces();
        if (AtEnd()) {
            return Fail(Position(), "缺少与第 " + std::to_string(open) + " 个字符“(”配对的“)”");
        }
        if (chars_[at_] != U')') {
            return Unexpected({});
        }
        last_ = chars_[at_++];
        return true;
    }

    bool Literal() {
        int digit = 0;
        while (!AtEnd() && IsDigit(chars_[at_])) {
            digit = static_cast<int>(chars_[at_++] - U'0'); // only the last digit counts mod 10
        }
        Emit(Kind::Push, static_cast<std::uint8_t>(digit));
        last_ = U'0';
        return true;
    }

    bool Variable() {
        const char32_t c = chars_[at_];
        if (c == U'期') {
            ++at_;
            Emit(Kind::Load, static_cast<std::uint8_t>(RuleVariable::Issue));
            last_ = c;
            return true;
        }
        const auto letter = static_cast<std::size_t>(
            std::find(kLetters.begin(), kLetters.end(), c) - kLetters.begin());
        const char32_t which = at_ + 1 < chars_.size() ? chars_[at_ + 1] : 0;
        if (which >= U'\uFF10' && which <= U'\uFF19') {
            ++at_;
            return Fail(Position(), Shown(which) + "是全角数字，请改用半角的 1 或 2（" + Encode(c) +
                                        "1 是上期，" + Encode(c) + "2 是上上期）");
        }
        if (which != U'1' && which != U'2') {
            return Fail(Position(), Shown(c) + "后面应紧跟 1 或 2（" + Encode(c) + "1 是上期，" +
                                        Encode(c) + "2 是上上期）");
        }
        at_ += 2;
        const std::size_t index = letter + (which == U'2' ? 6 : 0);
        if (which == U'2') {
            formula_.needs_ = 2;
        }
        Emit(Kind::Load, static_cast<std::uint8_t>(index));
        last_ = U'0';
        return true;
    }

    std::vector<char32_t> chars_;
    std::size_t at_ = 0;
    char32_t last_ = 0; // the last character taken, for "after X" messages
    int operands_ = 0;
    int depth_ = 0; // values on the evaluation stack after the ops so far
    bool failed_ = false;
    RuleFormulaError error_;
    RuleFormula formula_;
};

std::optional<RuleFormula> RuleFormula::Parse(std::string_view utf8, RuleFormulaError* error) {
    return RuleFormulaParser(utf8).Run(error);
}

bool RuleFormula::Uses(RuleVariable variable) const {
    return std::any_of(ops_.begin(), ops_.end(), [&](const Op& op) {
        return op.kind == Kind::Load && op.arg == static_cast<std::uint8_t>(variable);
    });
}

const char* RuleFormula::VariableName(RuleVariable variable) {
    return kVariableNames[static_cast<std::size_t>(variable)];
}

} // namespace tarvex
