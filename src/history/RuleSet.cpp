#include "history/RuleSet.h"

#include "history/RuleTargets.h"

#include <algorithm>
#include <cstdio>

namespace tarvex {

namespace {

constexpr std::size_t kShownChars = 60;

// The length of the well-formed UTF-8 character at text[at], or 0 for a byte that starts none.
std::size_t CharLength(std::string_view text, std::size_t at, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        cp = cp << 6 | (next & 0x3F);
    }
    const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    return overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) ? 0 : length;
}

// Characters that would move the terminal's cursor or turn the text around (C0 and C1
// controls, line and paragraph separators, direction marks and overrides).
bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029 || c == 0x200E ||
           c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0xFEFF;
}

std::string Code(const char* format, unsigned value) {
    char code[16];
    std::snprintf(code, sizeof code, format, value);
    return code;
}

// A rule's text as a message quotes it: at most 60 characters and then "…", control
// characters as escapes (\x1B, \u202E), a byte that is not UTF-8 as \xNN.
std::string Quoted(std::string_view text) {
    std::string shown;
    std::size_t at = 0;
    for (std::size_t chars = 0; at < text.size() && chars < kShownChars; ++chars) {
        char32_t cp = 0;
        const std::size_t length = CharLength(text, at, cp);
        if (length == 0) {
            shown += Code("\\x%02X", static_cast<unsigned char>(text[at]));
            ++at;
        } else if (IsControl(cp)) {
            shown += cp == '\n'   ? "\\n"
                     : cp == '\r' ? "\\r"
                     : cp == '\t' ? "\\t"
                                  : Code(cp > 0xFF ? "\\u%04X" : "\\x%02X", cp);
            at += length;
        } else {
            shown += text.substr(at, length);
            at += length;
        }
    }
    if (at < text.size()) {
        shown += "…";
    }
    return "“" + shown + "”";
}

std::string Named(int index, const std::string& text) {
    return "第 " + std::to_string(index) + " 条规则" + Quoted(text);
}

// Blanks around a part, the full-width one too: players type it by accident after a
// Chinese word.
std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view wide = "\u3000";
    for (bool changed = true; changed;) {
        changed = false;
        for (const std::string_view blank : {std::string_view(" "), std::string_view("\t"), wide}) {
            if (text.starts_with(blank)) {
                text.remove_prefix(blank.size());
                changed = true;
            }
            if (text.ends_with(blank)) {
                text.remove_suffix(blank.size());
                changed = true;
            }
        }
    }
    return text;
}

// The rule's formula compiled, or nothing with the message naming the rule and the fault.
std::optional<RuleFormula> Compiled(const Rule& rule, int index, std::string* error) {
    RuleFormulaError fault;
    std::optional<RuleFormula> formula = RuleFormula::Parse(rule.formula, &fault);
    if (!formula && error != nullptr) {
        const std::string where = fault.empty
                                      ? std::string()
                                      : "公式第 " + std::to_string(fault.position) + " 个字符" +
                                            (fault.atEnd ? "（末尾）" : "") + "：";
        *error = Named(index, RuleSet::Text(rule)) + "：" + where + fault.reason;
    }
    return formula;
}

} // namespace

std::optional<RuleSet> RuleSet::Compile(const std::vector<Rule>& rules, std::string* error) {
    if (rules.size() > kMaxRules) {
        if (error != nullptr) {
            *error = "规则太多：有 " + std::to_string(rules.size()) + " 条，最多 " +
                     std::to_string(kMaxRules) + " 条";
        }
        return std::nullopt;
    }
    RuleSet set;
    for (std::size_t i = 0; i < rules.size(); ++i) {
        std::optional<RuleFormula> formula = Compiled(rules[i], static_cast<int>(i) + 1, error);
        if (!formula) {
            return std::nullopt;
        }
        set.rules_.push_back(rules[i]);
        set.formulas_.push_back(std::move(*formula));
    }
    return set;
}

std::optional<Rule> RuleSet::ParseRule(std::string_view text, int index, std::string* error) {
    const auto fail = [&](const std::string& why) {
        if (error != nullptr) {
            *error = Named(index, std::string(text)) + "：" + why;
        }
        return std::nullopt;
    };
    std::size_t equals = text.find('=');
    std::size_t width = 1;
    const std::size_t wide = text.find("＝");
    if (wide != std::string_view::npos && (equals == std::string_view::npos || wide < equals)) {
        equals = wide;
        width = std::string_view("＝").size();
    }
    if (equals == std::string_view::npos) {
        return fail("应写成 目标=公式，例如 杀和尾=和1+3");
    }
    const std::string_view name = Trimmed(text.substr(0, equals));
    const std::optional<RuleTarget> target = RuleTargets::FromName(name);
    if (!target) {
        return fail("目标" + Quoted(std::string(name)) + "不认识，应为 " + RuleTargets::NameList());
    }
    Rule rule{*target, std::string(Trimmed(text.substr(equals + width)))};
    if (!Compiled(rule, index, error)) {
        return std::nullopt;
    }
    return rule;
}

std::string RuleSet::Text(const Rule& rule) {
    return std::string(RuleTargets::Name(rule.target)) + "=" + rule.formula;
}

int RuleSet::Needs() const {
    int needs = 0;
    for (const RuleFormula& formula : formulas_) {
        needs = std::max(needs, formula.Needs());
    }
    return needs;
}

std::vector<int> RuleSet::Values(const RuleInputs& inputs) const {
    std::vector<int> values;
    values.reserve(formulas_.size());
    for (const RuleFormula& formula : formulas_) {
        values.push_back(inputs.draws >= formula.Needs() ? formula.Evaluate(inputs) : kNoRuleValue);
    }
    return values;
}

} // namespace tarvex
