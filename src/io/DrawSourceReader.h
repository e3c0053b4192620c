#pragma once

#include "engine/HistoricDraw.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace tarvex {

// The forms a draw source answers in: text (the history file's lines, CSV, the 17500 archive,
// a web-page table), the huiniao JSON API and the 中国福利彩票 (cwl) JSON API.
enum class SourceFormat { Auto, Text, Huiniao, Cwl };

struct SourceReadResult {
    std::vector<HistoricDraw> draws; // oldest first, each 期号 once
    int unreadable = 0;              // lines or entries that gave no draw
    SourceFormat format = SourceFormat::Auto;
    QString error; // the answer as a whole could not be used
    bool ok() const { return error.isEmpty(); }
};

// Reads a source's answer. Anything it cannot make sense of (a truncated or garbled body, an
// error object, far too many bytes) is an error, never a guess.
class DrawSourceReader {
public:
    static constexpr qint64 kMaxBytes = 8 * 1024 * 1024;

    static SourceReadResult Read(const QByteArray& body, SourceFormat format);
    // "text" (also "csv", "17500", "table"), "huiniao", "cwl"; nothing for another name.
    static std::optional<SourceFormat> FormatNamed(const QString& name);
    static QString FormatName(SourceFormat format);

private:
    static SourceReadResult ReadText(const QByteArray& body);
    static SourceReadResult ReadHuiniao(const QByteArray& body);
    static SourceReadResult ReadCwl(const QByteArray& body);
};

} // namespace tarvex
