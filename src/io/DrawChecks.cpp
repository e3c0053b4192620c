#include "io/DrawChecks.h"

#include "history/IssueNumber.h"
#include "io/MessageText.h"

#include <QDateTime>
#include <QRegularExpression>

namespace tarvex {

namespace {

QDate DateOf(const std::string& date) {
    return QDate::fromString(QString::fromStdString(date), Qt::ISODate);
}

bool ThreeDigits(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("\\A\\d{3}\\z"));
    return digits.match(text).hasMatch();
}

QString Shown(const std::string& text) {
    return MessageText::Excerpt(text);
}

} // namespace

QDate DrawChecks::BeijingToday() {
    return QDateTime::currentDateTimeUtc().addSecs(8 * 3600).date();
}

QString DrawChecks::IssueProblem(const std::string& issue, const QDate& today) {
    const std::optional<IssueNumber::Parts> parts = IssueNumber::Split(issue);
    if (!parts) {
        return QStringLiteral("期号“%1”应为 5 位（YYNNN）或 7 位（YYYYNNN）数字").arg(Shown(issue));
    }
    if (parts->year < kFirstYear || parts->year > today.year()) {
        return QStringLiteral("期号“%1”的年份 %2 不在 %3 到 %4 年之间")
            .arg(Shown(issue))
            .arg(parts->year)
            .arg(kFirstYear)
            .arg(today.year());
    }
    const int days = QDate(parts->year, 12, 31).dayOfYear();
    const int most = parts->year == today.year() ? today.dayOfYear() : days;
    if (parts->index < 1 || parts->index > std::min(most, kMostDraws)) {
        return QStringLiteral("期号“%1”的期数 %2 不可能：%3 年到%4只有 %5 天")
            .arg(Shown(issue))
            .arg(parts->index)
            .arg(parts->year)
            .arg(parts->year == today.year() ? QStringLiteral("今天") : QStringLiteral("年底"))
            .arg(most);
    }
    return {};
}

QString DrawChecks::DateProblem(const std::string& date, const QDate& today) {
    const QDate day = DateOf(date);
    if (!day.isValid() || date.size() != 10) {
        return QStringLiteral("日期“%1”不是真实的日期（应写成 YYYY-MM-DD）").arg(Shown(date));
    }
    if (day > today) {
        return QStringLiteral("日期 %1 在今天（%2）之后")
            .arg(QString::fromStdString(date), today.toString(Qt::ISODate));
    }
    if (day.year() < kFirstYear) {
        return QStringLiteral("日期 %1 早于 %2 年")
            .arg(QString::fromStdString(date))
            .arg(kFirstYear);
    }
    return {};
}

QString DrawChecks::FitProblem(const std::string& issue, const std::string& date) {
    const std::optional<IssueNumber::Parts> parts = IssueNumber::Split(issue);
    const QDate day = DateOf(date);
    if (!parts || !day.isValid()) {
        return {};
    }
    if (parts->year != day.year()) {
        return QStringLiteral("期号 %1 是 %2 年的，日期 %3 却在 %4 年")
            .arg(QString::fromStdString(issue))
            .arg(parts->year)
            .arg(QString::fromStdString(date))
            .arg(day.year());
    }
    if (parts->index > day.dayOfYear()) {
        return QStringLiteral("期号 %1 是当年第 %2 期，日期 %3 才是当年第 %4 天")
            .arg(QString::fromStdString(issue))
            .arg(parts->index)
            .arg(QString::fromStdString(date))
            .arg(day.dayOfYear());
    }
    return {};
}

QString DrawChecks::NumberProblem(const QString& number) {
    return ThreeDigits(number)
               ? QString()
               : QStringLiteral("号码“%1”应为 3 位数字").arg(MessageText::Excerpt(number));
}

QString DrawChecks::TrialProblem(const QString& trial) {
    return trial.isEmpty() || ThreeDigits(trial)
               ? QString()
               : QStringLiteral("试机号“%1”应为 3 位数字，或不填").arg(MessageText::Excerpt(trial));
}

QString DrawChecks::Refusal(const QString& issue, const QString& number, const QString& date,
                            const QString& trial, const QDate& today) {
    for (const QString& problem :
         {IssueProblem(issue.toStdString(), today), NumberProblem(number),
          date.isEmpty() ? QString() : DateProblem(date.toStdString(), today),
          FitProblem(issue.toStdString(), date.toStdString()), TrialProblem(trial)}) {
        if (!problem.isEmpty()) {
            return problem;
        }
    }
    return {};
}

QString DrawChecks::SourceRefusal(const HistoricDraw& draw, const QDate& today) {
    if (draw.date.empty()) {
        return QStringLiteral("没有日期");
    }
    for (const QString& problem : {IssueProblem(draw.issue, today), DateProblem(draw.date, today),
                                   FitProblem(draw.issue, draw.date)}) {
        if (!problem.isEmpty()) {
            return problem;
        }
    }
    return {};
}

QStringList DrawChecks::Warnings(const PlayerHistoryFile& file, const HistoricDraw& draw) {
    QStringList warnings;
    const std::optional<IssueNumber::Parts> key = IssueNumber::Split(draw.issue);
    if (!key) {
        return warnings;
    }
    const HistoricDraw* before = nullptr; // the held draws just older and newer
    const HistoricDraw* after = nullptr;
    std::optional<IssueNumber::Parts> beforeKey, afterKey;
    for (const PlayerHistoryLine& line : file.lines) {
        const std::optional<IssueNumber::Parts> k =
            line.draw ? IssueNumber::Split(line.draw->issue) : std::nullopt;
        if (k && *k < *key && (!beforeKey || *k > *beforeKey)) {
            before = &*line.draw;
            beforeKey = k;
        } else if (k && *k > *key && (!afterKey || *k < *afterKey)) {
            after = &*line.draw;
            afterKey = k;
        }
    }
    const QDate day = DateOf(draw.date);
    if (!day.isValid()) {
        warnings << QStringLiteral(
            "没有日期：开奖历史就看不出这一期是哪天的，是否过期也按更早的一期算");
    }
    if (day.isValid() && before && DateOf(before->date).isValid() && day <= DateOf(before->date)) {
        warnings << QStringLiteral("日期 %1 不在上一期 %2（%3）之后")
                        .arg(day.toString(Qt::ISODate), QString::fromStdString(before->issue),
                             QString::fromStdString(before->date));
    }
    if (day.isValid() && after && DateOf(after->date).isValid() && day >= DateOf(after->date)) {
        warnings << QStringLiteral("日期 %1 不在下一期 %2（%3）之前")
                        .arg(day.toString(Qt::ISODate), QString::fromStdString(after->issue),
                             QString::fromStdString(after->date));
    }
    if (before && !after && beforeKey->year == key->year && key->index > beforeKey->index + 1) {
        warnings << QStringLiteral("跳过了 %1 期：%2 之后的下一期应是 %3")
                        .arg(key->index - beforeKey->index - 1)
                        .arg(QString::fromStdString(before->issue),
                             QString::fromStdString(IssueNumber::Make(
                                 {key->year, beforeKey->index + 1}, before->issue.size())));
    }
    return warnings;
}

} // namespace tarvex
