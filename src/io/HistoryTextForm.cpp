#include "io/HistoryTextForm.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace tarvex {

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// Notepad's "Unicode" is UTF-16: told by its byte-order mark, or without one by the zero
// byte beside each digit of the first characters.
std::optional<HistoryTextForm::Encoding> Utf16Order(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE")) {
        return HistoryTextForm::Encoding::Utf16LE;
    }
    if (bytes.startsWith("\xFE\xFF")) {
        return HistoryTextForm::Encoding::Utf16BE;
    }
    // Digits, blanks and line ends are half zero bytes in UTF-16, never in UTF-8 or GBK.
    const qsizetype sample = std::min<qsizetype>(bytes.size(), 512);
    qsizetype even = 0;
    qsizetype odd = 0;
    for (qsizetype i = 0; i < sample; ++i) {
        (i % 2 == 0 ? even : odd) += bytes[i] == 0 ? 1 : 0;
    }
    if (odd > sample / 8 && even == 0) {
        return HistoryTextForm::Encoding::Utf16LE;
    }
    if (even > sample / 8 && odd == 0) {
        return HistoryTextForm::Encoding::Utf16BE;
    }
    return std::nullopt;
}

QStringConverter::Encoding Converter(HistoryTextForm::Encoding encoding) {
    return encoding == HistoryTextForm::Encoding::Utf16LE ? QStringConverter::Utf16LE
                                                          : QStringConverter::Utf16BE;
}

} // namespace

HistoryTextForm HistoryTextForm::Of(const QByteArray& bytes) {
    HistoryTextForm form;
    if (const std::optional<Encoding> utf16 = Utf16Order(bytes)) {
        form.encoding = *utf16;
        if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
            form.mark = bytes.left(2);
        }
    } else if (bytes.startsWith(kUtf8Mark)) {
        form.mark = kUtf8Mark;
    }
    const QByteArray text = form.Text(bytes);
    // The last line end decides: the file's newest lines are the ones an added line joins.
    const qsizetype lf = text.lastIndexOf('\n');
    const qsizetype cr = text.lastIndexOf('\r');
    if (cr > lf) {
        form.lineEnd = "\r";
    } else if (lf > 0 && text[lf - 1] == '\r') {
        form.lineEnd = "\r\n";
    }
    return form;
}

QByteArray HistoryTextForm::Text(const QByteArray& bytes) const {
    if (encoding == Encoding::Bytes) {
        return bytes.mid(mark.size());
    }
    QStringDecoder decoder(Converter(encoding));
    return QString(decoder.decode(QByteArrayView(bytes).sliced(mark.size()))).toUtf8();
}

QByteArray HistoryTextForm::Bytes(const QByteArray& text) const {
    if (encoding == Encoding::Bytes) {
        return mark + text;
    }
    QStringEncoder encoder(Converter(encoding));
    return mark + QByteArray(encoder.encode(QString::fromUtf8(text)));
}

QString HistoryTextForm::Unwritable(const QByteArray& bytes) const {
    if (encoding != Encoding::Bytes) {
        return Bytes(Text(bytes)) == bytes
                   ? QString()
                   : QStringLiteral("文件是 UTF-16 文本，但其中有无法原样写回的字节");
    }
    // A zero byte is no UTF-8 or GBK text: an unrecognised UTF-16 file would be mixed.
    return bytes.contains('\0')
               ? QStringLiteral("文件里有零字节，看不出是哪种编码，无法按原样加入一行")
               : QString();
}

} // namespace tarvex
