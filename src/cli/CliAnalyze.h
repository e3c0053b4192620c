#pragma once

#include "engine/Backtest.h"

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
class CliAnalyze {
public:
    CliAnalyze(const AnalyzeOptions& options, std::FILE* out, std::FILE* err)
        : options_(options), out_(out), err_(err) {}
    int Execute();

private:
    bool Load();
    void Print(const QByteArray& bytes, std::FILE* to) const;
    void Error(const QString& message) const;

    AnalyzeOptions options_;
    std::FILE* out_;
    std::FILE* err_;
    std::vector<HistoricDraw> history_;
};

} // namespace tarvex
