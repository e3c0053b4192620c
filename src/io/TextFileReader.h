#pragma once

#include "io/GbkCodec.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

namespace tarvex {

struct TextReadResult {
    std::string text; // UTF-8, "\n" line ends
    QString error;    // empty when the file was read
    bool ok() const { return error.isEmpty(); }
};

struct ByteReadResult {
    QByteArray bytes;
    QString error; // empty when the file was read
    bool ok() const { return error.isEmpty(); }
};

// Reads the text files the user gives the program (base sets, draw histories). They may be
// UTF-8 (with or without a byte-order mark) or code page 936 (GBK).
class TextFileReader {
public:
    static constexpr qint64 kBaseSetLimit = 10240;

    // Refuses a file longer than maxBytes with tooBigMessage; reads at most maxBytes + 1 bytes
    // so a huge file is never read whole. An unreadable file gives the platform's error text.
    static TextReadResult Read(const QString& path, qint64 maxBytes, const QString& tooBigMessage);
    // The same through the given GBK converter. A Qt built without ICU has none off Windows; a file
    // that is not UTF-8 is then refused with a message naming it, instead of being read as empty.
    static TextReadResult Read(const QString& path, qint64 maxBytes, const QString& tooBigMessage,
                               const GbkCodec& gbk);
    // The bytes as they stand, with the same refusals (not a regular file, too big, unreadable).
    static ByteReadResult ReadBytes(const QString& path, qint64 maxBytes,
                                    const QString& tooBigMessage);
    // 选择大底: at most 10,240 bytes.
    static TextReadResult ReadBaseSet(const QString& path);

    // UTF-8 when the bytes are valid UTF-8 (a byte-order mark is dropped), else GBK through
    // gbk; nothing when GBK is needed and gbk is not a valid converter.
    // CR LF and a lone CR become "\n".
    static std::optional<std::string> Decode(const QByteArray& bytes, const GbkCodec& gbk);
};

} // namespace tarvex
