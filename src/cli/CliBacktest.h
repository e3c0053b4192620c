#pragma once

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
class CliBacktest {
public:
    CliBacktest(const BacktestOptions& options, std::FILE* out, std::FILE* err)
        : options_(options), out_(out), err_(err) {}
    int Execute();

private:
    bool Load();
    void PrintJson(const BacktestResult& result) const;
    void Print(const QByteArray& bytes, std::FILE* to) const;
    void Error(const QString& message) const;

    BacktestOptions options_;
    std::FILE* out_;
    std::FILE* err_;
    Settings scheme_;
    std::vector<HistoricDraw> history_;
};

} // namespace tarvex
