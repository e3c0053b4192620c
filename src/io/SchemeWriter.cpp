#include "io/SchemeWriter.h"

#include "io/JsonWriter.h"

#include <array>
#include <string>

namespace tarvex {

namespace {

void Rows(JsonWriter& json, const Settings& s) {
    json.Key("matches");
    json.BeginArray();
    for (const MatchRow& row : s.matches) {
        json.BeginObject(true);
        json.Text("numbers", row.numbers);
        json.Text("counts", row.counts);
        json.EndObject();
    }
    json.EndArray();
    json.Flag("positionSize", s.positionSize);
    json.Key("positionSizes");
    json.BeginArray();
    for (const PositionSizeRow& row : s.positionSizes) {
        json.Texts(std::array<std::string, 3>{row.left, row.comparison, row.right});
    }
    json.EndArray();
}

void Pages(JsonWriter& json, const PageSettings& p) {
    json.Key("pages");
    json.BeginObject();
    json.Text("direct", p.direct);
    json.Text("junk", p.junk);
    json.Text("kill2", p.kill2);
    json.Text("positionalKill2", p.positionalKill2);
    json.Text("mustHave2", p.mustHave2);
    json.Flag("mustHave2Positional", p.mustHave2Positional);
    json.Text("intersection", p.intersection);
    json.Flag("intersectionGroup", p.intersectionGroup);
    json.Flag("formulaMatch", p.formulaMatch);
    json.Number("formulaMode", p.formulaMode);
    json.Key("formulas");
    json.BeginArray();
    for (const FormulaRow& row : p.formulas) {
        json.Texts(
            std::array<std::string, 5>{row.left, row.op, row.right, row.comparison, row.value});
    }
    json.EndArray();
    json.Flags("routeGroups", p.routeGroups);
    json.EndObject();
}

} // namespace

QByteArray SchemeWriter::Write(const Settings& s) {
    JsonWriter json;
    json.BeginObject();
    json.Text("format", "tarvex-scheme");
    json.Number("version", 1);
    json.Flags("sumTail", s.sumTail);
    json.Number("sumLow", s.sumLow);
    json.Number("sumHigh", s.sumHigh);
    json.Flags("span", s.span);
    json.Flags("dan", s.dan);
    json.Number("danCount", s.danCount);
    json.Flag("excludeCompound", s.excludeCompound);
    json.Texts("exclude", s.exclude);
    json.Flag("positionalKill", s.positionalKill);
    json.Texts("positionalKillDigits", s.positionalKillDigits);
    json.Flag("compoundInput", s.compoundInput);
    json.Texts("compound", s.compound);
    json.Flag("baseSet", s.baseSet);
    json.Flag("baseIsGroup", s.baseIsGroup);
    json.Text("result", s.result);
    json.Flags("bigSmall", s.bigSmall);
    json.Flags("oddEven", s.oddEven);
    json.Flags("primeComposite", s.primeComposite);
    json.Flags("shape", s.shape);
    json.Flags("consecutive", s.consecutive);
    json.Flags("route", s.route);
    json.Flags("ac", s.ac);
    json.Flag("killSums", s.killSums);
    json.Text("sums", s.sums);
    json.Flag("matchFilter", s.matchFilter);
    Rows(json, s);
    json.Number("perRow", s.perRow);
    json.Number("level", s.level);
    Pages(json, s.pages);
    json.EndObject();
    return json.Take();
}

} // namespace tarvex
