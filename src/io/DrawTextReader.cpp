#include "io/DrawTextReader.h"

#include <QString>
#include <QStringList>

#include <QRegularExpression>
#include <algorithm>

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
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray& raw : lines) {
        QByteArray line = raw;
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        const QString decoded = QString::fromUtf8(line);
        // A line that is not UTF-8 goes to the history reader as it stands (it tries GBK).
        text += decoded.toUtf8() == line ? QByteArray::fromStdString(Normalize(line.toStdString()))
                                         : line;
        text += '\n';
    }
    text.chop(1);
    DrawHistoryResult result = DrawHistory::ParseBytes(text);
    // A line that was not taken is quoted as the player wrote it, not as brought to form:
    // "2026999 xx 12" must not read "2026999 12".
    for (HistoryProblem& problem : result.problems) {
        if (problem.kind == HistoryProblem::Kind::Unreadable && problem.lines.size() == 1 &&
            problem.lines[0] >= 1 && problem.lines[0] <= lines.size()) {
            QByteArray line = lines[problem.lines[0] - 1];
            if (line.endsWith('\r')) {
                line.chop(1);
            }
            problem.text = line.toStdString();
        }
    }
    return result;
}

} // namespace tarvex
