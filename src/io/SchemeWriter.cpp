#include "io/SchemeWriter.h"

#include "io/JsonWriter.h"

namespace tarvex {

namespace {

template <std::size_t N>
void Flags(JsonWriter& json, const char* key, const std::array<bool, N>& a) {
    json.Key(key);
    json.BeginArray(true);
    for (bool flag : a) {
        json.Bool(flag);
    }
    json.EndArray();
}

template <std::size_t N>
void Texts(JsonWriter& json, const char* key, const std::array<std::string, N>& a) {
    if (key != nullptr) {
        json.Key(key);
    }
    json.BeginArray(true);
    for (const std::string& text : a) {
        json.String(text);
    }
    json.EndArray();
}

void Text(JsonWriter& json, const char* key, const std::string& text) {
    json.Key(key);
    json.String(text);
}

void Flag(JsonWriter& json, const char* key, bool flag) {
    json.Key(key);
    json.Bool(flag);
}

void Number(JsonWriter& json, const char* key, int value) {
    json.Key(key);
    json.Int(value);
}

void Rows(JsonWriter& json, const Settings& s) {
    json.Key("matches");
    json.BeginArray();
    for (const MatchRow& row : s.matches) {
        json.BeginObject(true);
        Text(json, "numbers", row.numbers);
        Text(json, "counts", row.counts);
        json.EndObject();
    }
    json.EndArray();
    Flag(json, "positionSize", s.positionSize);
    json.Key("positionSizes");
    json.BeginArray();
    for (const PositionSizeRow& row : s.positionSizes) {
        Texts<3>(json, nullptr, {row.left, row.comparison, row.right});
    }
    json.EndArray();
}

void Pages(JsonWriter& json, const PageSettings& p) {
    json.Key("pages");
    json.BeginObject();
    Text(json, "direct", p.direct);
    Text(json, "junk", p.junk);
    Text(json, "kill2", p.kill2);
    Text(json, "positionalKill2", p.positionalKill2);
    Text(json, "mustHave2", p.mustHave2);
    Flag(json, "mustHave2Positional", p.mustHave2Positional);
    Text(json, "intersection", p.intersection);
    Flag(json, "intersectionGroup", p.intersectionGroup);
    Flag(json, "formulaMatch", p.formulaMatch);
    Number(json, "formulaMode", p.formulaMode);
    json.Key("formulas");
    json.BeginArray();
    for (const FormulaRow& row : p.formulas) {
        Texts<5>(json, nullptr, {row.left, row.op, row.right, row.comparison, row.value});
    }
    json.EndArray();
    Flags(json, "routeGroups", p.routeGroups);
    json.EndObject();
}

} // namespace

QByteArray SchemeWriter::Write(const Settings& s) {
    JsonWriter json;
    json.BeginObject();
    Text(json, "format", "tarvex-scheme");
    Number(json, "version", 1);
    Flags(json, "sumTail", s.sumTail);
    Number(json, "sumLow", s.sumLow);
    Number(json, "sumHigh", s.sumHigh);
    Flags(json, "span", s.span);
    Flags(json, "dan", s.dan);
    Number(json, "danCount", s.danCount);
    Flag(json, "excludeCompound", s.excludeCompound);
    Texts(json, "exclude", s.exclude);
    Flag(json, "positionalKill", s.positionalKill);
    Texts(json, "positionalKillDigits", s.positionalKillDigits);
    Flag(json, "compoundInput", s.compoundInput);
    Texts(json, "compound", s.compound);
    Flag(json, "baseSet", s.baseSet);
    Flag(json, "baseIsGroup", s.baseIsGroup);
    Text(json, "result", s.result);
    Flags(json, "bigSmall", s.bigSmall);
    Flags(json, "oddEven", s.oddEven);
    Flags(json, "primeComposite", s.primeComposite);
    Flags(json, "shape", s.shape);
    Flags(json, "consecutive", s.consecutive);
    Flags(json, "route", s.route);
    Flags(json, "ac", s.ac);
    Flag(json, "killSums", s.killSums);
    Text(json, "sums", s.sums);
    Flag(json, "matchFilter", s.matchFilter);
    Rows(json, s);
    Number(json, "perRow", s.perRow);
    Number(json, "level", s.level);
    Pages(json, s.pages);
    json.EndObject();
    return json.Take();
}

} // namespace tarvex
