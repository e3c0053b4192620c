#include "cli/CliParser.h"

#include "io/MessageText.h"

namespace tarvex {

namespace {

constexpr int kUsageWidth = 90;

} // namespace

bool CliParser::IsHelp(const QString& argument) {
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

const CliVerb* CliParser::Find(const QString& name) const {
    for (const CliVerb& verb : m_commands) {
        if (verb.name == name) {
            return &verb;
        }
    }
    return nullptr;
}

QString CliParser::CommandNames(const QString& separator) const {
    QStringList names;
    for (const CliVerb& verb : m_commands) {
        names << verb.name;
    }
    return names.join(separator);
}

CliParser::Result CliParser::Parse(const QStringList& arguments) const {
    Result result;
    if (arguments.isEmpty()) {
        result.error = QStringLiteral("缺少命令（%1）").arg(CommandNames(QStringLiteral("、")));
        return result;
    }
    if (IsHelp(arguments.front())) {
        result.help = true;
        return result;
    }
    // A command of two words ("rules search") is taken before the one-word command it starts.
    const CliVerb* verb = arguments.size() > 1 ? Find(arguments[0] + ' ' + arguments[1]) : nullptr;
    if (verb) {
        result.invocation.command = verb->name;
        result.error = ParseCommand(*verb, arguments.mid(1), result);
        return result;
    }
    verb = Find(arguments.front());
    if (!verb) {
        result.error =
            QStringLiteral("未知的命令 \"%1\"（应为 %2）")
                .arg(MessageText::Excerpt(arguments.front()), CommandNames(QStringLiteral("、")));
        return result;
    }
    result.invocation.command = verb->name;
    result.error = ParseCommand(*verb, arguments, result);
    return result;
}

QString CliParser::ParseCommand(const CliVerb& verb, const QStringList& arguments, Result& result) {
    CliInvocation& invocation = result.invocation;
    bool optionsEnded = false;
    for (qsizetype next = 1; next < arguments.size(); ++next) {
        const QString& argument = arguments[next];
        if (!optionsEnded && IsHelp(argument)) {
            result.help = true;
            return QString();
        }
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(QLatin1String("--"))) {
            const QString error = TakeOption(verb, arguments, next, invocation);
            if (!error.isEmpty()) {
                return error;
            }
        } else if (verb.operand.isEmpty()) {
            return QStringLiteral("%1 不认识参数 \"%2\"")
                .arg(verb.name, MessageText::Excerpt(argument));
        } else if (!verb.repeatOperand && !invocation.operands.isEmpty()) {
            return QStringLiteral("%1 只接受一个 %2，多出了 \"%3\"")
                .arg(verb.name, verb.operand, MessageText::Excerpt(argument));
        } else {
            invocation.operands << argument;
        }
    }
    for (const CliVerbOption& option : verb.options) {
        if (option.required && !invocation.Has(option.name)) {
            return QStringLiteral("%1 缺少 %2 %3").arg(verb.name, option.name, option.valueName);
        }
    }
    if (!verb.operand.isEmpty() && !verb.repeatOperand && invocation.operands.isEmpty()) {
        return QStringLiteral("%1 缺少 %2").arg(verb.name, verb.operand);
    }
    return QString();
}

// Takes "--name", "--name VALUE" or "--name=VALUE" at arguments[next].
QString CliParser::TakeOption(const CliVerb& verb, const QStringList& arguments, qsizetype& next,
                              CliInvocation& invocation) {
    const QString& argument = arguments[next];
    const qsizetype equals = argument.indexOf('=');
    const QString name = equals < 0 ? argument : argument.left(equals);
    const CliVerbOption* option = verb.Option(name);
    if (!option || (!option->TakesValue() && equals >= 0)) {
        return QStringLiteral("%1 不认识参数 \"%2\"")
            .arg(verb.name, MessageText::Excerpt(argument));
    }
    if (invocation.Has(name) && !option->repeatable) {
        return QStringLiteral("选项 %1 只能给一次").arg(name);
    }
    if (!option->TakesValue()) {
        invocation.flags << name;
        return QString();
    }
    QString value;
    if (equals >= 0) {
        value = argument.mid(equals + 1);
    } else if (next + 1 < arguments.size()) {
        value = arguments[++next];
    }
    if (value.isEmpty()) {
        return QStringLiteral("选项 %1 缺少值").arg(name);
    }
    if (invocation.values.contains(name)) {
        value = invocation.values.value(name) + u'\n' + value;
    }
    invocation.values.insert(name, value);
    return QString();
}

QString CliParser::UsageAfterError(const QString& command) const {
    const CliVerb* verb = Find(command);
    QStringList lines{QStringLiteral("用法：")};
    lines << (verb != nullptr ? verb->Synopsis(kUsageWidth)
                              : QStringList{QStringLiteral("  tarvex-cli %1 …")
                                                .arg(CommandNames(QStringLiteral("|")))});
    lines << QStringLiteral("全部命令和选项：tarvex-cli --help");
    return lines.join('\n') + '\n';
}

QString CliParser::Usage() const {
    QStringList lines{QStringLiteral("用法：")};
    for (const CliVerb& verb : m_commands) {
        lines << verb.Synopsis(kUsageWidth);
    }
    lines << QStringLiteral("  tarvex-cli --help") << QString();
    for (const CliVerb& verb : m_commands) {
        for (qsizetype i = 0; i < verb.summary.size(); ++i) {
            lines << (i == 0 ? verb.name.leftJustified(9) : QString(9, ' ')) + verb.summary[i];
        }
        for (const CliVerbOption& option : verb.options) {
            const QString word =
                option.TakesValue() ? option.name + ' ' + option.valueName : option.name;
            lines << QStringLiteral("  %1 %2").arg(word.leftJustified(19), option.help);
        }
        lines << QString();
    }
    lines << QStringLiteral(
                 "退出状态：0 完成；1 杀组合因检查提示而停止（dan：方法 3 的格式提示）；")
          << QStringLiteral("          2 参数、方案文件、大底文件或开奖历史有误；3 有文件写不成。");
    return lines.join('\n') + '\n';
}

} // namespace tarvex
