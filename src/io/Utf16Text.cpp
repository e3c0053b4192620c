#include "io/Utf16Text.h"

#include <QStringDecoder>

#include <algorithm>

namespace tarvex {

// Notepad's "Unicode" is UTF-16: told by its byte-order mark, or without one by the zero
// byte beside each digit of the first characters. Read as UTF-8 text from then on.
std::optional<QByteArray> Utf16Text::ToUtf8(const QByteArray& bytes) {
    QStringConverter::Encoding encoding = QStringConverter::Utf16;
    if (!bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")) {
        // Digits, blanks and line ends are half zero bytes in UTF-16, never in UTF-8 or GBK.
        const qsizetype sample = std::min<qsizetype>(bytes.size(), 512);
        qsizetype even = 0;
        qsizetype odd = 0;
        for (qsizetype i = 0; i < sample; ++i) {
            (i % 2 == 0 ? even : odd) += bytes[i] == 0 ? 1 : 0;
        }
        if (odd > sample / 8 && even == 0) {
            encoding = QStringConverter::Utf16LE;
        } else if (even > sample / 8 && odd == 0) {
            encoding = QStringConverter::Utf16BE;
        } else {
            return std::nullopt;
        }
    }
    QStringDecoder decoder(encoding);
    return QString(decoder.decode(bytes)).toUtf8();
}

} // namespace tarvex
