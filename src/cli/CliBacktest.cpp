#include "cli/CliBacktest.h"

#include "cli/CliOptions.h"
#include "engine/BacktestText.h"
#include "engine/RunText.h"
#include "io/DrawHistory.h"
#include "io/JsonWriter.h"
#include "io/SchemeFile.h"

namespace tarvex {

int CliBacktest::Execute() {
    if (!Load()) {
        return kExitBadInput;
    }
    const int level = options_.level > 0 ? options_.level : scheme_.level + 1;
    const BacktestResult result =
        RunBacktest(scheme_, level, history_, static_cast<std::size_t>(options_.last));
    if (!result.completed()) {
        Error(QString::fromStdString(result.message));
    }
    if (options_.json) {
        PrintJson(result);
    } else if (result.completed()) {
        Print(QByteArray::fromStdString(BacktestText::Table(result, level)), out_);
    }
    return result.completed() ? kExitDone : kExitStopped;
}

bool CliBacktest::Load() {
    const SchemeReadResult scheme = SchemeFile::Load(options_.schemePath);
    if (!scheme.ok()) {
        Error(scheme.error);
        return false;
    }
    scheme_ = scheme.settings;
    const DrawHistoryResult history = DrawHistory::Load(options_.historyPath);
    if (!history.ok()) {
        Error(history.error);
        return false;
    }
    for (const QString& problem : history.ProblemMessages()) {
        Error(QStringLiteral("警告：“%1”：%2").arg(options_.historyPath, problem));
    }
    if (history.draws.empty()) {
        Error(QStringLiteral("开奖历史文件“%1”里没有读到任何一期").arg(options_.historyPath));
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

} // namespace tarvex
