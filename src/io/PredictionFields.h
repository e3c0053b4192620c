#pragma once

#include <QByteArrayView>

#include <optional>
#include <string>

namespace tarvex {

// The members of a record line, read either by a fast scan of the form the program writes or,
// for any other valid JSON (a line edited by hand), through QJsonDocument.
struct PredictionFields {
    std::string time, lottery, issue, held, schemeId, scheme, survivors, tolerance;
    std::optional<long long> count, toleranceLevel, toleranceCount;

    // A line with an escape outside its scheme goes through QJsonDocument only up to this size.
    static constexpr qsizetype kMaxParsedBytes = 1024 * 1024;

    // Nothing when the line is no JSON object or a known member has the wrong type.
    static std::optional<PredictionFields> Read(QByteArrayView line);

private:
    bool Take(std::string_view key, std::string_view raw, bool quoted);
    static std::optional<PredictionFields> Scan(QByteArrayView line, bool& needsParser);
    static std::optional<PredictionFields> Parse(QByteArrayView line);
};

} // namespace tarvex
