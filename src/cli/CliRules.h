#pragma once

#include "engine/Backtest.h"
#include "history/Rule.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <vector>

namespace tarvex {

struct RulesOptions {
    QString historyPath;
    int last = 0; // the newest N draws; 0 takes all
    QString next; // the 期号 of the coming draw; empty: the newest + 1
    bool json = false;
    QString schemePath; // take the rules of this scheme
    QStringList rules;  // "杀和尾=和1+3", …
};

// tarvex-cli rules: each rule's hit rate on past draws beside its chance, and its value for
// the coming draw.
class CliRules {
public:
    CliRules(const RulesOptions& options, std::FILE* out, std::FILE* err)
        : options_(options), out_(out), err_(err) {}
    int Execute();
    static QString Usage();

    // The options from the words after "rules". Nothing with `error` set on a bad argument;
    // nothing with `error` empty when help was asked for.
    static std::optional<RulesOptions> Parse(const QStringList& arguments, QString& error);

private:
    bool ReadRules(std::vector<Rule>& rules) const;
    bool LoadHistory(std::vector<HistoricDraw>& draws) const;
    void Print(const QByteArray& bytes, std::FILE* to) const;
    void Error(const QString& message) const;

    RulesOptions options_;
    std::FILE* out_;
    std::FILE* err_;
};

} // namespace tarvex
