#include "cli/CliRulesJson.h"

#include "cli/CliChanceJson.h"

#include "engine/RunText.h"
#include "history/RuleTargets.h"
#include "io/JsonWriter.h"
#include "io/SchemeWriter.h"

namespace tarvex {

namespace {

void Value(JsonWriter& json, int value) {
    value == kNoRuleValue ? json.Null() : json.Int(value);
}

void Rules(JsonWriter& json, const std::vector<Rule>& rules) {
    json.Key("rules");
    SchemeWriter::WriteRules(json, rules);
}

void Draw(JsonWriter& json, const RuleBacktestDraw& d) {
    json.BeginObject(true);
    json.Text("issue", d.draw.issue);
    json.Text("number", CandidateText(d.draw.number));
    json.Key("values");
    json.BeginArray(true);
    for (const int v : d.values) {
        Value(json, v);
    }
    json.EndArray();
    json.Flag("survivesKill", d.draw.survivesKill);
    json.Flag("survivesTolerance", d.draw.survivesTolerance);
    json.Texts("labels", d.draw.labels);
    json.Number("count", d.draw.count);
    json.Number("toleranceCount", d.toleranceCount);
    json.Key("message");
    d.message.empty() ? json.Null() : json.String(d.message);
    json.EndObject();
}

} // namespace

QByteArray CliRulesJson::Judgements(const std::vector<RuleJudgement>& judgements,
                                    std::size_t draws) {
    JsonWriter json;
    json.BeginObject();
    json.Number("draws", static_cast<long long>(draws));
    json.Key("rules");
    json.BeginArray();
    for (const RuleJudgement& j : judgements) {
        json.BeginObject(true);
        json.Text("target", RuleTargets::Name(j.rule.target));
        json.Text("formula", j.rule.formula);
        json.Number("tested", j.tested);
        json.Number("right", j.right);
        json.Real("chance", j.ChanceRate());
        json.Number("currentMiss", j.currentMiss);
        json.Number("maxMiss", j.maxMiss);
        json.Key("next");
        Value(json, j.next);
        json.Real("hitRate", j.HitRate());
        json.Real("margin", j.Margin());
        json.Flag("noise", j.WithinNoise());
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Take();
}

QByteArray CliRulesJson::Backtest(const RuleBacktestResult& result, const RuleSet& rules) {
    JsonWriter json;
    json.BeginObject();
    Rules(json, rules.Rules());
    json.Key("draws");
    json.BeginArray();
    for (const RuleBacktestDraw& d : result.draws) {
        Draw(json, d);
    }
    json.EndArray();
    CliChanceJson::Conditions(json, result.conditions);
    json.Key("summary");
    json.BeginObject();
    json.Number("tested", static_cast<long long>(result.draws.size()));
    json.Number("wonAfterKill", result.wonAfterKill);
    json.Number("wonAfterTolerance", result.wonAfterTolerance);
    json.Number("countPlayed", result.countPlayed);
    json.Number("toleranceCountPlayed", result.toleranceCountPlayed);
    json.Real("chanceWins", result.ChanceWins());
    json.Real("chanceWinsAfterTolerance", result.ChanceWinsAfterTolerance());
    json.Number("stopped", result.stopped);
    json.EndObject();
    CliChanceJson::Spans(json, result.spans);
    json.EndObject();
    return json.Take();
}

} // namespace tarvex
