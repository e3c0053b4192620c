#pragma once

#include "cli/CliStreams.h"
#include "engine/HistoricDraw.h"
#include "engine/Rule.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <vector>

namespace tarvex {

struct RulesOptions {
    QString historyPath;
    int last = 0; // the newest N draws; 0 takes all
    QString next; // the 期号 of the coming draw; empty: the newest + 1
    bool json = false;
    QString schemePath; // the rules of this scheme; refused until scheme files hold rules
    QStringList rules;  // "杀和尾=和1+3", …
};

// tarvex-cli rules: each rule's hit rate on past draws beside its chance, and its value for
// the coming draw.
class CliRules : private CliStreams {
public:
    CliRules(const RulesOptions& options, std::FILE* out, std::FILE* err)
        : CliStreams(out, err), options_(options) {}
    int Execute();

private:
    bool ReadRules(std::vector<Rule>& rules) const;

    RulesOptions options_;
};

} // namespace tarvex
