#pragma once

#include "io/GbkCodec.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace tarvex {

// Writes the program's output files. Every write goes through a temporary file that replaces
// the target only when complete, so a failed write leaves the earlier file as it was.
// Each function returns an empty text on success, otherwise a message naming file and reason.
class TextFileWriter {
public:
    // UTF-8 text with "\n" line ends → code page 936 (GBK) with CR LF, as the program's text
    // files are stored on every platform.
    static QString WriteGbk(const QString& path, const std::string& utf8Text);
    // The same through the given converter. Off Windows, a Qt built without ICU has none; then the
    // file is left as it was and the message says why, instead of an empty file being written.
    static QString WriteGbk(const QString& path, const std::string& utf8Text, const GbkCodec& gbk);
    static QString WriteBytes(const QString& path, const QByteArray& bytes);
    // Empties the file (creating it when missing).
    static QString Truncate(const QString& path);

    static QByteArray ToGbkCrLf(const std::string& utf8Text);
};

} // namespace tarvex
