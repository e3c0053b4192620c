#pragma once

#include "cli/CliVerbOption.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace tarvex {

// A sub-command as the parser and the usage text see it.
struct CliVerb {
    CliVerb(QString commandName, QStringList lines, std::vector<CliVerbOption> list,
            QString operandName = {}, bool repeat = false)
        : name(std::move(commandName)), summary(std::move(lines)), options(std::move(list)),
          operand(std::move(operandName)), repeatOperand(repeat) {}

    QString name;        // "run"
    QStringList summary; // what it does, a line each
    std::vector<CliVerbOption> options;
    QString operand;            // the positional argument's name ("TEXT"), empty for none
    bool repeatOperand = false; // any number of operands ("RULE...")

    const CliVerbOption* Option(const QString& optionName) const;
    // "tarvex-cli run [--scheme FILE] …", folded to lines of at most `width` characters.
    QStringList Synopsis(int width) const;
};

} // namespace tarvex
