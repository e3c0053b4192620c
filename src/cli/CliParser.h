#pragma once

#include "cli/CliInvocation.h"
#include "cli/CliVerb.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvex {

// One parser for every sub-command: options are "--name VALUE" or "--name=VALUE", each at most
// once; "--" ends the options; "--help" or "-h" anywhere before it asks for the usage text,
// which lists every sub-command with its options.
class CliParser {
public:
    struct Result {
        CliInvocation invocation;
        bool help = false;
        QString error; // empty when the arguments were understood
    };

    explicit CliParser(std::vector<CliVerb> commands) : m_commands(std::move(commands)) {}

    // arguments without the program name
    Result Parse(const QStringList& arguments) const;
    QString Usage() const;
    // After an argument error: the synopsis of `command` alone (or, with no known command,
    // where to find the commands) and how to see the whole usage.
    QString UsageAfterError(const QString& command) const;
    const std::vector<CliVerb>& Commands() const { return m_commands; }

private:
    const CliVerb* Find(const QString& name) const;
    QString CommandNames(const QString& separator) const;
    static bool IsHelp(const QString& argument);
    static QString ParseCommand(const CliVerb& verb, const QStringList& arguments, Result& result);
    static QString TakeOption(const CliVerb& verb, const QStringList& arguments, qsizetype& next,
                              CliInvocation& invocation);

    std::vector<CliVerb> m_commands;
};

} // namespace tarvex
