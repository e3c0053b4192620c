#include "cli/CliArguments.h"

namespace tarvex {

CliArguments::Parsed CliArguments::Parse(const QStringList& arguments) {
    CliArguments parser(arguments);
    if (arguments.isEmpty()) {
        parser.Fail(QStringLiteral("缺少命令（run 或 dan）"));
    } else if (IsHelp(arguments.front())) {
        parser.parsed_.options.command = CliCommand::Help;
    } else if (arguments.front() == QLatin1String("run")) {
        parser.ParseRun();
    } else if (arguments.front() == QLatin1String("dan")) {
        parser.ParseDan();
    } else {
        parser.Fail(QStringLiteral("未知的命令 \"%1\"（应为 run 或 dan）").arg(arguments.front()));
    }
    return parser.parsed_;
}

bool CliArguments::IsHelp(const QString& argument) {
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

void CliArguments::Fail(const QString& message) {
    if (parsed_.error.isEmpty()) {
        parsed_.error = message;
    }
}

bool CliArguments::Once(const QString& name) {
    if (seen_.contains(name)) {
        Fail(QStringLiteral("选项 %1 只能给一次").arg(name));
        return false;
    }
    seen_ << name;
    return true;
}

// Takes the value of "--name VALUE" or "--name=VALUE" when args_[next_] is that option.
bool CliArguments::TakeValue(const QString& name, QString& value) {
    const QString& argument = args_[next_];
    if (argument.startsWith(name + '=')) {
        value = argument.mid(name.size() + 1);
    } else if (argument == name) {
        if (next_ + 1 >= args_.size()) {
            Fail(QStringLiteral("选项 %1 缺少值").arg(name));
            return true;
        }
        value = args_[++next_];
    } else {
        return false;
    }
    Once(name);
    return true;
}

void CliArguments::ParseRun() {
    CliOptions& o = parsed_.options;
    o.command = CliCommand::Run;
    for (; next_ < args_.size() && parsed_.error.isEmpty(); ++next_) {
        const QString& argument = args_[next_];
        QString level;
        if (IsHelp(argument)) {
            o.command = CliCommand::Help;
            return;
        }
        if (TakeValue("--scheme", o.schemePath) || TakeValue("--base", o.basePath) ||
            TakeValue("--export", o.exportPath)) {
            continue;
        }
        if (TakeValue("--tolerance", level)) {
            bool number = false;
            o.toleranceLevel = level.toInt(&number);
            if (!number || o.toleranceLevel < 1 || o.toleranceLevel > 17) {
                Fail(QStringLiteral("--tolerance 的值 \"%1\" 应为 1 到 17 之间的整数").arg(level));
            }
        } else if (argument == QLatin1String("--group")) {
            o.group = Once(argument);
        } else if (argument == QLatin1String("--json")) {
            o.json = Once(argument);
        } else {
            Fail(QStringLiteral("run 不认识参数 \"%1\"").arg(argument));
        }
    }
    if (parsed_.error.isEmpty() && o.exportPath.isEmpty() && seen_.contains("--export")) {
        Fail(QStringLiteral("--export 的文件名为空"));
    }
}

void CliArguments::ParseDan() {
    CliOptions& o = parsed_.options;
    o.command = CliCommand::Dan;
    bool haveText = false;
    bool optionsEnded = false;
    for (; next_ < args_.size() && parsed_.error.isEmpty(); ++next_) {
        const QString& argument = args_[next_];
        QString method;
        if (!optionsEnded && IsHelp(argument)) {
            o.command = CliCommand::Help;
            return;
        }
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && TakeValue("--method", method)) {
            if (method != "1" && method != "2" && method != "3") {
                Fail(QStringLiteral("--method 的值 \"%1\" 应为 1、2 或 3").arg(method));
            }
            o.danMethod = method.toInt();
        } else if (!optionsEnded && argument.startsWith(QLatin1String("--"))) {
            Fail(QStringLiteral("dan 不认识选项 \"%1\"").arg(argument));
        } else if (haveText) {
            Fail(QStringLiteral("dan 只接受一个 TEXT，多出了 \"%1\"").arg(argument));
        } else {
            o.danText = argument.toStdString();
            haveText = true;
        }
    }
    if (o.danMethod == 0) {
        Fail(QStringLiteral("dan 缺少 --method 1|2|3"));
    } else if (!haveText) {
        Fail(QStringLiteral("dan 缺少 TEXT（算胆编辑框的内容）"));
    }
}

QString CliArguments::Usage() {
    return QStringLiteral(
        "用法：\n"
        "  tarvex-cli run [--scheme FILE] [--base FILE] [--tolerance LEVEL] [--group]\n"
        "                 [--export FILE] [--json]\n"
        "  tarvex-cli dan --method 1|2|3 [--] TEXT\n"
        "  tarvex-cli --help\n"
        "\n"
        "run  依次做窗口的 杀组合、容错、转成组选、导出结果，并在当前目录写 tarvex.txt\n"
        "     （有 --tolerance 时还写 排除号码原因.txt）。\n"
        "  --scheme FILE     方案文件（UTF-8 JSON）；缺少的键取程序启动时的值\n"
        "  --base FILE       像 选择大底 一样把文件读进结果框（方案中 \"baseSet\" 为 true "
        "时才起作用）\n"
        "  --tolerance LEVEL 杀组合后按 LEVEL（1 到 17）容错\n"
        "  --group           转成组选（重写 tarvex.txt）\n"
        "  --export FILE     导出结果到 FILE（名字里没有 \".\" 时加 \".TXT\"）\n"
        "  --json            输出一个 JSON 对象，而不是结果框的文字\n"
        "dan  输出 算胆 按钮留在编辑框里的文字：1 云杉算胆法，2 黄金算胆法，3 qkrtz算胆法\n"
        "\n"
        "退出状态：0 完成；1 杀组合因检查提示而停止（dan：方法 3 的格式提示）；\n"
        "          2 参数、方案文件或大底文件有误；3 有文件写不成。\n");
}

} // namespace tarvex
