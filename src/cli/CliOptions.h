#pragma once

#include <QString>

#include <string>

namespace tarvex {

// Exit statuses of tarvex-cli.
enum CliExit : int {
    kExitDone = 0,
    kExitStopped = 1,     // the kill run stopped on a validation message; dan method 3 refused
    kExitBadInput = 2,    // bad arguments, scheme or base-set file
    kExitWriteFailed = 3, // an output file could not be written
};

// History warnings a command prints before it counts the rest.
inline constexpr qsizetype kListedHistoryProblems = 20;

struct CliOptions {
    // run
    QString schemePath;
    QString basePath;
    int toleranceLevel = 0; // the number the 容错 combo shows, 1–17; 0 for no tolerance run
    bool group = false;
    QString exportPath;
    bool json = false;
    // run --record: the prediction record, its target 期号 (or the history it follows) and
    // the lottery (empty: from the history's name, else 3D)
    QString recordPath;
    QString issue;
    QString historyPath;
    QString lottery;
    // dan
    int danMethod = 0;
    std::string danText;
};

} // namespace tarvex
