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

// "--name VALUE" or "--name=VALUE" at arguments[i]; a missing value is reported as empty.
bool TakeValue(const QStringList& arguments, qsizetype& i, const QString& name, QString& value) {
    const QString& argument = arguments[i];
    if (argument.startsWith(name + '=')) {
        value = argument.mid(name.size() + 1);
    } else if (argument == name) {
        value = i + 1 < arguments.size() ? arguments[++i] : QString();
    } else {
        return false;
    }
    return true;
}

bool IsIssue(const QString& text) {
    return !text.isEmpty() && text.size() <= 20 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<RulesOptions> CliRules::Parse(const QStringList& arguments, QString& error) {
    RulesOptions options;
    bool rulesOnly = false; // after "--" every word is a rule
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString value;
        if (rulesOnly || !argument.startsWith(QLatin1String("-"))) {
            options.rules.push_back(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            rulesOnly = true;
            continue;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            error.clear();
            return std::nullopt;
        }
        if (argument == QLatin1String("--json")) {
            options.json = true;
            continue;
        }
        QString* into = nullptr;
        QString last;
        if (TakeValue(arguments, i, "--history", value)) {
            into = &options.historyPath;
        } else if (TakeValue(arguments, i, "--scheme", value)) {
            into = &options.schemePath;
        } else if (TakeValue(arguments, i, "--next", value)) {
            into = &options.next;
        } else if (TakeValue(arguments, i, "--last", value)) {
            into = &last;
        } else {
            error = QStringLiteral("rules 不认识参数 \"%1\"").arg(argument);
            return std::nullopt;
        }
        if (value.isEmpty()) {
            error = QStringLiteral("选项 %1 缺少值").arg(argument.section('=', 0, 0));
            return std::nullopt;
        }
        *into = value;
        if (into == &last) {
            bool number = false;
            options.last = last.toInt(&number);
            if (!number || options.last < 1 || options.last > 1000000) {
                error = QStringLiteral("--last 的值 \"%1\" 应为 1 到 1000000 之间的整数").arg(last);
                return std::nullopt;
            }
        }
    }
    return options;
}

int CliRules::Execute() {
    if (options_.historyPath.isEmpty()) {
        Error(QStringLiteral("rules 需要 --history FILE"));
        Print(Usage().toUtf8(), err_);
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

QString CliRules::Usage() {
    return QStringLiteral(
        "用法：tarvex-cli rules --history FILE [--last N] [--next ISSUE] [--json] RULE...\n"
        "\n"
        "rules  用开奖历史检验公式杀号规则：每条规则检验的期数、对的期数、命中率、\n"
        "       机会率（开奖号码随机时也会对的比例）、最大连错、当前连错和下期的值。\n"
        "  RULE            目标=公式，例如 杀和尾=和1+3。目标：杀和尾 杀跨度 杀百位 杀十位\n"
        "                  杀个位 通杀 胆；公式用 + - * ( )、整数和 百1 十1 个1 和1 跨1 尾1\n"
        "                  （上期）、百2 … 尾2（上上期）、期（所测期号的末位），取除以 10 的余数\n"
        "  --history FILE  开奖历史（GBK 或 UTF-8 文本，每行 期号 [日期] 号码）\n"
        "  --last N        只检验最近 N 期（默认全部）\n"
        "  --next ISSUE    下期的期号（默认最新一期 + 1），决定下期的“期”\n"
        "  --json          输出一个 JSON 对象，而不是表格\n"
        "\n"
        "退出状态：0 完成；2 参数、规则或开奖历史有误。\n");
}

} // namespace tarvex
