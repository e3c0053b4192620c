#pragma once

#include "cli/CliStreams.h"
#include "engine/HistoricDraw.h"

#include <QString>

#include <cstdio>
#include <vector>

namespace tarvex {

struct AnalyzeOptions {
    QString historyPath;
    int last = 0; // 0: every draw
    bool json = false;
};

// tarvex-cli analyze: the ten analyses of 基本分析 over a draw history, as text tables or
// one JSON object.
class CliAnalyze : private CliStreams {
public:
    CliAnalyze(const AnalyzeOptions& options, std::FILE* out, std::FILE* err)
        : CliStreams(out, err), options_(options) {}
    int Execute();

private:
    bool Load();

    AnalyzeOptions options_;
    std::vector<HistoricDraw> history_;
};

} // namespace tarvex
