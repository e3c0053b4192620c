#include "io/MessageText.h"

#include <algorithm>

namespace tarvex {

namespace {

// Also the direction marks and overrides (U+202E turns the rest of a line around).
bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029 || c == 0x200E ||
           c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
           c == 0xFEFF;
}

void AppendEscaped(QString& out, char32_t c) {
    switch (c) {
    case '\n':
        out += QLatin1String("\\n");
        return;
    case '\r':
        out += QLatin1String("\\r");
        return;
    case '\t':
        out += QLatin1String("\\t");
        return;
    default:
        break;
    }
    out += c > 0xFF ? QString::asprintf("\\u%04X", static_cast<unsigned>(c))
                    : QString::asprintf("\\x%02X", static_cast<unsigned>(c));
}

} // namespace

QString MessageText::Excerpt(const QString& text, qsizetype length) {
    QString out;
    qsizetype shown = 0;
    // Counted in code points, so a character outside the BMP is never cut in half.
    for (auto it = text.begin(); it != text.end(); ++it) {
        if (shown == length) {
            out += QChar(0x2026);
            break;
        }
        char32_t c = it->unicode();
        if (it->isHighSurrogate() && it + 1 != text.end() && (it + 1)->isLowSurrogate()) {
            c = QChar::surrogateToUcs4(*it, *(it + 1));
            ++it;
        }
        if (IsControl(c))
            AppendEscaped(out, c);
        else
            out += QString::fromUcs4(&c, 1);
        ++shown;
    }
    return out;
}

QString MessageText::Excerpt(const std::string& utf8, qsizetype length) {
    // Only as much as can be shown is decoded: a 10 MB text costs no more than a short one.
    // length + 1 code points take at most 4 bytes each, so a cut text still shows its "…".
    const std::size_t bytes = std::min(utf8.size(), static_cast<std::size_t>(length + 1) * 4);
    return Excerpt(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(bytes)), length);
}

QString MessageText::Escaped(const QString& text) {
    return Excerpt(text, text.size());
}

QString MessageText::FileName(const QString& name) {
    if (name.size() <= kFileNameLength) {
        return Escaped(name);
    }
    qsizetype tail = name.size() - kFileNameLength / 2;
    if (name[tail].isLowSurrogate()) {
        ++tail; // never half a character
    }
    return Excerpt(name, kFileNameLength / 2 - 1) + Escaped(name.sliced(tail));
}

} // namespace tarvex
