#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace tarvex {

// A command line as the parser understood it: the sub-command, the values of its options,
// the flags given and the operands, in their order.
struct CliInvocation {
    QString command;
    QMap<QString, QString> values;
    QStringList flags;
    QStringList operands;

    bool Has(const QString& option) const {
        return values.contains(option) || flags.contains(option);
    }
    QString Value(const QString& option) const { return values.value(option); }
};

} // namespace tarvex
