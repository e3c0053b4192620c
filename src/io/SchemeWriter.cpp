#include "io/SchemeWriter.h"

#include "engine/SettingsFields.h"
#include "history/RuleTargets.h"
#include "io/JsonWriter.h"

#include <array>
#include <string>

namespace tarvex {

namespace {

void Value(JsonWriter& json, bool value) {
    json.Bool(value);
}

void Value(JsonWriter& json, int value) {
    json.Int(value);
}

void Value(JsonWriter& json, const std::string& value) {
    json.String(value);
}

template <std::size_t N> void Value(JsonWriter& json, const std::array<bool, N>& flags) {
    json.BeginArray(true);
    for (const bool flag : flags) {
        json.Bool(flag);
    }
    json.EndArray();
}

template <std::size_t N> void Value(JsonWriter& json, const std::array<std::string, N>& texts) {
    json.Texts(texts);
}

template <class Row> void Value(JsonWriter& json, const std::vector<Row>& rows) {
    using Description = RowDescription<Row>;
    json.BeginArray();
    for (const Row& row : rows) {
        if constexpr (Description::kAsObject) {
            json.BeginObject(true);
            for (const auto& column : Description::kColumns) {
                json.Text(column.key, row.*column.member);
            }
            json.EndObject();
        } else {
            json.BeginArray(true);
            for (const auto& column : Description::kColumns) {
                json.String(row.*column.member);
            }
            json.EndArray();
        }
    }
    json.EndArray();
}

void Value(JsonWriter& json, const std::vector<Rule>& rules) {
    SchemeWriter::WriteRules(json, rules);
}

template <class T> bool Omitted(const T&) {
    return false;
}

bool Omitted(const std::vector<Rule>& rules) {
    return rules.empty();
}

void Value(JsonWriter& json, const PageSettings& pages);

template <class Owner, class Fields>
void Members(JsonWriter& json, const Owner& owner, const Fields& fields) {
    ForEachField(fields, [&](const auto& field) {
        if (Omitted(owner.*field.member)) {
            return;
        }
        json.Key(field.key);
        Value(json, owner.*field.member);
    });
}

void Value(JsonWriter& json, const PageSettings& pages) {
    json.BeginObject();
    Members(json, pages, kPageFields);
    json.EndObject();
}

} // namespace

void SchemeWriter::WriteRules(JsonWriter& json, const std::vector<Rule>& rules) {
    json.BeginArray();
    for (const Rule& rule : rules) {
        json.BeginObject(true);
        json.Text("target", RuleTargets::Name(rule.target));
        json.Text("formula", rule.formula);
        json.EndObject();
    }
    json.EndArray();
}

QByteArray SchemeWriter::Write(const Settings& s) {
    JsonWriter json;
    json.BeginObject();
    json.Text("format", "tarvex-scheme");
    json.Number("version", 1);
    Members(json, s, kSettingsFields);
    json.EndObject();
    return json.Take();
}

} // namespace tarvex
