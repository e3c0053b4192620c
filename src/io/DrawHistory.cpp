#include "io/DrawHistory.h"

#include "io/GbkCodec.h"
#include "io/MessageText.h"
#include "io/NativeFileName.h"
#include "io/TextFileReader.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <utility>

namespace tarvex {

namespace {

bool AllDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A line with fewer than three digits cannot hold a draw: a heading such as "福彩3D开奖历史".
bool IsHeading(const std::string& s) {
    return std::count_if(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }) < 3;
}

void Replace(std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t at = s.find(from); at != std::string::npos;
         at = s.find(from, at + to.size())) {
        s.replace(at, from.size(), to);
    }
}

// Columns are separated by white space, commas, semicolons or tabs (full-width ones too);
// quotes around CSV fields are dropped.
std::vector<std::string> Fields(std::string line) {
    for (const char* wide : {"，", "；", "　", "\""}) {
        Replace(line, wide, " ");
    }
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == ',' || c == ';' || c == '\t'; }, ' ');
    std::istringstream in(line);
    std::vector<std::string> fields;
    for (std::string field; in >> field;) {
        fields.push_back(field);
    }
    return fields;
}

// "第2026155期" is the same 期号 as "2026155".
std::string Issue(std::string field) {
    if (field.rfind("第", 0) == 0) {
        field.erase(0, std::string("第").size());
    }
    const std::string qi = "期";
    if (field.size() > qi.size() && field.compare(field.size() - qi.size(), qi.size(), qi) == 0) {
        field.erase(field.size() - qi.size());
    }
    return AllDigits(field) && field.size() >= 4 && field.size() <= 12 ? field : std::string();
}

bool IsDate(const std::string& field) {
    static const std::regex date(
        R"((\d{4}[-/.]\d{1,2}[-/.]\d{1,2})|(\d{4}年\d{1,2}月\d{1,2}日?)|(\d{8}))");
    return std::regex_match(field, date);
}

bool IsTime(const std::string& field) {
    static const std::regex time(R"(\d{1,2}:\d{2}(:\d{2})?)");
    return std::regex_match(field, time);
}

// "2026-09-25", "2026/9/25", "2026.9.25", "2026年9月25日" and "20260925" as "2026-09-25".
std::string IsoDate(const std::string& field) {
    std::vector<int> parts;
    std::string digits;
    for (const char c : field + '-') {
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (!digits.empty()) {
            parts.push_back(std::stoi(digits.substr(0, 4)));
            digits.clear();
        }
    }
    if (parts.size() == 1 && field.size() == 8) {
        parts = {std::stoi(field.substr(0, 4)), std::stoi(field.substr(4, 2)),
                 std::stoi(field.substr(6, 2))};
    }
    if (parts.size() != 3) {
        return {};
    }
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts[0] % 10000, parts[1] % 100,
                  parts[2] % 100);
    return text;
}

bool IsDigit(const std::string& field) {
    return field.size() == 1 && AllDigits(field);
}

// Issues compare as numbers: a shorter one (without leading zeros) is the older.
bool IssueBefore(const std::string& a, const std::string& b) {
    const std::string x = a.substr(std::min(a.find_first_not_of('0'), a.size()));
    const std::string y = b.substr(std::min(b.find_first_not_of('0'), b.size()));
    return x.size() != y.size() ? x.size() < y.size() : x < y;
}

// "2、4", or with the files of a merged read "“a.txt”第 2 行、“b.csv”第 230 行".
QString LineList(const HistoryProblem& p) {
    QStringList parts;
    for (std::size_t i = 0; i < p.lines.size(); ++i) {
        parts << QString::number(p.lines[i]);
    }
    return parts.join(QStringLiteral("、"));
}

QString Places(const HistoryProblem& p) {
    if (p.files.size() != p.lines.size()) {
        return QStringLiteral("第 %1 行").arg(LineList(p));
    }
    QStringList parts;
    for (std::size_t i = 0; i < p.lines.size(); ++i) {
        parts << QStringLiteral("“%1”第 %2 行")
                     .arg(QString::fromStdString(p.files[i]))
                     .arg(p.lines[i]);
    }
    return parts.join(QStringLiteral("、"));
}

} // namespace

// A number at `at`, as one field "123" or three fields "1 2 3"; `next` is the field after it.
bool DrawHistory::ThreeDigits(const std::vector<std::string>& fields, std::size_t at, int& number,
                              std::size_t& next) {
    if (at < fields.size() && fields[at].size() == 3 && AllDigits(fields[at])) {
        number = std::stoi(fields[at]);
        next = at + 1;
        return true;
    }
    if (at + 2 < fields.size() && IsDigit(fields[at]) && IsDigit(fields[at + 1]) &&
        IsDigit(fields[at + 2])) {
        number = std::stoi(fields[at] + fields[at + 1] + fields[at + 2]);
        next = at + 3;
        return true;
    }
    return false;
}

bool DrawHistory::ParseLine(const std::string& line, HistoricDraw& draw) {
    const std::vector<std::string> fields = Fields(line);
    if (fields.size() < 2) {
        return false;
    }
    draw.issue = Issue(fields[0]);
    if (draw.issue.empty()) {
        return false;
    }
    std::size_t at = 1;
    if (IsDate(fields[at]) && at + 1 < fields.size()) {
        draw.date = IsoDate(fields[at]);
        ++at;
        if (IsTime(fields[at]) && at + 1 < fields.size()) {
            ++at;
        }
    }
    std::size_t next = 0;
    if (!ThreeDigits(fields, at, draw.number, next)) {
        return false;
    }
    int trial = 0;
    std::size_t after = 0;
    if (ThreeDigits(fields, next, trial, after)) {
        char text[4];
        std::snprintf(text, sizeof text, "%03d", trial);
        draw.trial = text;
    }
    return true;
}

// Sorts by 期号; an exact repeat is dropped, a 期号 given with two numbers is dropped and
// reported, since either could be the wrong one.
void DrawHistory::Settle(std::vector<Entry> entries, DrawHistoryResult& result,
                         const std::vector<std::string>& names) {
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return IssueBefore(a.draw.issue, b.draw.issue);
    });
    for (std::size_t i = 0; i < entries.size();) {
        std::size_t end = i + 1;
        bool conflict = false;
        while (end < entries.size() &&
               !IssueBefore(entries[i].draw.issue, entries[end].draw.issue)) {
            conflict = conflict || entries[end].draw.number != entries[i].draw.number;
            ++end;
        }
        if (conflict) {
            const auto first = entries.begin() + static_cast<std::ptrdiff_t>(i);
            const auto last = entries.begin() + static_cast<std::ptrdiff_t>(end);
            result.problems.push_back(Conflict(std::vector<Entry>(first, last), names));
        } else {
            result.draws.push_back(entries[i].draw);
        }
        i = end;
    }
}

// The lines of one 期号, in file order and then line order.
HistoryProblem DrawHistory::Conflict(const std::vector<Entry>& same,
                                     const std::vector<std::string>& names) {
    std::vector<std::pair<int, int>> places;
    for (const Entry& entry : same) {
        places.emplace_back(entry.file, entry.line);
    }
    std::sort(places.begin(), places.end());
    HistoryProblem problem{HistoryProblem::Kind::Conflict, {}, same.front().draw.issue, {}, {}};
    for (const auto& [file, line] : places) {
        problem.lines.push_back(line);
        if (file >= 0 && static_cast<std::size_t>(file) < names.size()) {
            problem.files.push_back(names[static_cast<std::size_t>(file)]);
        }
    }
    return problem;
}

void DrawHistory::ParseOne(std::string line, int number, int file, std::vector<Entry>& entries,
                           DrawHistoryResult& result) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (IsHeading(line)) {
        return;
    }
    HistoricDraw draw;
    if (ParseLine(line, draw)) {
        entries.push_back({draw, number, file});
    } else {
        result.problems.push_back({HistoryProblem::Kind::Unreadable, {number}, {}, line, {}});
    }
}

DrawHistoryResult DrawHistory::Parse(const std::string& utf8Text) {
    DrawHistoryResult result;
    std::vector<Entry> entries;
    std::istringstream in(utf8Text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ParseOne(std::move(line), ++number, -1, entries, result);
    }
    Settle(std::move(entries), result);
    return result;
}

DrawHistoryResult DrawHistory::ParseBytes(const QByteArray& bytes) {
    DrawHistoryResult result;
    std::vector<Entry> entries;
    ReadEntries(bytes, -1, entries, result);
    Settle(std::move(entries), result);
    return result;
}

void DrawHistory::ReadEntries(const QByteArray& bytes, int file, std::vector<Entry>& entries,
                              DrawHistoryResult& result) {
    const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    int number = 0;
    for (const QByteArray& raw : text.split('\n')) {
        ++number;
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString line = utf8.decode(raw);
        if (utf8.hasError()) {
            bool clean = false;
            std::optional<QString> decoded = GbkCodec::Native().Decode(raw, &clean);
            if (!decoded || !clean) {
                result.problems.push_back({HistoryProblem::Kind::Undecodable,
                                           {number},
                                           {},
                                           QString::fromLatin1(raw).toStdString(),
                                           {}});
                continue;
            }
            line = std::move(*decoded);
        }
        ParseOne(line.toStdString(), number, file, entries, result);
    }
}

DrawHistoryResult DrawHistory::Load(const QString& path) {
    const ByteReadResult read = TextFileReader::ReadBytes(
        path, kMaxBytes, QStringLiteral("开奖历史文件太大（超过 16 MB）"));
    if (!read.ok()) {
        DrawHistoryResult result;
        result.error = QStringLiteral("读不了开奖历史文件“%1”：%2")
                           .arg(NativeFileName::Shown(path), read.error);
        return result;
    }
    return ParseBytes(read.bytes);
}

DrawHistoryResult DrawHistory::LoadAll(const QStringList& paths) {
    DrawHistoryResult result;
    std::vector<Entry> entries;
    std::vector<std::string> names;
    for (const QString& path : paths) {
        const ByteReadResult read = TextFileReader::ReadBytes(
            path, kMaxBytes, QStringLiteral("开奖历史文件太大（超过 16 MB）"));
        if (!read.ok()) {
            DrawHistoryResult failed;
            failed.error = QStringLiteral("读不了开奖历史文件“%1”：%2")
                               .arg(NativeFileName::Shown(path), read.error);
            return failed;
        }
        const std::size_t before = result.problems.size();
        const int file = static_cast<int>(names.size());
        names.push_back(NativeFileName::Shown(QFileInfo(path).fileName()).toStdString());
        ReadEntries(read.bytes, file, entries, result);
        for (std::size_t p = before; p < result.problems.size(); ++p) {
            result.problems[p].files = {names.back()};
        }
    }
    Settle(std::move(entries), result, names);
    return result;
}

QStringList DrawHistoryResult::ProblemMessages() const {
    QStringList messages;
    for (const HistoryProblem& p : problems) {
        if (p.kind == HistoryProblem::Kind::Undecodable) {
            messages << QStringLiteral(
                            "%1的文字无法解码（既不是 UTF-8 也不是 GBK），这一行没有采用：%2")
                            .arg(Places(p), MessageText::Excerpt(p.text));
        } else if (p.kind == HistoryProblem::Kind::Conflict) {
            messages << QStringLiteral("期号 %1 出现在%2，号码不同，这一期没有采用")
                            .arg(QString::fromStdString(p.issue), Places(p));
        } else {
            messages << QStringLiteral("%1读不出期号和号码：%2")
                            .arg(Places(p), MessageText::Excerpt(p.text));
        }
    }
    return messages;
}

QStringList DrawHistoryResult::ProblemMessages(qsizetype listed) const {
    QStringList messages = ProblemMessages();
    if (messages.size() > listed) {
        const qsizetype rest = messages.size() - listed;
        messages.resize(listed);
        messages << QStringLiteral("另有 %1 处问题没有列出").arg(rest);
    }
    return messages;
}

} // namespace tarvex
