#include "cli/CliRules.h"

#include "cli/CliOptions.h"
#include "cli/CliRulesJson.h"
#include "history/RuleJudge.h"
#include "history/RuleSet.h"
#include "history/RuleText.h"
#include "io/MessageText.h"
#include "io/NativeFileName.h"
#include "io/SchemeFile.h"

#include <algorithm>

namespace tarvex {

namespace {

bool IsIssue(const QString& text) {
    return !text.isEmpty() && text.size() <= 20 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

} // namespace

int CliRules::Execute() {
    if (options_.historyPath.isEmpty()) {
        Error(QStringLiteral("rules 需要 --history FILE"));
        return kExitBadInput;
    }
    if (!options_.next.isEmpty() && !IsIssue(options_.next)) {
        Error(QStringLiteral("--next 的值 \"%1\" 应为期号（只含数字）")
                  .arg(MessageText::Excerpt(NativeFileName::ShownName(options_.next))));
        return kExitBadInput;
    }
    std::vector<Rule> rules;
    if (!ReadRules(rules)) {
        return kExitBadInput;
    }
    std::string error;
    const std::optional<RuleSet> set = RuleSet::Compile(rules, &error);
    if (!set) {
        Error(QString::fromStdString(error));
        return kExitBadInput;
    }
    std::vector<HistoricDraw> history;
    if (!LoadHistory(options_.historyPath, history)) {
        return kExitBadInput;
    }
    const RuleJudge judge(history, static_cast<std::size_t>(options_.last),
                          options_.next.toStdString());
    const std::vector<RuleJudgement> judgements = judge.Judge(*set);
    if (options_.json) {
        Print(CliRulesJson::Judgements(judgements, judge.WindowDraws()));
    } else {
        Print(QByteArray::fromStdString(
            RuleText::Table(judgements, judge.WindowDraws(), judge.NextIssue())));
    }
    return kExitDone;
}

// The rules as written on the command line, each read as TARGET=FORMULA.
bool CliRules::ReadRules(std::vector<Rule>& rules) const {
    if (!options_.schemePath.isEmpty()) {
        const SchemeReadResult scheme = SchemeFile::Load(options_.schemePath);
        if (!scheme.ok()) {
            Error(scheme.error);
            return false;
        }
        rules = scheme.settings.rules;
    }
    if (options_.rules.isEmpty() && rules.empty()) {
        Error(options_.schemePath.isEmpty()
                  ? QStringLiteral("rules 需要至少一条规则，例如 杀和尾=和1+3")
                  : QStringLiteral("方案文件“%1”里没有规则（\"rules\"）")
                        .arg(NativeFileName::ShownName(options_.schemePath)));
        return false;
    }
    for (qsizetype i = 0; i < options_.rules.size(); ++i) {
        std::string error;
        const std::optional<Rule> rule = RuleSet::ParseRule(
            // The argument's own bytes, so a byte that is not UTF-8 is shown as itself.
            NativeFileName::ToBytes(options_.rules[i]).toStdString(),
            static_cast<int>(rules.size()) + 1, &error);
        if (!rule) {
            Error(QString::fromStdString(error));
            return false;
        }
        rules.push_back(*rule);
    }
    return true;
}

} // namespace tarvex
