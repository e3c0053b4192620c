#pragma once

#include "cli/CliInvocation.h"
#include "cli/CliOptions.h"
#include "cli/CliVerb.h"

#include <QString>

#include <cstdio>
#include <vector>

namespace tarvex {

// What the prediction record adds to the command line: `record`, and run's --record with the
// options that name the target draw.
class CliRecordCommand {
public:
    static CliVerb Verb();
    static int Execute(const CliInvocation& in, std::FILE* out, std::FILE* err, QString& bad);
    // run's --record, --issue, --history and --lottery.
    static std::vector<CliVerbOption> RunOptions();
    static bool RunValues(const CliInvocation& in, CliOptions& options, QString& error);

private:
    static bool LotteryValue(const CliInvocation& in, QString& into, QString& error);
};

} // namespace tarvex
