#pragma once

#include "engine/Backtest.h"

#include <QString>
#include <QStringList>

#include <cstdio>

namespace tarvex {

// tarvex-cli backtest: how a scheme would have fared on past draws.
class CliBacktest {
public:
    CliBacktest(const QStringList& arguments, std::FILE* out, std::FILE* err)
        : arguments_(arguments), out_(out), err_(err) {}
    int Execute();
    static QString Usage();

private:
    bool Parse();
    bool TakeValue(qsizetype& i, const QString& name, QString& value);
    bool Load();
    void PrintJson(const BacktestResult& result) const;
    void Print(const QByteArray& bytes, std::FILE* to) const;
    void Error(const QString& message) const;

    QStringList arguments_;
    std::FILE* out_;
    std::FILE* err_;
    QString schemePath_;
    QString historyPath_;
    int last_ = 0;  // 0: every draw
    int level_ = 0; // 0: the level the scheme has
    bool json_ = false;
    bool help_ = false;
    Settings scheme_;
    std::vector<HistoricDraw> history_;
};

} // namespace tarvex
