#include "cli/CliJson.h"

#include "engine/ResultSplit.h"
#include "engine/RunText.h"
#include "io/JsonWriter.h"

namespace tarvex {

namespace {

void Numbers(JsonWriter& json, const char* key, const std::vector<int>& numbers) {
    json.Key(key);
    json.BeginArray(true);
    for (int n : numbers) {
        json.String(CandidateText(n));
    }
    json.EndArray();
}

// The shape split and the cost of the numbers a step left, as the window shows them.
void Split(JsonWriter& json, const ResultSplit& split) {
    json.Key("split");
    json.BeginObject(true);
    json.Number("leopards", split.leopards);
    json.Number("pairs", split.pairs);
    json.Number("sixes", split.sixes);
    json.Number("other", split.other);
    json.Number("cost", split.CostYuan());
    json.EndObject();
}

void Report(JsonWriter& json, const std::vector<ReportLine>& report) {
    json.Key("report");
    json.BeginArray();
    for (const ReportLine& line : report) {
        json.BeginObject(true);
        json.Text("number", line.number);
        json.Texts("labels", line.labels);
        json.Number("count", line.count);
        json.EndObject();
    }
    json.EndArray();
}

void Tolerance(JsonWriter& json, const ToleranceOutcome& t) {
    json.Key("tolerance");
    json.BeginObject();
    Numbers(json, "readmitted", t.readmitted);
    json.Texts("list", t.list);
    json.Text("resultText", t.resultText);
    json.Text("countText", t.countText);
    json.Text("toleranceText", t.toleranceText);
    Split(json, SplitItems(t.list));
    Report(json, t.report);
    json.EndObject();
}

void Group(JsonWriter& json, const GroupConversion& g) {
    json.Key("group");
    json.BeginObject();
    json.Texts("numbers", g.numbers);
    json.Text("resultText", g.resultText);
    json.Text("countText", g.countText);
    Split(json, SplitItems(g.numbers));
    json.EndObject();
}

} // namespace

QByteArray CliJson::Write(const CliRunState& state) {
    const KillOutcome& kill = state.kill;
    JsonWriter json;
    json.BeginObject();
    json.Key("message");
    if (kill.completed()) {
        json.Null();
    } else {
        json.String(kill.message);
    }
    if (state.base) {
        json.Key("base");
        json.BeginObject(true);
        Split(json, *state.base);
        json.EndObject();
    }
    Numbers(json, "survivors", kill.survivors);
    Numbers(json, "killed", kill.killed);
    json.Number("count", static_cast<long long>(kill.survivors.size()));
    json.Text("countText", kill.countText);
    json.Text("resultText", kill.resultText);
    Split(json, SplitNumbers(kill.survivors));
    if (state.tolerance) {
        Tolerance(json, *state.tolerance);
    }
    if (state.group) {
        Group(json, *state.group);
    }
    json.EndObject();
    return json.Take();
}

} // namespace tarvex
