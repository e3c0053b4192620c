#pragma once

#include "engine/HistoricDraw.h"
#include "io/HistoryTextForm.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace tarvex {

enum class Lottery { Fc3d, Pl3 };

// One line of the player's history as the file holds it: its bytes (without the line end),
// and the draw when the line reads as one. A line that does not is kept, never dropped.
// The lines are those the history readers see (any line end, UTF-16 decoded); `end` is the
// line's own end, empty for a last line without one.
struct PlayerHistoryLine {
    QByteArray bytes;
    std::optional<HistoricDraw> draw;
    QByteArray end = "\n";
};

struct PlayerHistoryFile {
    std::vector<PlayerHistoryLine> lines;
    QString error;        // the file could not be read
    QByteArray before;    // the bytes read, kept as ".bak" when the file is replaced
    HistoryTextForm form; // how the file stores its text, kept when a line is added
    bool ok() const { return error.isEmpty(); }
    // The draws in file order; the unreadable lines left out.
    std::vector<HistoricDraw> Draws() const;
    // The draw with the highest 期号, if any.
    std::optional<HistoricDraw> Newest() const;
};

// A draw that may not go into the file: its 期号 is held (or given again) with another number.
struct DrawRefusal {
    HistoricDraw given;
    HistoricDraw held;
};

// What adding a list of draws would do to the file.
struct DrawAddPlan {
    std::vector<HistoricDraw> added;      // in the file's 期号 form, oldest first
    std::vector<HistoricDraw> held;       // already in the file with the same number
    std::vector<DrawRefusal> refused;     // the file (or the list itself) has another number
    std::vector<PlayerHistoryLine> lines; // the file's lines with `added` put in
    QByteArray before;                    // the file as it was read
    HistoryTextForm form;
    bool written = false; // the new file is in place
    QString warning;      // written, but ".bak" could not be updated
};

// The player's own draw history: one file per lottery in the output folder, made on first use
// from the shipped history, changed only by adding draws and only through a temporary file
// renamed over it (the version before kept as ".bak"), so that no draw is ever lost or mixed.
// Writers take a lock beside the file (FILE.lock) from the read to the rename, so two programs
// adding at once both keep their draws.
class PlayerHistory {
public:
    static constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
    // How long a writer waits for another one to finish.
    static constexpr int kLockWaitMs = 20000;

    // "3D开奖历史.txt", "排列3开奖历史.txt".
    static QString FileName(Lottery lottery);
    // The file in `folder`; the current folder (where outputs are written) when empty.
    static QString PathIn(const QString& folder, Lottery lottery);
    // The shipped history of the lottery (installed or in the source tree); empty when none.
    static QString ShippedPath(Lottery lottery);
    // The history the program follows for a lottery (the main window's staleness line, the
    // record, the history windows when the player chose none): the player's own in the output
    // folder once it exists, else the shipped one; empty when neither.
    static QString Followed(Lottery lottery);
    // 排列3 when the name says so, else 3D.
    static Lottery LotteryOf(const QString& path);

    // Makes the file from the shipped history when it does not exist yet; never its folder.
    // Empty on success, else the reason.
    static QString Ensure(const QString& path, Lottery lottery);

    static PlayerHistoryFile Read(const QString& path);
    static PlayerHistoryFile ParseBytes(const QByteArray& bytes);
    // Draws given with another number than the file holds (or twice with two numbers) are
    // refused; the rest is added in the file's 期号 form, each after the last older draw, so
    // the lines already there keep their order and bytes.
    static DrawAddPlan Plan(const PlayerHistoryFile& file, const std::vector<HistoricDraw>& draws);
    // The file's lines with `added` (oldest first) each put after the last older draw.
    static std::vector<PlayerHistoryLine> Inserted(const PlayerHistoryFile& file,
                                                   const std::vector<HistoricDraw>& added);
    // Writes plan.lines in the file's own form when it adds anything. Empty on success, else
    // the reason. The caller holds the lock.
    static QString Commit(const QString& path, DrawAddPlan& plan);
    // Under the lock, reads, plans and commits; nothing is written when a draw is refused and
    // `allOrNothing`. A file changed by an editor between the read and the write is planned
    // again.
    static QString Add(const QString& path, const std::vector<HistoricDraw>& draws,
                       DrawAddPlan& plan, bool allOrNothing = true);

    // "期号 日期 百 十 个" and the three 试机号 digits when known (ASCII, so the same bytes in
    // UTF-8 and GBK).
    static QByteArray LineOf(const HistoricDraw& draw);
    // The lines with their ends, as text (before the file's encoding).
    static QByteArray Bytes(const std::vector<PlayerHistoryLine>& lines);
    // The file replaced through a temporary file; then `before` is kept as path + ".bak", so
    // the backup changes only once the new file is in place. A backup that could not be
    // written is said in `warning`; the file is written all the same.
    static QString WriteSafely(const QString& path, const QByteArray& bytes,
                               const QByteArray& before, QString* warning = nullptr);

    // Days from the newest draw's date to `today`; nothing when the newest draw has no date.
    static std::optional<int> DaysSince(const PlayerHistoryFile& file, const QDate& today);
    static bool Stale(const PlayerHistoryFile& file, const QDate& today);
    // "开奖数据到 2026224（2026-08-20），已 N 天没有更新", or empty when not stale.
    static QString StaleText(const PlayerHistoryFile& file, const QDate& today);
    // The same for draws already read (a window's loaded history, perhaps of several files).
    static QString StaleText(const std::vector<HistoricDraw>& draws, const QDate& today);
};

} // namespace tarvex
