#include "io/DrawTextReader.h"

#include <QString>
#include <QStringList>

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace tarvex {

namespace {

bool HasDigit(const QString& field) {
    return std::any_of(field.begin(), field.end(), [](QChar c) { return c.isDigit(); });
}

// "2026-08-20(四)" and "2026-08-20（星期四）" as "2026-08-20".
QString WithoutWeekday(QString field) {
    for (const QChar open : {QChar(u'('), QChar(u'（')}) {
        const qsizetype at = field.indexOf(open);
        if (at > 0) {
            field.truncate(at);
        }
    }
    return field;
}

// Fields of digits and '-' (期号, date, digits), one space apart, each with a digit: what
// Normalize gives back unchanged. Most lines of an archive are so, and skip its regular
// expressions, which would cost more than the rest of an update put together.
bool AlreadyPlain(QByteArrayView line) {
    bool digit = false;
    char before = ' ';
    for (const char c : line) {
        if (c == ' ') {
            if (before == ' ' || !digit) {
                return false;
            }
            digit = false;
        } else if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c != '-') {
            return false;
        }
        before = c;
    }
    return line.isEmpty() || digit;
}

} // namespace

std::string DrawTextReader::Normalize(const std::string& line) {
    static const QRegularExpression separators(QStringLiteral("[\\s,;，；、|]+"));
    // A column such as 总销售额 "586,251,484" is one figure, not three fields: split at its
    // commas its first group would read as the 试机号.
    static const QRegularExpression grouped(
        QStringLiteral("(?<=^|\\s)\\d{1,3}(?:,\\d{3})+(?=\\s|$)"));
    QString text = QString::fromStdString(line);
    for (QRegularExpressionMatchIterator it = grouped.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QString figure = match.captured();
        text.replace(match.capturedStart(), match.capturedLength(),
                     figure.remove(u',').leftJustified(match.capturedLength(), u' '));
    }
    const QStringList fields = text.split(separators, Qt::SkipEmptyParts);
    QStringList kept;
    for (const QString& field : fields) {
        const QString bare = WithoutWeekday(field);
        // Words ("星期四", "组六", "期") are columns no reader needs; the first field is
        // kept as it is, so a heading stays a heading.
        if (kept.isEmpty() || HasDigit(bare)) {
            kept << bare;
        }
    }
    return kept.join(u' ').toStdString();
}

DrawHistoryResult DrawTextReader::Read(const QByteArray& bytes) {
    QByteArray text;
    text.reserve(bytes.size());
    // Line by line without a list of copies of every line first; where each line starts is
    // kept, so a line not taken can be quoted as it was written.
    std::vector<QByteArrayView> raw;
    for (qsizetype from = 0; from <= bytes.size();) {
        qsizetype end = bytes.indexOf('\n', from);
        if (end < 0) {
            end = bytes.size();
        }
        QByteArrayView view(bytes.constData() + from, end - from);
        raw.push_back(view);
        from = end + 1;
        if (view.endsWith('\r')) {
            view.chop(1);
        }
        if (AlreadyPlain(view)) {
            text += view;
            text += '\n';
            continue;
        }
        const QByteArray line = view.toByteArray();
        const QString decoded = QString::fromUtf8(line);
        // A line that is not UTF-8 goes to the history reader as it stands (it tries GBK).
        text += decoded.toUtf8() == line ? QByteArray::fromStdString(Normalize(line.toStdString()))
                                         : line;
        text += '\n';
    }
    text.chop(1);
    DrawHistoryResult result = DrawHistory::ParseBytes(text);
    // "2026999 xx 12" must not read "2026999 12": the player's own line, not its tidied form.
    for (HistoryProblem& problem : result.problems) {
        if (problem.kind == HistoryProblem::Kind::Unreadable && problem.lines.size() == 1 &&
            problem.lines[0] >= 1 && std::size_t(problem.lines[0]) <= raw.size()) {
            QByteArrayView line = raw[std::size_t(problem.lines[0]) - 1];
            if (line.endsWith('\r')) {
                line.chop(1);
            }
            problem.text = line.toByteArray().toStdString();
        }
    }
    return result;
}

} // namespace tarvex
