#include "cli/CliVerb.h"

namespace tarvex {

const CliVerbOption* CliVerb::Option(const QString& optionName) const {
    for (const CliVerbOption& option : options) {
        if (option.name == optionName) {
            return &option;
        }
    }
    return nullptr;
}

QStringList CliVerb::Synopsis(int width) const {
    QStringList words;
    for (const CliVerbOption& option : options) {
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
