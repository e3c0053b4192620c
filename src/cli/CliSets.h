#pragma once

#include "cli/CliInvocation.h"
#include "cli/CliStreams.h"
#include "io/SetMember.h"
#include "numbersets/SetCombination.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <vector>

namespace tarvex {

struct SetsOptions {
    SetOperation operation = SetOperation::And;
    int k = 1;           // 至少 k 个
    QStringList members; // files: ".json" a scheme, anything else a number file
    bool record = false; // `sets record`: the one member's record over a history
    QString historyPath;
    int last = 0;           // 0: every draw
    bool tolerance = false; // schemes after 容错 at their own level
    bool json = false;
};

// tarvex-cli sets: combines schemes and number files (多方案), or shows a set's record.
class CliSets : private CliStreams {
public:
    CliSets(const SetsOptions& options, std::FILE* out, std::FILE* err)
        : CliStreams(out, err), options_(options) {}
    int Execute();
    // `sets` as the command line gave it; `bad` gets what is wrong with its arguments.
    static int FromCommandLine(const CliInvocation& in, std::FILE* out, std::FILE* err,
                               QString& bad);

private:
    static bool ParseOperands(const CliInvocation& in, SetsOptions& options, QString& bad);
    bool LoadMembers();
    int Combine();
    int Record();
    void PrintCombination(const SetCombination& combined) const;
    void PrintRecord(const SetRecord& record) const;

    SetsOptions options_;
    std::vector<SetMember> members_;
};

} // namespace tarvex
