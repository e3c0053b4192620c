#include "io/AnalysisJson.h"

#include "io/JsonWriter.h"

namespace tarvex {

namespace {

void Optional(JsonWriter& json, const char* key, const std::optional<double>& value) {
    json.Key(key);
    value ? json.Double(*value) : json.Null();
}

void OmissionRows(JsonWriter& json, const std::vector<OmissionRow>& rows) {
    for (const OmissionRow& r : rows) {
        json.BeginObject(true);
        json.Text("item", r.item);
        json.Number("hits", r.hits);
        json.Number("current", r.current);
        json.Number("max", r.max);
        json.Key("average");
        json.Double(r.average);
        Optional(json, "expected", r.expected);
        json.EndObject();
    }
}

void DanRows(JsonWriter& json, const std::vector<DanMethodRow>& rows) {
    for (const DanMethodRow& r : rows) {
        json.BeginObject(true);
        json.Text("item", r.item);
        json.Number("tested", r.tested);
        json.Number("hits", r.hits);
        Optional(json, "chance", r.chance);
        json.Number("currentMiss", r.currentMiss);
        json.Number("maxMiss", r.maxMiss);
        json.EndObject();
    }
}

void Issue(JsonWriter& json, const char* key, const std::vector<HistoricDraw>& history,
           std::size_t at) {
    json.Key(key);
    at < history.size() ? json.String(history[at].issue) : json.Null();
}

} // namespace

QByteArray AnalysisJson::Write(const std::vector<HistoricDraw>& history, std::size_t last,
                               const std::vector<Analysis>& analyses) {
    const std::size_t start = WindowStart(history.size(), last);
    JsonWriter json;
    json.BeginObject();
    json.Number("draws", static_cast<long long>(history.size() - start));
    Issue(json, "first", history, start);
    Issue(json, "last", history, history.empty() ? 0 : history.size() - 1);
    json.Key("analyses");
    json.BeginArray();
    for (const Analysis& analysis : analyses) {
        json.BeginObject();
        json.Text("name", analysis.name);
        json.Key("rows");
        json.BeginArray();
        analysis.kind == AnalysisKind::DanMethods ? DanRows(json, analysis.danRows)
                                                  : OmissionRows(json, analysis.rows);
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return json.Take();
}

} // namespace tarvex
