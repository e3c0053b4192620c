#pragma once

#include <QString>

#include <utility>

namespace tarvex {

// One option of a sub-command: "--name VALUE" (or "--name=VALUE") when it takes a value,
// a bare "--name" flag otherwise.
struct CliVerbOption {
    CliVerbOption(const char* optionName, const char* value, QString helpText,
                  bool isRequired = false, bool canRepeat = false)
        : name(QLatin1String(optionName)), valueName(QLatin1String(value)),
          help(std::move(helpText)), required(isRequired), repeatable(canRepeat) {}

    QString name;      // with its dashes: "--scheme"
    QString valueName; // "FILE"; empty for a flag
    QString help;      // one line of the usage text
    bool required = false;
    bool repeatable = false; // given again, its values are kept one a line, in order
    bool TakesValue() const { return !valueName.isEmpty(); }
};

} // namespace tarvex
