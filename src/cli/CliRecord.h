#pragma once

#include "cli/CliStreams.h"
#include "history/PredictionCheck.h"
#include "history/PredictionFigures.h"
#include "io/PredictionRecord.h"

#include <QString>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tarvex {

struct RecordOptions {
    QString recordPath;
    QString historyPath;
    QString lottery;  // empty: from the history's name
    QString schemeId; // empty: every scheme
    bool json = false;
};

// tarvex-cli record: the kept predictions checked against the history, with the live figures
// beside chance and beside the backtest of the same schemes.
class CliRecord : private CliStreams {
public:
    CliRecord(const RecordOptions& options, std::FILE* out, std::FILE* err)
        : CliStreams(out, err), options_(options) {}
    int Execute();

private:
    bool Load();
    void PrintText() const;
    void PrintJson() const;

    RecordOptions options_;
    PredictionRecordRead record_;
    std::map<std::string, std::vector<HistoricDraw>> histories_;
    std::vector<bool> keep_;
    std::vector<PredictionOutcome> outcomes_;
    PredictionSummary summary_;
    PredictionFigures backtest_;
};

} // namespace tarvex
