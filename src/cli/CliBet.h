#pragma once

#include "cli/CliInvocation.h"
#include "cli/CliStreams.h"
#include "cli/CliVerb.h"
#include "history/BetFigures.h"
#include "history/BetPlan.h"
#include "history/PrizeTable.h"
#include "history/Ticket.h"

#include <QString>

#include <cstdio>
#include <vector>

namespace tarvex {

struct BetOptions {
    QString numbersPath; // a number file, read as 选择大底 reads it
    QString schemePath;  // or a scheme: its survivors after 杀组合
    PlayWay way = PlayWay::Direct;
    int multiple = 1;
    PrizeTable prizes;
    bool json = false;
};

// tarvex-cli bet: a set's tickets, bets, cost, win chance, expected prize and return.
class CliBet : private CliStreams {
public:
    CliBet(const BetOptions& options, std::FILE* out, std::FILE* err)
        : CliStreams(out, err), options_(options) {}
    int Execute();

    static CliVerb Verb();
    static int FromCommandLine(const CliInvocation& in, std::FILE* out, std::FILE* err,
                               QString& bad);

private:
    static bool ParseOptions(const CliInvocation& in, BetOptions& options, QString& bad);
    void PrintText(int numbers, const BetPlan& plan, const BetFigures& figures,
                   const std::vector<Ticket>& tickets) const;
    void PrintJson(int numbers, const BetPlan& plan, const BetFigures& figures,
                   const std::vector<Ticket>& tickets) const;

    BetOptions options_;
};

} // namespace tarvex
