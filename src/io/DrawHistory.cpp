#include "io/DrawHistory.h"

#include "io/GbkCodec.h"
#include "io/HistoryTextForm.h"
#include "io/MessageText.h"
#include "io/NativeFileName.h"
#include "io/TextFileReader.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <optional>
#include <string_view>
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

bool IsSeparator(char c) {
    return c == ' ' || c == ',' || c == ';' || c == '\t' || c == '"' || c == '\n' || c == '\v' ||
           c == '\f' || c == '\r';
}

// The full-width comma, semicolon and blank: "，" "；" "　".
std::size_t WideSeparator(const std::string& s, std::size_t at) {
    if (at + 3 > s.size()) {
        return 0;
    }
    const auto b0 = static_cast<unsigned char>(s[at]);
    const auto b1 = static_cast<unsigned char>(s[at + 1]);
    const auto b2 = static_cast<unsigned char>(s[at + 2]);
    const bool wide = (b0 == 0xEF && b1 == 0xBC && (b2 == 0x8C || b2 == 0x9B)) ||
                      (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80);
    return wide ? 3 : 0;
}

// Columns are separated by white space, commas, semicolons or tabs (full-width ones too);
// quotes around CSV fields are dropped. One pass over the line, so a line of a million
// separators costs no more than a million characters.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t wide = WideSeparator(line, at);
        if (wide != 0 || IsSeparator(line[at])) {
            if (!field.empty()) {
                fields.push_back(std::move(field));
                field.clear();
            }
            at += wide != 0 ? wide : 1;
            continue;
        }
        field += line[at++];
    }
    if (!field.empty()) {
        fields.push_back(std::move(field));
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

// Takes `min` to `max` digits at `at`; hand-written rather than a regular expression, whose
// backtracking matcher is slow on a long field and may exhaust the stack.
bool Digits(const std::string& s, std::size_t& at, std::size_t min, std::size_t max) {
    std::size_t n = 0;
    while (at < s.size() && n < max && s[at] >= '0' && s[at] <= '9') {
        ++at;
        ++n;
    }
    return n >= min;
}

bool Literal(const std::string& s, std::size_t& at, std::string_view text) {
    if (s.compare(at, text.size(), text) != 0) {
        return false;
    }
    at += text.size();
    return true;
}

bool DateSeparator(const std::string& s, std::size_t& at) {
    if (at < s.size() && (s[at] == '-' || s[at] == '/' || s[at] == '.')) {
        ++at;
        return true;
    }
    return false;
}

// "2026-9-25" (also with / or .), "2026年9月25日" (日 may be left out) or "20260925".
bool IsDate(const std::string& field) {
    if (field.size() > 20) {
        return false;
    }
    std::size_t at = 0;
    if (field.size() == 8 && Digits(field, at, 8, 8)) {
        return true;
    }
    at = 0;
    if (!Digits(field, at, 4, 4)) {
        return false;
    }
    const std::size_t year = at;
    if (DateSeparator(field, at) && Digits(field, at, 1, 2) && DateSeparator(field, at) &&
        Digits(field, at, 1, 2) && at == field.size()) {
        return true;
    }
    at = year;
    if (Literal(field, at, "年") && Digits(field, at, 1, 2) && Literal(field, at, "月") &&
        Digits(field, at, 1, 2)) {
        Literal(field, at, "日");
        return at == field.size();
    }
    return false;
}

// "20:30" or "20:30:00".
bool IsTime(const std::string& field) {
    std::size_t at = 0;
    if (field.size() > 8 || !Digits(field, at, 1, 2) || !Literal(field, at, ":") ||
        !Digits(field, at, 2, 2)) {
        return false;
    }
    if (at < field.size() && !(Literal(field, at, ":") && Digits(field, at, 2, 2))) {
        return false;
    }
    return at == field.size();
}

// "2026-09-25", "2026/9/25", "2026.9.25", "2026年9月25日" and "20260925" as "2026-09-25".
std::string IsoDate(const std::string& field) {
    // Already "YYYY-MM-DD", as most sources and files write it: the same text comes back.
    if (field.size() == 10 && field[4] == '-' && field[7] == '-' &&
        std::all_of(field.begin(), field.end(),
                    [](char c) { return c == '-' || (c >= '0' && c <= '9'); }) &&
        std::count(field.begin(), field.end(), '-') == 2) {
        return field;
    }
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
// Views, not copies: a flood of 1.4 million lines is sorted with this.
bool IssueBefore(std::string_view a, std::string_view b) {
    a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
    b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// A 期号 repeated on a million lines must not make a million-line message.
constexpr std::size_t kListedLines = 20;

QString Unlisted(const HistoryProblem& p) {
    return p.lines.size() > kListedLines
               ? QStringLiteral("等共 %1 行").arg(static_cast<qulonglong>(p.lines.size()))
               : QString();
}

// "2、4", or with the files of a merged read "“a.txt”第 2 行、“b.csv”第 230 行".
QString LineList(const HistoryProblem& p) {
    QStringList parts;
    for (std::size_t i = 0; i < std::min(p.lines.size(), kListedLines); ++i) {
        parts << QString::number(p.lines[i]);
    }
    return parts.join(QStringLiteral("、"));
}

QString Places(const HistoryProblem& p) {
    if (p.files.size() != p.lines.size()) {
        return p.lines.size() > kListedLines
                   ? QStringLiteral("第 %1 %2").arg(LineList(p), Unlisted(p))
                   : QStringLiteral("第 %1 行").arg(LineList(p));
    }
    QStringList parts;
    for (std::size_t i = 0; i < std::min(p.lines.size(), kListedLines); ++i) {
        parts << QStringLiteral("“%1”第 %2 行")
                     .arg(QString::fromStdString(p.files[i]))
                     .arg(p.lines[i]);
    }
    return parts.join(QStringLiteral("、")) + Unlisted(p);
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
    // The order is sorted, not the entries: each entry carries three strings.
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&entries](std::size_t a, std::size_t b) {
        return IssueBefore(entries[a].draw.issue, entries[b].draw.issue);
    });
    for (std::size_t i = 0; i < order.size();) {
        const Entry& first = entries[order[i]];
        std::size_t end = i + 1;
        bool conflict = false;
        while (end < order.size() &&
               !IssueBefore(first.draw.issue, entries[order[end]].draw.issue)) {
            conflict = conflict || entries[order[end]].draw.number != first.draw.number;
            ++end;
        }
        if (conflict) {
            std::vector<const Entry*> same;
            same.reserve(end - i);
            for (std::size_t k = i; k < end; ++k) {
                same.push_back(&entries[order[k]]);
            }
            result.problems.push_back(Conflict(same, names));
        } else {
            result.draws.push_back(std::move(entries[order[i]].draw));
        }
        i = end;
    }
}

// The lines of one 期号, in file order and then line order.
HistoryProblem DrawHistory::Conflict(const std::vector<const Entry*>& same,
                                     const std::vector<std::string>& names) {
    std::vector<std::pair<int, int>> places;
    places.reserve(same.size());
    for (const Entry* entry : same) {
        places.emplace_back(entry->file, entry->line);
    }
    std::sort(places.begin(), places.end());
    HistoryProblem problem{HistoryProblem::Kind::Conflict, {}, same.front()->draw.issue, {}, {}};
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
    int number = 0;
    ForEachHistoryLine(utf8Text, [&](std::string_view line, std::string_view) {
        ParseOne(std::string(line), ++number, -1, entries, result);
    });
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
    const QByteArray text = HistoryTextForm::Of(bytes).Text(bytes);
    int number = 0;
    // Room for every line at once: growing a vector of a million draws copies it many times.
    entries.reserve(entries.size() + static_cast<std::size_t>(text.count('\n')) + 1);
    ForEachHistoryLine(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                       [&](std::string_view view, std::string_view) {
                           ReadLine(QByteArray(view.data(), static_cast<qsizetype>(view.size())),
                                    ++number, file, entries, result);
                       });
}

void DrawHistory::ReadLine(const QByteArray& raw, int number, int file, std::vector<Entry>& entries,
                           DrawHistoryResult& result) {
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
            return;
        }
        line = std::move(*decoded);
    }
    ParseOne(line.toStdString(), number, file, entries, result);
}

std::optional<HistoricDraw> DrawHistory::DrawOfLine(const QByteArray& line) {
    std::vector<Entry> entries;
    DrawHistoryResult result;
    ReadLine(line, 1, -1, entries, result);
    if (entries.size() == 1 && result.problems.empty()) {
        return entries.front().draw;
    }
    return std::nullopt;
}

DrawHistoryResult DrawHistory::Load(const QString& path) {
    const ByteReadResult read = TextFileReader::ReadBytes(
        path, kMaxBytes, QStringLiteral("开奖历史文件太大（超过 16 MB）"));
    if (!read.ok()) {
        DrawHistoryResult result;
        result.error = QStringLiteral("读不了开奖历史文件“%1”：%2")
                           .arg(NativeFileName::ShownName(path), read.error);
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
                               .arg(NativeFileName::ShownName(path), read.error);
            return failed;
        }
        const std::size_t before = result.problems.size();
        const int file = static_cast<int>(names.size());
        names.push_back(NativeFileName::ShownName(QFileInfo(path).fileName()).toStdString());
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
