#pragma once

#include "io/PredictionEntry.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <string>

namespace tarvex {

// One entry as one line of JSON:
// {"time":…,"lottery":…,"issue":…,"held":…,"schemeId":…,"scheme":{…},"count":N,
//  "survivors":"001 002 …"[,"toleranceLevel":L,"toleranceCount":M,"tolerance":"…"],
//  "checksum":"fnv1a64w:…"}
// The checksum is over the line's bytes up to the checksum member, with the closing brace: an
// entry changed afterwards no longer matches it. It guards against edits, not forgery (the
// program is open), so a fast 64-bit hash serves: a record of 100,000 entries must open in
// well under a second.
class PredictionLine {
public:
    // The line with its checksum, ending in "\n".
    static QByteArray Write(const PredictionEntry& entry);
    // Nothing when the line is not an entry; an entry whose checksum does not match (or is
    // missing) comes back marked edited.
    static std::optional<PredictionEntry> Read(QByteArrayView line);

    static std::string Checksum(QByteArrayView content);
    // "001 002 …" ↔ the numbers; nothing for anything but three-digit numbers 000–999.
    static std::string NumbersText(const NumberBits& numbers);
    static std::optional<NumberBits> ParseNumbers(std::string_view text, int& count);
    // "2026-12-09T21:30:00+08:00" (or "Z", with or without milliseconds) → seconds since 1970 UTC.
    static std::optional<long long> ParseTime(const std::string& text);
};

} // namespace tarvex
