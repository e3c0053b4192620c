#include "cli/CliJson.h"

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

void Texts(JsonWriter& json, const char* key, const std::vector<std::string>& texts) {
    json.Key(key);
    json.BeginArray(true);
    for (const std::string& text : texts) {
        json.String(text);
    }
    json.EndArray();
}

void Text(JsonWriter& json, const char* key, const std::string& text) {
    json.Key(key);
    json.String(text);
}

void Report(JsonWriter& json, const std::vector<ReportLine>& report) {
    json.Key("report");
    json.BeginArray();
    for (const ReportLine& line : report) {
        json.BeginObject(true);
        Text(json, "number", line.number);
        Texts(json, "labels", line.labels);
        json.Key("count");
        json.Int(line.count);
        json.EndObject();
    }
    json.EndArray();
}

void Tolerance(JsonWriter& json, const ToleranceOutcome& t) {
    json.Key("tolerance");
    json.BeginObject();
    Numbers(json, "readmitted", t.readmitted);
    Texts(json, "list", t.list);
    Text(json, "resultText", t.resultText);
    Text(json, "countText", t.countText);
    Text(json, "toleranceText", t.toleranceText);
    Report(json, t.report);
    json.EndObject();
}

void Group(JsonWriter& json, const GroupConversion& g) {
    json.Key("group");
    json.BeginObject();
    Texts(json, "numbers", g.numbers);
    Text(json, "resultText", g.resultText);
    Text(json, "countText", g.countText);
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
    Numbers(json, "survivors", kill.survivors);
    Numbers(json, "killed", kill.killed);
    json.Key("count");
    json.Int(static_cast<long long>(kill.survivors.size()));
    Text(json, "countText", kill.countText);
    Text(json, "resultText", kill.resultText);
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
