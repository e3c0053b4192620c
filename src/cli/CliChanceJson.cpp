#include "cli/CliChanceJson.h"

#include "io/JsonWriter.h"

namespace tarvex {

void CliChanceJson::Conditions(JsonWriter& json, const std::vector<BacktestCondition>& conditions) {
    json.Key("conditions");
    json.BeginArray();
    for (const BacktestCondition& c : conditions) {
        json.BeginObject(true);
        json.Text("label", c.label);
        json.Number("rejected", c.rejected);
        json.Real("expectedRejected", c.ExpectedRejected());
        json.EndObject();
    }
    json.EndArray();
}

void CliChanceJson::Figures(JsonWriter& json, const BacktestSpan& span) {
    json.Number("wonAfterKill", span.wonAfterKill);
    json.Number("wonAfterTolerance", span.wonAfterTolerance);
    json.Number("countPlayed", span.countPlayed);
    json.Number("toleranceCountPlayed", span.toleranceCountPlayed);
    json.Real("chanceWins", span.ChanceWins());
    json.Real("chanceWinsAfterTolerance", span.ChanceWinsAfterTolerance());
}

void CliChanceJson::Spans(JsonWriter& json, const std::vector<BacktestSpan>& spans) {
    json.Key("spans");
    json.BeginArray();
    for (const BacktestSpan& span : spans) {
        json.BeginObject();
        json.Key("newest");
        span.newest == 0 ? json.Null() : json.Int(static_cast<long long>(span.newest));
        json.Number("draws", span.draws);
        Figures(json, span);
        Conditions(json, span.conditions);
        json.EndObject();
    }
    json.EndArray();
}

} // namespace tarvex
