#include "cli/CliBacktest.h"

#include "cli/CliChanceJson.h"
#include "cli/CliOptions.h"
#include "cli/CliRulesJson.h"
#include "engine/BacktestText.h"
#include "engine/RunText.h"
#include "history/RuleBacktest.h"
#include "history/RuleSet.h"
#include "history/RuleText.h"
#include "io/JsonWriter.h"
#include "io/SchemeFile.h"

namespace tarvex {

int CliBacktest::Execute() {
    if (!Load()) {
        return kExitBadInput;
    }
    const int level = options_.level > 0 ? options_.level : scheme_.level + 1;
    if (!scheme_.rules.empty()) {
        return ExecuteWithRules(level);
    }
    const BacktestResult result =
        RunBacktest(scheme_, level, history_, static_cast<std::size_t>(options_.last));
    if (!result.completed()) {
        Error(QString::fromStdString(result.message));
    }
    if (options_.json) {
        PrintJson(result);
    } else if (result.completed()) {
        Print(QByteArray::fromStdString(BacktestText::Table(result, level)));
    }
    return result.completed() ? kExitDone : kExitStopped;
}

// A scheme with rules is replayed draw by draw, its rules worked out from the draws before.
int CliBacktest::ExecuteWithRules(int level) {
    std::string error;
    const std::optional<RuleSet> rules = RuleSet::Compile(scheme_.rules, &error);
    if (!rules) {
        Error(QString::fromStdString(error));
        return kExitBadInput;
    }
    const RuleBacktestResult result =
        RunRuleBacktest(scheme_, level, *rules, history_, static_cast<std::size_t>(options_.last));
    // Every draw stopped by a message is a backtest that played nothing, as the plain
    // backtest's stop is.
    const bool allStopped =
        !result.draws.empty() && static_cast<std::size_t>(result.stopped) == result.draws.size();
    if (allStopped) {
        Error(QString::fromStdString(result.draws.front().message));
    }
    if (options_.json) {
        Print(CliRulesJson::Backtest(result, *rules));
    } else {
        Print(QByteArray::fromStdString(RuleText::BacktestTable(result, level)));
    }
    return allStopped ? kExitStopped : kExitDone;
}

bool CliBacktest::Load() {
    const SchemeReadResult scheme = SchemeFile::Load(options_.schemePath);
    if (!scheme.ok()) {
        Error(scheme.error);
        return false;
    }
    scheme_ = scheme.settings;
    return LoadHistory(options_.historyPath, history_);
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
    CliChanceJson::Conditions(json, result.conditions);
    json.Key("summary");
    json.BeginObject();
    json.Number("tested", static_cast<long long>(result.draws.size()));
    CliChanceJson::Figures(json, result.spans.back());
    json.EndObject();
    CliChanceJson::Spans(json, result.spans);
    json.EndObject();
    Print(json.Take());
}

} // namespace tarvex
