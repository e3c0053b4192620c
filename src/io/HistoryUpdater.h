#pragma once

#include "engine/Progress.h"
#include "io/DrawSources.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvex {

// What one source did in an update.
struct SourceReport {
    QString url;
    QString error;                   // why it was not used; empty when it answered
    int draws = 0;                   // draws its answer held
    std::vector<HistoricDraw> fresh; // those after the newest held
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
    QString fileError;  // the file could not be read
    QString writeError; // the new draws could not be written; the file is as it was
    bool cancelled = false;
    int Answered() const;
};

// Brings the player's history up to date from the sources: asks them in order until two have
// answered, takes a draw both give alike, takes a draw only one gives (and says it was not
// cross-checked), leaves a draw they disagree on. A source that fails or contradicts a draw
// the file holds is reported and the next one asked. Nothing is written unless a draw is new.
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
    static void Combine(UpdateOutcome& outcome, std::vector<HistoricDraw>& taken);
};

} // namespace tarvex
