#include "cli/CliAnalyzeArguments.h"

namespace tarvex {

bool CliAnalyzeArguments::TakeValue(const QStringList& arguments, qsizetype& i, const QString& name,
                                    QString& value) {
    const QString& argument = arguments[i];
    if (argument.startsWith(name + '=')) {
        value = argument.mid(name.size() + 1);
    } else if (argument == name) {
        value = i + 1 < arguments.size() ? arguments[++i] : QString();
    } else {
        return false;
    }
    return true;
}

QString CliAnalyzeArguments::LastError(const QString& text, int& last) {
    bool number = false;
    last = text.toInt(&number);
    if (!number || last < 1 || last > 1000000) {
        return QStringLiteral("--last 的值 \"%1\" 应为 1 到 1000000 之间的整数").arg(text);
    }
    return {};
}

CliAnalyzeArguments::Parsed CliAnalyzeArguments::Parse(const QStringList& arguments) {
    Parsed parsed;
    QStringList seen;
    for (qsizetype i = 0; i < arguments.size() && parsed.error.isEmpty(); ++i) {
        const QString& argument = arguments[i];
        const QString name = argument.section('=', 0, 0);
        QString value;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            parsed.help = true;
            return parsed;
        }
        if (seen.contains(name)) {
            parsed.error = QStringLiteral("选项 %1 只能给一次").arg(name);
        } else if (argument == QLatin1String("--json")) {
            parsed.options.json = true;
        } else if (TakeValue(arguments, i, "--history", value)) {
            parsed.options.historyPath = value;
        } else if (TakeValue(arguments, i, "--last", value)) {
            parsed.error = value.isEmpty() ? QString() : LastError(value, parsed.options.last);
        } else {
            parsed.error = QStringLiteral("analyze 不认识参数 \"%1\"").arg(argument);
        }
        if (parsed.error.isEmpty() && name != QLatin1String("--json") && value.isEmpty()) {
            parsed.error = QStringLiteral("选项 %1 缺少值").arg(name);
        }
        seen << name;
    }
    if (parsed.error.isEmpty() && parsed.options.historyPath.isEmpty()) {
        parsed.error = QStringLiteral("analyze 需要 --history FILE");
    }
    return parsed;
}

} // namespace tarvex
