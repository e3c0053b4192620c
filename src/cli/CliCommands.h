#pragma once

#include "cli/CliParser.h"

#include <QStringList>

#include <cstdio>

namespace tarvex {

// Every sub-command of tarvex-cli: its options for the parser and the usage text, and the code
// that runs it. A new sub-command is one entry here and its own class.
class CliCommands {
public:
    static CliParser Parser();
    // arguments without the program name; returns the exit status
    static int Execute(const QStringList& arguments, std::FILE* out, std::FILE* err);

private:
    static int Dispatch(const CliInvocation& invocation, std::FILE* out, std::FILE* err,
                        QString& badArgument);
};

} // namespace tarvex
