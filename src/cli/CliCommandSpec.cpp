#include "cli/CliCommandSpec.h"

namespace tarvex {

const CliOptionSpec* CliCommandSpec::Option(const QString& optionName) const {
    for (const CliOptionSpec& option : options) {
        if (option.name == optionName) {
            return &option;
        }
    }
    return nullptr;
}

QStringList CliCommandSpec::Synopsis(int width) const {
    QStringList words;
    for (const CliOptionSpec& option : options) {
        QString word = option.TakesValue() ? option.name + ' ' + option.valueName : option.name;
        words << (option.required ? word : '[' + word + ']');
    }
    if (!operand.isEmpty()) {
        words << (repeatOperand ? QStringLiteral("[--] %1...").arg(operand)
                                : QStringLiteral("[--] %1").arg(operand));
    }
    const QString head = QStringLiteral("  tarvex-cli %1").arg(name);
    QStringList lines{head};
    for (const QString& word : words) {
        // A word that does not fit starts a new line under the first option.
        if (lines.back().size() > head.size() && lines.back().size() + 1 + word.size() > width) {
            lines << QString(head.size(), ' ');
        }
        lines.back() += ' ' + word;
    }
    return lines;
}

} // namespace tarvex
