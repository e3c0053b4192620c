#include "cli/CliHistory.h"

#include "cli/CliOptions.h"
#include "io/DrawChecks.h"
#include "io/HistoryUpdater.h"
#include "io/MessageText.h"
#include "io/PlayerHistory.h"
#include "io/PlayerHistoryCheck.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvex {

namespace {

QString Number(int number) {
    return QString::number(number).rightJustified(3, u'0');
}

QJsonObject DrawJson(const HistoricDraw& draw) {
    return {{"issue", QString::fromStdString(draw.issue)},
            {"number", Number(draw.number)},
            {"date", QString::fromStdString(draw.date)},
            {"trial", QString::fromStdString(draw.trial)}};
}

QJsonArray DrawsJson(const std::vector<HistoricDraw>& draws) {
    QJsonArray array;
    for (const HistoricDraw& draw : draws) {
        array.append(DrawJson(draw));
    }
    return array;
}

QByteArray Json(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QByteArray Lines(const QStringList& lines) {
    return (lines.join(u'\n') + u'\n').toUtf8();
}

QJsonObject UpdateJson(const UpdateOutcome& outcome) {
    QJsonArray sources;
    for (const SourceReport& source : outcome.sources) {
        sources.append(QJsonObject{{"url", source.url},
                                   {"answered", source.answered()},
                                   {"error", source.error},
                                   {"draws", source.draws},
                                   {"unreadable", source.unreadable},
                                   {"implausible", static_cast<int>(source.implausible.size())},
                                   {"new", DrawsJson(source.fresh)}});
    }
    QJsonArray disagreements;
    for (const DrawDisagreement& d : outcome.disagreements) {
        disagreements.append(QJsonObject{
            {"issue", QString::fromStdString(d.first.issue)},
            {"first", QJsonObject{{"url", d.firstUrl}, {"number", Number(d.first.number)}}},
            {"second", QJsonObject{{"url", d.secondUrl}, {"number", Number(d.second.number)}}}});
    }
    return {{"lottery", outcome.lottery},
            {"missing", outcome.missing},
            {"unconfirmed", DrawsJson(outcome.unconfirmed)},
            {"sources", sources},
            {"added", DrawsJson(outcome.added)},
            {"unchecked", DrawsJson(outcome.unchecked)},
            {"disagreements", disagreements},
            {"error", outcome.writeError}};
}

QJsonObject CheckJson(const PlayerHistoryCheck& check) {
    QJsonArray gaps;
    for (const PlayerHistoryCheck::Gap& gap : check.gaps) {
        gaps.append(QJsonObject{{"after", QString::fromStdString(gap.after)},
                                {"before", QString::fromStdString(gap.before)},
                                {"missing", gap.missing}});
    }
    QJsonArray repeats;
    for (const PlayerHistoryCheck::Repeat& repeat : check.repeats) {
        QJsonArray lines;
        for (const int line : repeat.lines) {
            lines.append(line);
        }
        repeats.append(QJsonObject{{"issue", QString::fromStdString(repeat.issue)},
                                   {"lines", lines},
                                   {"conflicting", repeat.conflicting}});
    }
    return {{"draws", check.draws},
            {"unreadable", check.unreadable},
            {"first", QJsonObject{{"issue", QString::fromStdString(check.firstIssue)},
                                  {"date", QString::fromStdString(check.firstDate)}}},
            {"last", QJsonObject{{"issue", QString::fromStdString(check.lastIssue)},
                                 {"date", QString::fromStdString(check.lastDate)}}},
            {"gaps", gaps},
            {"repeats", repeats},
            {"daysSince", check.daysSince ? QJsonValue(*check.daysSince) : QJsonValue()},
            {"stale", check.stale}};
}

constexpr std::size_t kListedRepeatLines = 20;

QStringList CheckText(const PlayerHistoryCheck& check) {
    QStringList lines{
        QStringLiteral("期数：%1").arg(check.draws),
        QStringLiteral("第一期：%1（%2）")
            .arg(QString::fromStdString(check.firstIssue), QString::fromStdString(check.firstDate)),
        QStringLiteral("最新一期：%1（%2）")
            .arg(QString::fromStdString(check.lastIssue), QString::fromStdString(check.lastDate)),
        QStringLiteral("同一年内缺期：%1 处").arg(check.gaps.size())};
    for (const PlayerHistoryCheck::Gap& gap : check.gaps) {
        lines << QStringLiteral("  %1 与 %2 之间缺 %3 期")
                     .arg(QString::fromStdString(gap.after), QString::fromStdString(gap.before))
                     .arg(gap.missing);
    }
    lines << QStringLiteral("重复的期号：%1 个，其中号码不同的 %2 个")
                 .arg(check.repeats.size())
                 .arg(check.Conflicts());
    for (const PlayerHistoryCheck::Repeat& repeat : check.repeats) {
        // A 期号 repeated on a million lines lists 20 of them, as the readers' warnings do.
        QStringList at;
        for (std::size_t i = 0; i < repeat.lines.size() && i < kListedRepeatLines; ++i) {
            at << QString::number(repeat.lines[i]);
        }
        if (repeat.lines.size() > kListedRepeatLines) {
            at << QStringLiteral("等共 %1 行").arg(repeat.lines.size());
        }
        lines << QStringLiteral("  %1：第 %2 行%3")
                     .arg(QString::fromStdString(repeat.issue), at.join(QStringLiteral("、")),
                          repeat.conflicting ? QStringLiteral("，号码不同") : QString());
    }
    lines << QStringLiteral("读不出的行：%1").arg(check.unreadable);
    lines << (check.stale ? QStringLiteral("已 %1 天没有更新").arg(*check.daysSince)
                          : QStringLiteral("没有过期"));
    return lines;
}

} // namespace

int CliHistory::Execute(QString& bad) {
    if (options_.action == QLatin1String("add")) {
        return Add(bad);
    }
    if (options_.action == QLatin1String("update")) {
        return Update(bad);
    }
    if (options_.action == QLatin1String("check")) {
        return Check();
    }
    bad = QStringLiteral("history 的动作 \"%1\" 应为 add、update 或 check")
              .arg(MessageText::Excerpt(options_.action));
    return kExitBadInput;
}

bool CliHistory::Ensure() const {
    const QString error =
        PlayerHistory::Ensure(options_.historyPath, PlayerHistory::LotteryOf(options_.historyPath));
    if (!error.isEmpty()) {
        Error(error);
    }
    return error.isEmpty();
}

int CliHistory::Written(const QString& warning) const {
    if (!warning.isEmpty()) {
        Error(warning);
    }
    if (Reached()) {
        return kExitDone;
    }
    Error(QStringLiteral("开奖历史文件“%1”已经写入，但报告没有完整输出").arg(options_.historyPath));
    return kExitReportLost;
}

int CliHistory::Add(QString& bad) {
    const HistoryOptions& o = options_;
    // The same rules as the entry window's.
    bad = DrawChecks::Refusal(o.issue, o.number, o.date, o.trial, DrawChecks::BeijingToday());
    if (!bad.isEmpty()) {
        return kExitBadInput;
    }
    if (!Ensure()) {
        return kExitBadInput;
    }
    const HistoricDraw draw{o.issue.toStdString(), o.number.toInt(), o.date.toStdString(),
                            o.trial.toStdString()};
    for (const QString& warning : DrawChecks::Warnings(PlayerHistory::Read(o.historyPath), draw)) {
        Error(QStringLiteral("警告：") + warning);
    }
    DrawAddPlan plan;
    const QString error = PlayerHistory::Add(o.historyPath, {draw}, plan);
    if (!error.isEmpty()) {
        Error(error);
        return plan.lines.empty() ? kExitBadInput : kExitWriteFailed;
    }
    if (!plan.refused.empty()) {
        Error(QStringLiteral("第 %1 期已有开奖号码 %2，与给出的 %3 不同，没有写入")
                  .arg(QString::fromStdString(plan.refused[0].held.issue),
                       Number(plan.refused[0].held.number), Number(draw.number)));
        return kExitBadInput;
    }
    Print(plan.added.empty()
              ? QStringLiteral("第 %1 期 %2 已在开奖历史中，没有改动\n")
                    .arg(QString::fromStdString(plan.held[0].issue), Number(draw.number))
                    .toUtf8()
              : QStringLiteral("已加入第 %1 期 %2\n")
                    .arg(QString::fromStdString(plan.added[0].issue), Number(draw.number))
                    .toUtf8());
    return plan.written ? Written(plan.warning) : kExitDone;
}

int CliHistory::Update(QString& bad) {
    std::vector<DrawSource> sources;
    for (const QString& line : options_.sources) {
        const std::optional<DrawSource> source = DrawSources::Parse(line, bad);
        if (!source) {
            return kExitBadInput;
        }
        const Lottery lottery = PlayerHistory::LotteryOf(options_.historyPath);
        if (source->lottery && *source->lottery != lottery) {
            bad = QStringLiteral("来源 \"%1\" 是%2的，开奖历史“%3”是%4的")
                      .arg(MessageText::Excerpt(line), DrawSources::LotteryName(*source->lottery),
                           options_.historyPath, DrawSources::LotteryName(lottery));
            return kExitBadInput;
        }
        sources.push_back(*source);
    }
    if (!Ensure()) {
        return kExitBadInput;
    }
    if (sources.empty()) {
        sources = HistoryUpdater::SourcesFor(options_.historyPath);
    }
    for (DrawSource& source : sources) {
        source.timeoutMs = options_.timeoutMs > 0 ? options_.timeoutMs : source.timeoutMs;
    }
    const UpdateOutcome outcome = HistoryUpdater::Run(options_.historyPath, sources);
    if (!outcome.fileError.isEmpty()) {
        Error(outcome.fileError);
        return kExitBadInput;
    }
    Print(options_.json ? Json(UpdateJson(outcome)) : Lines(HistoryUpdater::Report(outcome)));
    if (!outcome.writeError.isEmpty()) {
        Error(outcome.writeError);
        return kExitWriteFailed;
    }
    if (outcome.written) {
        return Written(outcome.warning);
    }
    return outcome.Answered() == 0 ? kExitNoSource : kExitDone;
}

int CliHistory::Check() {
    const PlayerHistoryFile file = PlayerHistory::Read(options_.historyPath);
    if (!file.ok()) {
        Error(file.error);
        return kExitBadInput;
    }
    const PlayerHistoryCheck check = PlayerHistoryCheck::Of(file, QDate::currentDate());
    Print(options_.json ? Json(CheckJson(check)) : Lines(CheckText(check)));
    return kExitDone;
}

} // namespace tarvex
