#include "io/NativeFileName.h"

#include "io/MessageText.h"

#include <QCoreApplication>

namespace tarvex {

namespace {

constexpr char16_t kFirstKept = 0xDC80;
constexpr char16_t kLastKept = 0xDCFF;

// A low surrogate in the kept range is a kept byte only when no high surrogate precedes it;
// after one it is half of a character beyond the BMP.
bool IsKeptAt(const QString& name, qsizetype at) {
    const char16_t c = name[at].unicode();
    return c >= kFirstKept && c <= kLastKept && (at == 0 || !name[at - 1].isHighSurrogate());
}

bool HasKeptBytes(const QString& name) {
    for (qsizetype at = 0; at < name.size(); ++at) {
        if (IsKeptAt(name, at))
            return true;
    }
    return false;
}

char KeptByte(QChar c) {
    return static_cast<char>(c.unicode() - kFirstKept + 0x80);
}

// The length of the valid UTF-8 sequence starting at bytes[at], 0 when there is none.
qsizetype SequenceLength(const QByteArray& bytes, qsizetype at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

} // namespace

QString NativeFileName::FromBytes(const QByteArray& bytes) {
    QString name;
    name.reserve(bytes.size());
    qsizetype at = 0;
    while (at < bytes.size()) {
        const qsizetype length = SequenceLength(bytes, at);
        if (length == 0) {
            name += QChar(kFirstKept + static_cast<unsigned char>(bytes[at]) - 0x80);
            ++at;
        } else {
            name += QString::fromUtf8(bytes.constData() + at, length);
            at += length;
        }
    }
    return name;
}

QByteArray NativeFileName::ToBytes(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype at = 0; at <= name.size(); ++at) {
        if (at < name.size() && !IsKeptAt(name, at))
            continue;
        bytes += QStringView(name).mid(start, at - start).toUtf8();
        if (at < name.size())
            bytes += KeptByte(name[at]);
        start = at + 1;
    }
    return bytes;
}

bool NativeFileName::HasRawBytes(const QString& name) {
#ifdef Q_OS_WIN
    Q_UNUSED(name);
    return false;
#else
    return HasKeptBytes(name);
#endif
}

QString NativeFileName::Shown(const QString& text) {
    if (!HasKeptBytes(text))
        return text;
    QString shown;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (IsKeptAt(text, at))
            shown += QString::asprintf("\\x%02X", static_cast<unsigned char>(KeptByte(text[at])));
        else
            shown += text[at];
    }
    return shown;
}

QString NativeFileName::ShownName(const QString& name) {
    return MessageText::FileName(Shown(name));
}

QStringList NativeFileName::Arguments(int argc, char** argv) {
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return QCoreApplication::arguments();
#else
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << FromBytes(QByteArray(argv[i]));
    return arguments;
#endif
}

} // namespace tarvex
