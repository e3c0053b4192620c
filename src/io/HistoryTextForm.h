#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <optional>
#include <string_view>

namespace tarvex {

// How a history file stores its text: the encoding, the byte-order mark and the line end it
// uses. The readers see the text through it, and the writer writes an added line in the same
// form, so the lines already there keep their bytes.
class HistoryTextForm {
public:
    // Bytes: UTF-8 or GBK, read line by line; the UTF-16 forms are decoded to UTF-8 first.
    enum class Encoding { Bytes, Utf16LE, Utf16BE };

    static HistoryTextForm Of(const QByteArray& bytes);

    // The text as the readers take it: UTF-16 decoded to UTF-8, a byte-order mark dropped.
    QByteArray Text(const QByteArray& bytes) const;
    // The file's bytes for `text` (the inverse of Text).
    QByteArray Bytes(const QByteArray& text) const;
    // Why a line added to this file could not be written in its form; empty when it can.
    QString Unwritable(const QByteArray& bytes) const;

    Encoding encoding = Encoding::Bytes;
    QByteArray mark;           // the byte-order mark the file starts with, if any
    QByteArray lineEnd = "\n"; // of the last line that has one
};

// CR LF, LF and a lone CR each end a line, also mixed in one file (old Macs wrote CR alone).
// visit(line, end) for each line, its end empty for a last line without one.
template <typename Visit> void ForEachHistoryLine(std::string_view text, Visit visit) {
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n' || text[at] == '\r') {
            const std::size_t line = at - start;
            if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
                ++at;
            }
            visit(text.substr(start, line), text.substr(start + line, at + 1 - start - line));
            start = at + 1;
        }
    }
    if (start < text.size()) {
        visit(text.substr(start), std::string_view());
    }
}

} // namespace tarvex
