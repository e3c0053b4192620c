#pragma once

#include "cli/CliOptions.h"

#include <QString>
#include <QStringList>

namespace tarvex {

// The command line: tarvex-cli run [options] | tarvex-cli dan --method N TEXT | --help.
class CliArguments {
public:
    struct Parsed {
        CliOptions options;
        QString error; // empty when the arguments were understood
    };

    // arguments without the program name
    static Parsed Parse(const QStringList& arguments);
    static QString Usage();

private:
    explicit CliArguments(const QStringList& arguments) : args_(arguments) {}
    void ParseRun();
    void ParseDan();
    bool TakeValue(const QString& name, QString& value);
    bool Once(const QString& name);
    static bool IsHelp(const QString& argument);
    void Fail(const QString& message);

    QStringList args_;
    qsizetype next_ = 1;
    QStringList seen_;
    Parsed parsed_;
};

} // namespace tarvex
