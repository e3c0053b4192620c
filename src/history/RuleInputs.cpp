#include "history/RuleInputs.h"

#include "predicates/Digits.h"

namespace tarvex {

namespace {

void Fill(RuleInputs& inputs, std::size_t first, int number) {
    const Digits d(number);
    const int values[6] = {d.h, d.t, d.u, d.Sum(), d.Span(), d.Sum() % 10};
    for (std::size_t i = 0; i < 6; ++i) {
        inputs.mod10[first + i] = static_cast<std::uint8_t>(values[i] % 10);
    }
}

bool Valid(const HistoricDraw* draw) {
    return draw != nullptr && draw->number >= 0 && draw->number <= 999;
}

} // namespace

RuleInputs RuleInputs::For(const HistoricDraw* previous, const HistoricDraw* beforeThat,
                           int issueDigit) {
    RuleInputs inputs;
    if (Valid(previous)) {
        Fill(inputs, static_cast<std::size_t>(RuleVariable::Hundreds1), previous->number);
        inputs.draws = 1;
        if (Valid(beforeThat)) {
            Fill(inputs, static_cast<std::size_t>(RuleVariable::Hundreds2), beforeThat->number);
            inputs.draws = 2;
        }
    }
    inputs.mod10[static_cast<std::size_t>(RuleVariable::Issue)] =
        static_cast<std::uint8_t>(issueDigit >= 0 && issueDigit <= 9 ? issueDigit : 0);
    return inputs;
}

int RuleInputs::IssueDigit(const std::string& issue) {
    if (issue.empty() || issue.back() < '0' || issue.back() > '9') {
        return 0;
    }
    return issue.back() - '0';
}

std::string RuleInputs::NextIssue(const std::string& issue) {
    std::string next = issue;
    std::size_t at = next.size();
    while (at > 0 && next[at - 1] == '9') {
        next[--at] = '0';
    }
    if (at > 0 && next[at - 1] >= '0' && next[at - 1] <= '8') {
        ++next[at - 1];
    } else {
        next.insert(at, 1, '1'); // all nines, or no digit to count on
    }
    return next;
}

} // namespace tarvex
