#pragma once

#include "engine/Progress.h"
#include "io/DrawSources.h"
#include "io/PlayerHistory.h"

#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace tarvex {

// What one source did in an update.
struct SourceReport {
    QString url;
    QString error;                   // why it was not used; empty when it answered
    int draws = 0;                   // draws its answer held
    int unreadable = 0;              // lines or entries of its answer that gave no draw
    std::vector<HistoricDraw> fresh; // those the file lacks, after its oldest draw
    // Draws not taken for what they are (no real date, a date after today, a 期号 that does not
    // fit its date or the lottery's numbering), with the reason.
    std::vector<std::pair<HistoricDraw, QString>> implausible;
    std::string newest; // its newest draw's 期号 taken as plausible
    bool answered() const { return error.isEmpty(); }
};

// A draw two answering sources give with different numbers.
struct DrawDisagreement {
    HistoricDraw first, second;
    QString firstUrl, secondUrl;
};

struct UpdateOutcome {
    std::vector<SourceReport> sources;
    std::vector<HistoricDraw> added;     // written to the file, oldest first
    std::vector<HistoricDraw> unchecked; // among `added`, given by one answering source only
    std::vector<DrawDisagreement> disagreements;
    // Given by one of two answering sources beyond the newest the other gave: not taken.
    std::vector<HistoricDraw> unconfirmed;
    QString lottery; // "3D", "排列3"
    // Draws the file lacks within a year after the update, and where.
    int missing = 0;
    QStringList gaps;
    QString fileError;  // the file could not be read
    QString writeError; // the new draws could not be written; the file is as it was
    QString warning;    // written, but the backup could not be updated
    bool written = false;
    bool cancelled = false;
    int Answered() const;
};

// Brings the player's history up to date from the sources: asks them in order until two have
// answered, takes a draw both give alike, leaves a draw they disagree on. A draw only one
// gives is taken (and said not cross-checked) when it fills a hole or when that source alone
// answered, never beyond the newest the other source gave. A source that fails or
// contradicts a draw the file holds is reported and the next one asked; a draw that cannot be
// real is reported and left. Every draw the file lacks after its oldest is asked for, so
// holes are filled; those still missing are reported. Nothing is written unless a draw is new.
class HistoryUpdater {
public:
    static constexpr int kWanted = 2;

    // progress(sources asked, sources) may stop it: then nothing is written.
    static UpdateOutcome Run(const QString& path, const std::vector<DrawSource>& sources,
                             const ProgressFn& progress = {});
    // The built-in sources for the file's lottery and the player's own after them.
    static std::vector<DrawSource> SourcesFor(const QString& path);
    // What happened, a line each, for the window and the terminal.
    static QStringList Report(const UpdateOutcome& outcome);

private:
    static SourceReport Ask(const DrawSource& source, const PlayerHistoryFile& file,
                            const std::function<bool()>& stillWanted, bool& cancelled);
    static void Judge(const DrawSource& source, const SourceReadResult& read,
                      const PlayerHistoryFile& file, SourceReport& report);
    static void CountMissing(const PlayerHistoryFile& file, UpdateOutcome& outcome);
    static void Combine(UpdateOutcome& outcome, std::vector<HistoricDraw>& taken);
};

} // namespace tarvex
