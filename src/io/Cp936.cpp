#include "io/Cp936.h"

#ifdef _WIN32

#include <windows.h>

namespace tarvex {

namespace {

constexpr UINT kCodePage = 936;
constexpr char16_t kReplacement = u'\xFFFD';

bool IsLead(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsTrail(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// One character (one or two bytes) through the system; false when it is none in code page 936.
bool DecodeOne(const char* bytes, int count, std::u16string& out) {
    wchar_t wide[2];
    const int made = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, count, wide, 2);
    if (made <= 0)
        return false;
    out.append(reinterpret_cast<const char16_t*>(wide), static_cast<std::size_t>(made));
    return true;
}

// One code point (one or two UTF-16 units); "?" when code page 936 has no character for it.
void EncodeOne(const char16_t* units, int count, std::string& out) {
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int made = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS,
                                         reinterpret_cast<const wchar_t*>(units), count, bytes,
                                         sizeof bytes, nullptr, &usedDefault);
    if (made <= 0 || usedDefault) {
        out += '?';
        return;
    }
    out.append(bytes, static_cast<std::size_t>(made));
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::u16string Cp936::Decode(std::string_view bytes, bool& clean) {
    clean = true;
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            out += static_cast<char16_t>(byte);
            ++at;
        } else if (byte == 0xFF) {
            // The one-byte mapping that Windows writes but Wine's table does not read back.
            out += u'\xF8F5';
            ++at;
        } else if (!IsLead(byte)) {
            // 0x80 stands alone.
            if (!DecodeOne(bytes.data() + at, 1, out)) {
                out += kReplacement;
                clean = false;
            }
            ++at;
        } else if (at + 1 == bytes.size()) {
            ++at; // a lead byte at the end waits for a trail that never comes
        } else if (!IsTrail(static_cast<unsigned char>(bytes[at + 1]))) {
            out += kReplacement;
            clean = false;
            ++at;
        } else {
            if (!DecodeOne(bytes.data() + at, 2, out)) {
                out += kReplacement;
                clean = false;
            }
            at += 2;
        }
    }
    return out;
}

std::string Cp936::Encode(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    std::size_t at = 0;
    while (at < text.size()) {
        const char16_t unit = text[at];
        if (unit < 0x80) {
            out += static_cast<char>(unit);
            ++at;
        } else if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            EncodeOne(text.data() + at, 2, out);
            at += 2;
        } else if (IsHighSurrogate(unit) && at + 1 == text.size()) {
            ++at; // half a character at the end waits for a second half that never comes
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            out += '?';
            ++at;
        } else {
            EncodeOne(text.data() + at, 1, out);
            ++at;
        }
    }
    return out;
}

} // namespace tarvex

#endif // _WIN32
