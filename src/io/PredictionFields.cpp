#include "io/PredictionFields.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cstring>

namespace tarvex {

namespace {

// A scan over one line; every step checks the end first.
struct Cursor {
    const char* at;
    const char* end;
    void Skip() {
        while (at < end && (*at == ' ' || *at == '\t' || *at == '\r')) {
            ++at;
        }
    }
    bool Eat(char c) {
        Skip();
        if (at < end && *at == c) {
            ++at;
            return true;
        }
        return false;
    }
    // A string without escapes; `escaped` is set when it has any (left to the parser).
    bool String(std::string_view& out, bool& escaped) {
        if (!Eat('"')) {
            return false;
        }
        const char* start = at;
        const auto* close =
            static_cast<const char*>(std::memchr(at, '"', static_cast<std::size_t>(end - at)));
        if (close == nullptr) {
            return false;
        }
        if (std::memchr(start, '\\', static_cast<std::size_t>(close - start)) != nullptr) {
            escaped = true;
            return false;
        }
        at = close + 1;
        out = std::string_view(start, static_cast<std::size_t>(close - start));
        return true;
    }
    // An object or array, skipped as a whole with the strings inside it; it is kept as
    // written, so an escape in it needs no decoding (a scheme of 64 MB with one "\n" in a
    // page text is read here, not copied into a JSON document several times its size).
    bool Nested(std::string_view& out) {
        const char* start = at;
        int depth = 0;
        while (at < end) {
            const char c = *at++;
            if (c == '"') {
                while (at < end && *at != '"') {
                    at += *at == '\\' && end - at > 1 ? 2 : 1;
                }
                if (at == end) {
                    return false;
                }
                ++at;
            } else if (c == '{' || c == '[') {
                ++depth;
            } else if ((c == '}' || c == ']') && --depth == 0) {
                out = std::string_view(start, static_cast<std::size_t>(at - start));
                return true;
            }
        }
        return false;
    }
    bool Bare(std::string_view& out) {
        const char* start = at;
        while (at < end && *at != ',' && *at != '}' && *at != ' ') {
            ++at;
        }
        out = std::string_view(start, static_cast<std::size_t>(at - start));
        return !out.empty();
    }
};

std::optional<long long> Integer(std::string_view raw) {
    long long value = 0;
    const auto [end, error] = std::from_chars(raw.data(), raw.data() + raw.size(), value);
    if (error != std::errc() || end != raw.data() + raw.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

bool PredictionFields::Take(std::string_view key, std::string_view raw, bool quoted) {
    std::string* const texts[] = {&time,     &lottery, &issue,     &held,
                                  &schemeId, &scheme,  &survivors, &tolerance};
    const std::string_view textKeys[] = {"time",     "lottery", "issue",     "held",
                                         "schemeId", "scheme",  "survivors", "tolerance"};
    for (std::size_t i = 0; i < std::size(textKeys); ++i) {
        if (key == textKeys[i]) {
            // The scheme is an object; every other text a string.
            if (quoted == (key == "scheme")) {
                return false;
            }
            texts[i]->assign(raw);
            return true;
        }
    }
    std::optional<long long>* const numbers[] = {&count, &toleranceLevel, &toleranceCount};
    const std::string_view numberKeys[] = {"count", "toleranceLevel", "toleranceCount"};
    for (std::size_t i = 0; i < std::size(numberKeys); ++i) {
        if (key == numberKeys[i]) {
            *numbers[i] = quoted ? std::nullopt : Integer(raw);
            return numbers[i]->has_value();
        }
    }
    return true; // members this version does not know are kept in the line, not read
}

std::optional<PredictionFields> PredictionFields::Read(QByteArrayView line) {
    bool needsParser = false;
    std::optional<PredictionFields> fields = Scan(line, needsParser);
    // Only a short member is ever escaped (a hand edit); the parser's copies of a long line
    // would cost many times its size, so such a line is no entry.
    return fields || !needsParser || line.size() > kMaxParsedBytes ? fields : Parse(line);
}

std::optional<PredictionFields> PredictionFields::Scan(QByteArrayView line, bool& needsParser) {
    Cursor c{line.data(), line.data() + line.size()};
    PredictionFields fields;
    if (!c.Eat('{')) {
        return std::nullopt;
    }
    do {
        std::string_view key;
        std::string_view raw;
        if (!c.String(key, needsParser) || !c.Eat(':')) {
            return std::nullopt;
        }
        c.Skip();
        if (c.at == c.end) {
            return std::nullopt;
        }
        const bool quoted = *c.at == '"';
        const bool nested = *c.at == '{' || *c.at == '[';
        const bool read = quoted   ? c.String(raw, needsParser)
                          : nested ? c.Nested(raw)
                                   : c.Bare(raw);
        if (!read || !fields.Take(key, raw, quoted)) {
            return std::nullopt;
        }
    } while (c.Eat(','));
    if (!c.Eat('}')) {
        return std::nullopt;
    }
    c.Skip();
    return c.at == c.end ? std::optional(fields) : std::nullopt;
}

std::optional<PredictionFields> PredictionFields::Parse(QByteArrayView line) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    PredictionFields fields;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const std::string key = it.key().toStdString();
        const QJsonValue value = it.value();
        bool ok = true;
        if (value.isString()) {
            ok = fields.Take(key, value.toString().toStdString(), true);
        } else if (value.isObject()) {
            const QByteArray text = QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
            ok = fields.Take(key, text.toStdString(), false);
        } else if (value.isDouble()) {
            ok = fields.Take(key, QByteArray::number(value.toInteger()).toStdString(), false);
        } else {
            ok = fields.Take(key, "?", false);
        }
        if (!ok) {
            return std::nullopt;
        }
    }
    return fields;
}

} // namespace tarvex
