#pragma once

#include "cli/CliStreams.h"

#include <QString>
#include <QStringList>

#include <cstdio>

namespace tarvex {

struct HistoryOptions {
    QString action; // add, update, check
    QString historyPath;
    QString issue, number, date, trial; // add
    QStringList sources;                // update: "URL[,FORMAT]", replacing the built-in ones
    int timeoutMs = 0;                  // update: per source; 0 for each source's own
    bool json = false;
};

// tarvex-cli history add|update|check: the player's draw history kept current.
class CliHistory : private CliStreams {
public:
    static constexpr int kExitNoSource = 4; // no source answered
    // The file was changed as reported, but the report did not reach standard output.
    static constexpr int kExitReportLost = 5;

    CliHistory(const HistoryOptions& options, std::FILE* out, std::FILE* err)
        : CliStreams(out, err), options_(options) {}
    // The exit status; `bad` is set for a bad argument (then the caller prints the usage).
    int Execute(QString& bad);

private:
    int Add(QString& bad);
    int Update(QString& bad);
    int Check();
    bool Ensure() const;
    // The exit status once the file was written: the report must have been printed.
    int Written(const QString& warning) const;

    HistoryOptions options_;
};

} // namespace tarvex
