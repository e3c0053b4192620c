#pragma once

#include "engine/Rule.h"
#include "history/RuleFormula.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// Rules with their formulas compiled, ready to be judged or applied.
class RuleSet {
public:
    RuleSet() = default;

    // Far more rules than a player keeps by hand; judging them all over the history stays
    // quick, and a scheme with a million rules is refused before it costs anything.
    static constexpr std::size_t kMaxRules = 100;

    // All rules compiled, or nothing and a Chinese message naming the first faulty rule
    // (its number, counting from 1, and its text) and the character where the fault is.
    static std::optional<RuleSet> Compile(const std::vector<Rule>& rules, std::string* error);
    // "杀和尾=和1+3" (spaces allowed around both parts; "＝" as well as "="), as the command
    // line takes a rule; its formula is checked too. `index` (from 1) names the rule in the
    // message.
    static std::optional<Rule> ParseRule(std::string_view text, int index, std::string* error);
    // "杀和尾=和1+3": the form ParseRule reads.
    static std::string Text(const Rule& rule);

    const std::vector<Rule>& Rules() const { return rules_; }
    const std::vector<RuleFormula>& Formulas() const { return formulas_; }
    std::size_t size() const { return rules_.size(); }
    bool empty() const { return rules_.empty(); }
    // The most previous draws any rule needs (1 or 2; 0 for no rules).
    int Needs() const;

    // Each rule's value for the draw these inputs describe, or kNoRuleValue when the
    // inputs hold fewer previous draws than its formula needs.
    std::vector<int> Values(const RuleInputs& inputs) const;

private:
    std::vector<Rule> rules_;
    std::vector<RuleFormula> formulas_;
};

} // namespace tarvex
