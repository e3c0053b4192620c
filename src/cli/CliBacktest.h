#pragma once

#include "cli/CliStreams.h"
#include "engine/Backtest.h"

#include <QString>

#include <cstdio>

namespace tarvex {

struct BacktestOptions {
    QString schemePath;
    QString historyPath;
    int last = 0;  // 0: every draw
    int level = 0; // 0: the level the scheme has
    bool json = false;
};

// tarvex-cli backtest: how a scheme would have fared on past draws.
class CliBacktest : private CliStreams {
public:
    CliBacktest(const BacktestOptions& options, std::FILE* out, std::FILE* err)
        : CliStreams(out, err), options_(options) {}
    int Execute();

private:
    bool Load();
    int ExecuteWithRules(int level);
    void PrintJson(const BacktestResult& result) const;

    BacktestOptions options_;
    Settings scheme_;
    std::vector<HistoricDraw> history_;
};

} // namespace tarvex
