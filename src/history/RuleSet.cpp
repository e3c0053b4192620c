#include "history/RuleSet.h"

#include "history/RuleTargets.h"

#include <algorithm>

namespace tarvex {

namespace {

constexpr std::size_t kShownBytes = 120;

// A rule's text as a message quotes it: cut short, control characters blanked, and never
// split inside a character.
std::string Quoted(const std::string& text) {
    std::string shown = text.substr(0, std::min(text.size(), kShownBytes));
    if (shown.size() < text.size()) {
        while (!shown.empty() && (static_cast<unsigned char>(text[shown.size()]) & 0xC0) == 0x80) {
            shown.pop_back();
        }
        shown += "…";
    }
    std::replace_if(
        shown.begin(), shown.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
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
