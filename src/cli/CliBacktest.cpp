#include "cli/CliBacktest.h"

#include "cli/CliOptions.h"
#include "engine/BacktestText.h"
#include "engine/RunText.h"
#include "io/DrawHistory.h"
#include "io/JsonWriter.h"
#include "io/SchemeFile.h"

namespace tarvex {

int CliBacktest::Execute() {
    if (!Parse()) {
        Print(Usage().toUtf8(), err_);
        return kExitBadInput;
    }
    if (help_) {
        Print(Usage().toUtf8(), out_);
        return kExitDone;
    }
    if (!Load()) {
        return kExitBadInput;
    }
    const int level = level_ > 0 ? level_ : scheme_.level + 1;
    const BacktestResult result =
        RunBacktest(scheme_, level, history_, static_cast<std::size_t>(last_));
    if (!result.completed()) {
        Error(QString::fromStdString(result.message));
    }
    if (json_) {
        PrintJson(result);
    } else if (result.completed()) {
        Print(QByteArray::fromStdString(BacktestText::Table(result, level)), out_);
    }
    return result.completed() ? kExitDone : kExitStopped;
}

bool CliBacktest::TakeValue(qsizetype& i, const QString& name, QString& value) {
    const QString& argument = arguments_[i];
    if (argument.startsWith(name + '=')) {
        value = argument.mid(name.size() + 1);
    } else if (argument == name && i + 1 < arguments_.size()) {
        value = arguments_[++i];
    } else if (argument == name) {
        value = QString(); // reported by the caller like an empty value
    } else {
        return false;
    }
    return true;
}

bool CliBacktest::Parse() {
    const auto positive = [this](const QString& name, const QString& text, int low, int high,
                                 int& into) {
        bool number = false;
        into = text.toInt(&number);
        if (!number || into < low || into > high) {
            Error(QStringLiteral("%1 的值 \"%2\" 应为 %3 到 %4 之间的整数")
                      .arg(name, text)
                      .arg(low)
                      .arg(high));
            return false;
        }
        return true;
    };
    for (qsizetype i = 0; i < arguments_.size(); ++i) {
        const QString& argument = arguments_[i];
        QString value;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            help_ = true;
            return true;
        }
        if (TakeValue(i, "--scheme", value)) {
            schemePath_ = value;
        } else if (TakeValue(i, "--history", value)) {
            historyPath_ = value;
        } else if (TakeValue(i, "--last", value)) {
            if (!positive("--last", value, 1, 1000000, last_)) {
                return false;
            }
        } else if (TakeValue(i, "--tolerance", value)) {
            if (!positive("--tolerance", value, 1, 17, level_)) {
                return false;
            }
        } else if (argument == QLatin1String("--json")) {
            json_ = true;
        } else {
            Error(QStringLiteral("backtest 不认识参数 \"%1\"").arg(argument));
            return false;
        }
        if (value.isEmpty() && argument != QLatin1String("--json")) {
            Error(QStringLiteral("选项 %1 缺少值").arg(argument.section('=', 0, 0)));
            return false;
        }
    }
    if (schemePath_.isEmpty() || historyPath_.isEmpty()) {
        Error(QStringLiteral("backtest 需要 --scheme FILE 和 --history FILE"));
        return false;
    }
    return true;
}

bool CliBacktest::Load() {
    const SchemeReadResult scheme = SchemeFile::Load(schemePath_);
    if (!scheme.ok()) {
        Error(scheme.error);
        return false;
    }
    scheme_ = scheme.settings;
    const DrawHistoryResult history = DrawHistory::Load(historyPath_);
    if (!history.ok()) {
        Error(history.error);
        return false;
    }
    for (const QString& problem : history.ProblemMessages()) {
        Error(QStringLiteral("警告：“%1”：%2").arg(historyPath_, problem));
    }
    if (history.draws.empty()) {
        Error(QStringLiteral("开奖历史文件“%1”里没有读到任何一期").arg(historyPath_));
        return false;
    }
    history_ = history.draws;
    return true;
}

void CliBacktest::PrintJson(const BacktestResult& result) const {
    JsonWriter json;
    json.BeginObject();
    json.Key("message");
    result.completed() ? json.Null() : json.String(result.message);
    json.Key("draws");
    json.BeginArray();
    for (const BacktestDraw& d : result.draws) {
        json.BeginObject(true);
        json.Key("issue");
        json.String(d.issue);
        json.Key("number");
        json.String(CandidateText(d.number));
        json.Key("survivesKill");
        json.Bool(d.survivesKill);
        json.Key("survivesTolerance");
        json.Bool(d.survivesTolerance);
        json.Key("labels");
        json.BeginArray(true);
        for (const std::string& label : d.labels) {
            json.String(label);
        }
        json.EndArray();
        json.Key("count");
        json.Int(d.count);
        json.EndObject();
    }
    json.EndArray();
    json.Key("conditions");
    json.BeginArray();
    for (const BacktestCondition& c : result.conditions) {
        json.BeginObject(true);
        json.Key("label");
        json.String(c.label);
        json.Key("rejected");
        json.Int(c.rejected);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    Print(json.Take(), out_);
}

void CliBacktest::Print(const QByteArray& bytes, std::FILE* to) const {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
    std::fflush(to);
}

void CliBacktest::Error(const QString& message) const {
    Print(QStringLiteral("tarvex-cli: %1\n").arg(message).toUtf8(), err_);
}

QString CliBacktest::Usage() {
    return QStringLiteral(
        "用法：tarvex-cli backtest --scheme FILE --history FILE [--last N] [--tolerance LEVEL]\n"
        "                          [--json]\n"
        "\n"
        "backtest  用方案回测开奖历史：每期的中奖号码杀号后、容错后是否还在，排除它的条件，\n"
        "          以及每个条件排除中奖号码的次数。\n"
        "  --scheme FILE     方案文件（UTF-8 JSON）\n"
        "  --history FILE    开奖历史（GBK 或 UTF-8 文本，每行 期号 [日期] 号码）\n"
        "  --last N          只回测最近 N 期（默认全部）\n"
        "  --tolerance LEVEL 容错级别 1 到 17（默认取方案中的 \"level\" + 1）\n"
        "  --json            输出一个 JSON 对象，而不是表格\n"
        "\n"
        "退出状态：0 完成；1 杀组合因检查提示而停止；2 参数、方案文件或开奖历史有误。\n");
}

} // namespace tarvex
