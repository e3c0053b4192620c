#include "io/PredictionLine.h"

#include "io/JsonWriter.h"
#include "io/PredictionFields.h"

#include <chrono>
#include <cstdint>

namespace tarvex {

namespace {

constexpr std::string_view kChecksumKey = ",\"checksum\":\"";
constexpr std::string_view kChecksumKind = "fnv1a64w:";

void Member(QByteArray& line, std::string_view key, const std::string& text) {
    line += ",\"";
    line += QByteArrayView(key.data(), static_cast<qsizetype>(key.size()));
    line += "\":";
    line += QByteArray::fromStdString(JsonWriter::Quote(text));
}

void Member(QByteArray& line, std::string_view key, long long value) {
    line += ",\"";
    line += QByteArrayView(key.data(), static_cast<qsizetype>(key.size()));
    line += "\":";
    line += QByteArray::number(value);
}

bool Digits(const std::string& text, std::size_t at, std::size_t length, int& into) {
    into = 0;
    if (at + length > text.size()) {
        return false;
    }
    for (std::size_t i = at; i < at + length; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        into = into * 10 + (text[i] - '0');
    }
    return true;
}

// Where the checksum member starts, when the line ends with it as written.
qsizetype ChecksumAt(QByteArrayView line, std::string& stored) {
    while (!line.isEmpty() && (line.back() == '\r' || line.back() == ' ')) {
        line.chop(1);
    }
    const qsizetype at = line.lastIndexOf(
        QByteArrayView(kChecksumKey.data(), static_cast<qsizetype>(kChecksumKey.size())));
    if (at < 0 || !line.endsWith("\"}")) {
        return -1;
    }
    const qsizetype from = at + static_cast<qsizetype>(kChecksumKey.size());
    stored.assign(line.data() + from, static_cast<std::size_t>(line.size() - 2 - from));
    return at;
}

} // namespace

// FNV-1a over 64-bit little-endian words (the last one padded with zero bytes), then the
// closing brace: eight times faster than byte by byte, and a change within one word always
// changes the result, since each step is a bijection of the state.
std::string PredictionLine::Checksum(QByteArrayView content) {
    constexpr std::uint64_t kPrime = 0x100000001b3ULL;
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
    const std::size_t size = static_cast<std::size_t>(content.size());
    std::size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word = 0;
        for (int i = 7; i >= 0; --i) {
            word = (word << 8) | bytes[at + static_cast<std::size_t>(i)];
        }
        hash = (hash ^ word) * kPrime;
    }
    std::uint64_t tail = 0;
    for (std::size_t i = size; i-- > at;) {
        tail = (tail << 8) | bytes[i];
    }
    hash = (hash ^ tail) * kPrime;
    hash = (hash ^ static_cast<unsigned char>('}')) * kPrime;
    return std::string(kChecksumKind) + QByteArray::number(static_cast<qulonglong>(hash), 16)
                                            .rightJustified(16, '0')
                                            .toStdString();
}

QByteArray PredictionLine::Write(const PredictionEntry& entry) {
    const Prediction& p = entry.prediction;
    QByteArray line = "{\"time\":" + QByteArray::fromStdString(JsonWriter::Quote(entry.time));
    Member(line, "lottery", p.lottery);
    Member(line, "issue", p.issue);
    Member(line, "held", p.held);
    Member(line, "schemeId", p.schemeId);
    line += ",\"scheme\":" + QByteArray::fromStdString(entry.scheme);
    Member(line, "count", p.count);
    Member(line, "survivors", NumbersText(p.survivors));
    if (p.toleranceLevel > 0) {
        Member(line, "toleranceLevel", p.toleranceLevel);
        Member(line, "toleranceCount", p.toleranceCount);
        Member(line, "tolerance", NumbersText(p.tolerance));
    }
    const std::string checksum = Checksum(line);
    line += QByteArrayView(kChecksumKey.data(), static_cast<qsizetype>(kChecksumKey.size()));
    line += QByteArray::fromStdString(checksum) + "\"}\n";
    return line;
}

std::optional<PredictionEntry> PredictionLine::Read(QByteArrayView line) {
    while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r')) {
        line.chop(1);
    }
    const std::optional<PredictionFields> fields = PredictionFields::Read(line);
    if (!fields || fields->issue.empty() || fields->lottery.empty() || fields->scheme.empty() ||
        !fields->count) {
        return std::nullopt;
    }
    PredictionEntry entry;
    Prediction& p = entry.prediction;
    const std::optional<long long> written = ParseTime(fields->time);
    std::optional<NumberBits> survivors = ParseNumbers(fields->survivors, p.count);
    // A count that disagrees with the list is an edit the checksum tells; the list is what
    // was played.
    if (!written || !survivors) {
        return std::nullopt;
    }
    p.survivors = *survivors;
    p.writtenUtc = *written;
    if (fields->toleranceLevel) {
        const std::optional<NumberBits> tolerance =
            ParseNumbers(fields->tolerance, p.toleranceCount);
        if (!tolerance || *fields->toleranceLevel < 1 || *fields->toleranceLevel > 17) {
            return std::nullopt;
        }
        p.toleranceLevel = static_cast<int>(*fields->toleranceLevel);
        p.tolerance = *tolerance;
    }
    p.lottery = fields->lottery;
    p.issue = fields->issue;
    p.held = fields->held;
    p.schemeId = fields->schemeId;
    entry.time = fields->time;
    entry.scheme = fields->scheme;
    std::string stored;
    const qsizetype at = ChecksumAt(line, stored);
    p.edited = at < 0 || stored != Checksum(line.first(at));
    return entry;
}

std::string PredictionLine::NumbersText(const NumberBits& numbers) {
    std::string text;
    text.reserve(numbers.count() * 4);
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        if (numbers.test(n)) {
            if (!text.empty()) {
                text += ' ';
            }
            text += static_cast<char>('0' + n / 100);
            text += static_cast<char>('0' + n / 10 % 10);
            text += static_cast<char>('0' + n % 10);
        }
    }
    return text;
}

std::optional<NumberBits> PredictionLine::ParseNumbers(std::string_view text, int& count) {
    NumberBits numbers;
    count = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.size() - at < 3) {
            return std::nullopt;
        }
        int n = 0;
        for (std::size_t i = at; i < at + 3; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return std::nullopt;
            }
            n = n * 10 + (text[i] - '0');
        }
        // A number given twice (an edit) is played once.
        count += numbers.test(static_cast<std::size_t>(n)) ? 0 : 1;
        numbers.set(static_cast<std::size_t>(n));
        at += 3;
        if (at < text.size() && text[at++] != ' ') {
            return std::nullopt;
        }
    }
    return numbers;
}

std::optional<long long> PredictionLine::ParseTime(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    if (text.size() < 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':' || !Digits(text, 0, 4, y) || !Digits(text, 5, 2, mo) ||
        !Digits(text, 8, 2, d) || !Digits(text, 11, 2, h) || !Digits(text, 14, 2, mi) ||
        !Digits(text, 17, 2, s) || h > 23 || mi > 59 || s > 59) {
        return std::nullopt;
    }
    std::size_t at = 19;
    if (text[at] == '.') {
        for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        }
    }
    int offset = 0;
    if (at + 1 == text.size() && text[at] == 'Z') {
        offset = 0;
    } else {
        int oh = 0, om = 0;
        if (at + 6 != text.size() || (text[at] != '+' && text[at] != '-') || text[at + 3] != ':' ||
            !Digits(text, at + 1, 2, oh) || !Digits(text, at + 4, 2, om) || oh > 14 || om > 59) {
            return std::nullopt;
        }
        offset = (text[at] == '-' ? -1 : 1) * (oh * 3600 + om * 60);
    }
    const std::chrono::year_month_day ymd{std::chrono::year{y},
                                          std::chrono::month{static_cast<unsigned>(mo)},
                                          std::chrono::day{static_cast<unsigned>(d)}};
    if (!ymd.ok()) {
        return std::nullopt;
    }
    const long long days = std::chrono::sys_days{ymd}.time_since_epoch().count();
    return days * 86400 + h * 3600 + mi * 60 + s - offset;
}

} // namespace tarvex
