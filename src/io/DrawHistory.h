#pragma once

#include "engine/HistoricDraw.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// A line of a history file that could not be taken as it stands.
struct HistoryProblem {
    enum class Kind { Unreadable, Conflict, Undecodable };
    Kind kind = Kind::Unreadable;
    std::vector<int> lines; // 1-based line numbers; for a conflict every line of that 期号
    std::string issue;      // the conflicting 期号
    std::string text;       // the unreadable line as it stands
    // Read from several files: the name of the file each of `lines` is in; empty for one file.
    std::vector<std::string> files;
    bool operator==(const HistoryProblem&) const = default;
};

struct DrawHistoryResult {
    std::vector<HistoricDraw> draws; // sorted by 期号, oldest first, each 期号 once
    std::vector<HistoryProblem> problems;
    QString error; // the file itself could not be read
    bool ok() const { return error.isEmpty(); }
    // One Chinese sentence per problem, for warnings.
    QStringList ProblemMessages() const;
    // The first `listed` of them and a line counting the rest, for a terminal.
    QStringList ProblemMessages(qsizetype listed) const;
};

// Reads past draws from the text forms players keep them in: "期号 日期 百 十 个 …",
// CSV "期号,日期,号码", and bare "期号 号码", "期号 百 十 个" or "期号,百,十,个" lines.
// Lines with fewer than three digits (headings, blank lines) are skipped; anything else that does
// not fit is reported rather than guessed at. The 期号 is always the first column.
class DrawHistory {
public:
    static constexpr qint64 kMaxBytes = 16 * 1024 * 1024;

    static DrawHistoryResult Load(const QString& path);
    static DrawHistoryResult Parse(const std::string& utf8Text);
    // Bytes as a file holds them: each line is read as UTF-8 or, failing that, as GBK, so a
    // few lines in another encoding cost only themselves; a line that is neither is reported.
    static DrawHistoryResult ParseBytes(const QByteArray& bytes);
    // Several files read as one history: a 期号 two files give different numbers is refused
    // and reported with the file and line of each, as a conflict within one file is; exact
    // repeats are dropped and the draws sorted. A file that cannot be read stops it all.
    static DrawHistoryResult LoadAll(const QStringList& paths);
    // One line of a file's text (already split and, for UTF-16, decoded) as ParseBytes takes it.
    static std::optional<HistoricDraw> DrawOfLine(const QByteArray& line);

private:
    struct Entry {
        HistoricDraw draw;
        int line = 0;
        int file = -1; // index into the names of LoadAll; -1 for a single file
    };
    static bool ParseLine(const std::string& line, HistoricDraw& draw);
    static bool ThreeDigits(const std::vector<std::string>& fields, std::size_t at, int& number,
                            std::size_t& next);
    static void ParseOne(std::string line, int number, int file, std::vector<Entry>& entries,
                         DrawHistoryResult& result);
    static void ReadLine(const QByteArray& raw, int number, int file, std::vector<Entry>& entries,
                         DrawHistoryResult& result);
    static void ReadEntries(const QByteArray& bytes, int file, std::vector<Entry>& entries,
                            DrawHistoryResult& result);
    static void Settle(std::vector<Entry> entries, DrawHistoryResult& result,
                       const std::vector<std::string>& names = {});
    static HistoryProblem Conflict(const std::vector<const Entry*>& same,
                                   const std::vector<std::string>& names);
};

} // namespace tarvex
