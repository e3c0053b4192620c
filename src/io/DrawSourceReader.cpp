#include "io/DrawSourceReader.h"

#include "history/IssueNumber.h"
#include "io/DrawTextReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>

#include <algorithm>

namespace tarvex {

namespace {

// A digit given as 5, "5" or "05".
int Digit(const QJsonValue& value) {
    if (value.isDouble()) {
        const double d = value.toDouble();
        return d >= 0 && d <= 9 && d == static_cast<int>(d) ? static_cast<int>(d) : -1;
    }
    const QString text = value.toString().trimmed();
    bool number = false;
    const int digit = text.toInt(&number);
    return number && text.size() <= 2 && digit >= 0 && digit <= 9 ? digit : -1;
}

// A 期号 given as a number or a string, five or seven digits.
std::string Issue(const QJsonValue& value) {
    const QString text =
        value.isDouble() ? QString::number(value.toInteger()) : value.toString().trimmed();
    const std::string issue = text.toStdString();
    return IssueNumber::Split(issue) ? issue : std::string();
}

// "2026-09-25(五)" as "2026-09-25"; empty for anything else.
std::string Date(const QJsonValue& value) {
    static const QRegularExpression iso(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})"));
    const QRegularExpressionMatch match = iso.match(value.toString());
    return match.hasMatch() ? match.captured(1).toStdString() : std::string();
}

std::optional<HistoricDraw> Draw(const std::string& issue, const std::string& date,
                                 const std::vector<int>& digits) {
    if (issue.empty() || digits.size() != 3 ||
        std::any_of(digits.begin(), digits.end(), [](int d) { return d < 0; })) {
        return std::nullopt;
    }
    return HistoricDraw{issue, digits[0] * 100 + digits[1] * 10 + digits[2], date, {}};
}

// Oldest first, each 期号 once; a 期号 given with two numbers is not used at all.
void Settle(std::vector<HistoricDraw> draws, SourceReadResult& result) {
    // Each 期号 split once, not at every comparison of the sort.
    std::vector<std::pair<IssueNumber::Parts, std::size_t>> order;
    order.reserve(draws.size());
    for (std::size_t i = 0; i < draws.size(); ++i) {
        order.emplace_back(*IssueNumber::Split(draws[i].issue), i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<HistoricDraw> sorted;
    sorted.reserve(draws.size());
    for (const auto& [parts, i] : order) {
        sorted.push_back(std::move(draws[i]));
    }
    draws = std::move(sorted);
    for (std::size_t i = 0; i < draws.size();) {
        std::size_t end = i + 1;
        bool conflict = false;
        while (end < draws.size() && IssueNumber::Same(draws[i].issue, draws[end].issue)) {
            conflict = conflict || draws[end].number != draws[i].number;
            ++end;
        }
        if (conflict) {
            result.unreadable += static_cast<int>(end - i);
        } else {
            result.draws.push_back(draws[i]);
        }
        i = end;
    }
}

SourceReadResult Failed(const QString& error, SourceFormat format) {
    SourceReadResult result;
    result.error = error;
    result.format = format;
    return result;
}

QJsonObject Object(const QByteArray& body, QString& error) {
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parse);
    if (parse.error != QJsonParseError::NoError || !document.isObject()) {
        error = QStringLiteral("回答不是完整的 JSON（可能被截断）");
        return {};
    }
    return document.object();
}

std::size_t FieldCount(const QByteArray& line) {
    const std::string normal = DrawTextReader::Normalize(line.trimmed().toStdString());
    return normal.empty()
               ? 0
               : static_cast<std::size_t>(std::count(normal.begin(), normal.end(), ' ')) + 1;
}

// A body cut off inside its last line could read as a wrong draw ("2026223 202" for
// "2026223 2026-08-21 9 4 8"), so a last line without its line end is used only when it has
// as many fields as the draw before it, or, with none before, a date and a number.
bool CompleteLastLine(const QByteArray& body) {
    const qsizetype lastStart = body.lastIndexOf('\n') + 1;
    const QByteArray last = body.mid(lastStart);
    if (lastStart > 0) {
        const QByteArray rest = body.left(lastStart - 1);
        const QByteArray before = rest.mid(rest.lastIndexOf('\n') + 1);
        if (DrawTextReader::Read(before).draws.size() == 1) {
            return FieldCount(last) >= FieldCount(before);
        }
    }
    const DrawHistoryResult alone = DrawTextReader::Read(last);
    return alone.draws.size() == 1 && !alone.draws.front().date.empty();
}

} // namespace

std::optional<SourceFormat> DrawSourceReader::FormatNamed(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("text") || n == QLatin1String("csv") || n == QLatin1String("17500") ||
        n == QLatin1String("table") || n == QLatin1String("txt")) {
        return SourceFormat::Text;
    }
    if (n == QLatin1String("huiniao")) {
        return SourceFormat::Huiniao;
    }
    if (n == QLatin1String("cwl")) {
        return SourceFormat::Cwl;
    }
    if (n == QLatin1String("auto")) {
        return SourceFormat::Auto;
    }
    return std::nullopt;
}

QString DrawSourceReader::FormatName(SourceFormat format) {
    switch (format) {
    case SourceFormat::Text:
        return QStringLiteral("text");
    case SourceFormat::Huiniao:
        return QStringLiteral("huiniao");
    case SourceFormat::Cwl:
        return QStringLiteral("cwl");
    case SourceFormat::Auto:
        break;
    }
    return QStringLiteral("auto");
}

SourceReadResult DrawSourceReader::Read(const QByteArray& body, SourceFormat format) {
    if (body.size() > kMaxBytes) {
        return Failed(QStringLiteral("回答太大（超过 8 MB）"), format);
    }
    if (body.trimmed().isEmpty()) {
        return Failed(QStringLiteral("回答是空的"), format);
    }
    if (format == SourceFormat::Auto) {
        const QByteArray start = body.trimmed().left(1);
        format = start != "{" ? SourceFormat::Text
                 : body.contains("\"state\"") && body.contains("\"result\"")
                     ? SourceFormat::Cwl
                     : SourceFormat::Huiniao;
    }
    SourceReadResult result = format == SourceFormat::Huiniao ? ReadHuiniao(body)
                              : format == SourceFormat::Cwl   ? ReadCwl(body)
                                                              : ReadText(body);
    result.format = format;
    if (result.ok() && result.draws.empty()) {
        result.error = QStringLiteral("回答里没有读到开奖号码");
    }
    return result;
}

SourceReadResult DrawSourceReader::ReadText(const QByteArray& whole) {
    SourceReadResult result;
    QByteArray body = whole;
    if (!body.endsWith('\n')) {
        const QByteArray last = body.mid(body.lastIndexOf('\n') + 1);
        if (!CompleteLastLine(body)) {
            body.chop(last.size());
            ++result.unreadable;
        }
    }
    const DrawHistoryResult read = DrawTextReader::Read(body);
    std::vector<HistoricDraw> draws;
    for (const HistoricDraw& draw : read.draws) {
        if (IssueNumber::Split(draw.issue)) {
            draws.push_back(draw);
        } else {
            ++result.unreadable;
        }
    }
    result.unreadable += static_cast<int>(read.problems.size());
    if (result.unreadable > static_cast<int>(draws.size())) {
        return Failed(QStringLiteral("回答看不懂：%1 行读不出开奖号码").arg(result.unreadable),
                      SourceFormat::Text);
    }
    Settle(std::move(draws), result);
    return result;
}

SourceReadResult DrawSourceReader::ReadHuiniao(const QByteArray& body) {
    QString error;
    const QJsonObject root = Object(body, error);
    if (!error.isEmpty()) {
        return Failed(error, SourceFormat::Huiniao);
    }
    if (root.value(QStringLiteral("code")).toVariant().toInt() != 1) {
        return Failed(QStringLiteral("回答表示失败（code 不是 1）"), SourceFormat::Huiniao);
    }
    const QJsonValue list = root.value(QStringLiteral("data"))
                                .toObject()
                                .value(QStringLiteral("data"))
                                .toObject()
                                .value(QStringLiteral("list"));
    if (!list.isArray()) {
        return Failed(QStringLiteral("回答里没有 data.data.list"), SourceFormat::Huiniao);
    }
    SourceReadResult result;
    std::vector<HistoricDraw> draws;
    for (const QJsonValue& item : list.toArray()) {
        const QJsonObject o = item.toObject();
        const std::optional<HistoricDraw> draw =
            Draw(Issue(o.value(QStringLiteral("code"))), Date(o.value(QStringLiteral("day"))),
                 {Digit(o.value(QStringLiteral("one"))), Digit(o.value(QStringLiteral("two"))),
                  Digit(o.value(QStringLiteral("three")))});
        if (draw) {
            draws.push_back(*draw);
        } else {
            ++result.unreadable;
        }
    }
    Settle(std::move(draws), result);
    return result;
}

SourceReadResult DrawSourceReader::ReadCwl(const QByteArray& body) {
    QString error;
    const QJsonObject root = Object(body, error);
    if (!error.isEmpty()) {
        return Failed(error, SourceFormat::Cwl);
    }
    const QJsonValue state = root.value(QStringLiteral("state"));
    if (state.isUndefined() || state.toVariant().toInt() != 0 ||
        !root.value(QStringLiteral("result")).isArray()) {
        return Failed(QStringLiteral("回答表示失败（state 不是 0）"), SourceFormat::Cwl);
    }
    SourceReadResult result;
    std::vector<HistoricDraw> draws;
    for (const QJsonValue& item : root.value(QStringLiteral("result")).toArray()) {
        const QJsonObject o = item.toObject();
        std::vector<int> digits;
        for (const QString& part : o.value(QStringLiteral("red")).toString().split(u',')) {
            digits.push_back(Digit(QJsonValue(part)));
        }
        const std::optional<HistoricDraw> draw = Draw(
            Issue(o.value(QStringLiteral("code"))), Date(o.value(QStringLiteral("date"))), digits);
        if (draw) {
            draws.push_back(*draw);
        } else {
            ++result.unreadable;
        }
    }
    Settle(std::move(draws), result);
    return result;
}

} // namespace tarvex
