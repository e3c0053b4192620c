#pragma once

#include "cli/CliAnalyze.h"

#include <QString>
#include <QStringList>

namespace tarvex {

// The arguments after "analyze": --history FILE, --last N, --json, --help.
class CliAnalyzeArguments {
public:
    struct Parsed {
        AnalyzeOptions options;
        bool help = false;
        QString error; // empty when the arguments were understood
    };
    static Parsed Parse(const QStringList& arguments);

private:
    static bool TakeValue(const QStringList& arguments, qsizetype& i, const QString& name,
                          QString& value);
    static QString LastError(const QString& text, int& last);
};

} // namespace tarvex
