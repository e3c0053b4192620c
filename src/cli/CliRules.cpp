#include "cli/CliRules.h"

#include "cli/CliOptions.h"
#include "cli/CliRulesJson.h"
#include "history/RuleJudge.h"
#include "history/RuleSet.h"
#include "history/RuleText.h"
#include "io/DrawHistory.h"

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
        Error(QStringLiteral("--next 的值 \"%1\" 应为期号（只含数字）").arg(options_.next));
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
    if (!LoadHistory(history)) {
        return kExitBadInput;
    }
    const RuleJudge judge(history, static_cast<std::size_t>(options_.last),
                          options_.next.toStdString());
    const std::vector<RuleJudgement> judgements = judge.Judge(*set);
    if (options_.json) {
        Print(CliRulesJson::Judgements(judgements, judge.WindowDraws()), out_);
    } else {
        Print(QByteArray::fromStdString(
                  RuleText::Table(judgements, judge.WindowDraws(), judge.NextIssue())),
              out_);
    }
    return kExitDone;
}

// The rules as written on the command line, each read as TARGET=FORMULA.
bool CliRules::ReadRules(std::vector<Rule>& rules) const {
    if (!options_.schemePath.isEmpty()) {
        Error(QStringLiteral("--scheme：方案文件还不能保存规则，请在命令行上写出规则"));
        return false;
    }
    if (options_.rules.isEmpty()) {
        Error(QStringLiteral("rules 需要至少一条规则，例如 杀和尾=和1+3"));
        return false;
    }
    for (qsizetype i = 0; i < options_.rules.size(); ++i) {
        std::string error;
        const std::optional<Rule> rule =
            RuleSet::ParseRule(options_.rules[i].toStdString(), static_cast<int>(i) + 1, &error);
        if (!rule) {
            Error(QString::fromStdString(error));
            return false;
        }
        rules.push_back(*rule);
    }
    return true;
}

bool CliRules::LoadHistory(std::vector<HistoricDraw>& draws) const {
    const DrawHistoryResult history = DrawHistory::Load(options_.historyPath);
    if (!history.ok()) {
        Error(history.error);
        return false;
    }
    for (const QString& problem : history.ProblemMessages()) {
        Error(QStringLiteral("警告：“%1”：%2").arg(options_.historyPath, problem));
    }
    if (history.draws.empty()) {
        Error(QStringLiteral("开奖历史文件“%1”里没有读到任何一期").arg(options_.historyPath));
        return false;
    }
    draws = history.draws;
    return true;
}

void CliRules::Print(const QByteArray& bytes, std::FILE* to) const {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
    std::fflush(to);
}

void CliRules::Error(const QString& message) const {
    Print(QStringLiteral("tarvex-cli: %1\n").arg(message).toUtf8(), err_);
}

} // namespace tarvex
