#pragma once

#include <cstdint>
#include <string_view>

// Code page 936 as Qt's ICU converter reads and writes it on Linux: the bytes every build must
// give and take, whatever converter it has (ICU there, the system's code page on Windows).
namespace tarvex::gbk_table {

struct Decoding {
    const char* name;
    std::string_view bytes;
    std::u16string_view text;
    bool clean;
};

using namespace std::string_view_literals;

inline constexpr Decoding kDecodings[] = {
    {"Ascii", "000 123\r\n"sv, u"000 123\r\n"sv, true},
    {"Words", "\xC5\xC5\xB3\xFD\xBA\xC5\xC2\xEB\xD4\xAD\xD2\xF2"sv, u"排除号码原因"sv, true},
    {"FullWidthAndQuotes", "\xA3\xB0\xA3\xAC\xA1\xB0\xA1\xB1"sv, u"\uFF10\uFF0C\u201C\u201D"sv,
     true},
    {"EuroSign", "\x80"sv, u"\u20AC"sv, true},
    {"ByteFF", "\xFF"sv, u"\uF8F5"sv, true},
    {"TrailBelow80", "\x81\x40\xFE\x40"sv, u"\u4E02\uFA0C"sv, true},
    {"Trail80", "\x81\x80"sv, u"\u4E90"sv, true},
    {"UserDefined", "\xAA\xA1\xA1\x40"sv, u"\uE000\uE4C6"sv, true},
    {"RomanAndPrivate", "\xA2\xA1\xA2\xAB"sv, u"\u2170\uE766"sv, true},
    {"LeadThenDigit", "\x81\x30\x81\x30"sv, u"\uFFFD0\uFFFD0"sv, false},
    {"LeadThenDelete", "\x81\x7F"sv, u"\uFFFD\x7F"sv, false},
    {"LeadThenLineEnd", "123\xA1\n"sv, u"123\uFFFD\n"sv, false},
    {"LeadThenFF", "\x81\xFF"sv, u"\uFFFD\uF8F5"sv, false},
    {"LeadAtTheEnd", "12\x81"sv, u"12"sv, true},
    {"TwoLeadsAndAscii", "\x81\x81\x41"sv, u"\u4E96A"sv, true},
    {"Empty", ""sv, u""sv, true},
};

struct Encoding {
    const char* name;
    std::u16string_view text;
    std::string_view bytes;
};

inline constexpr Encoding kEncodings[] = {
    {"Ascii", u"001\r\n"sv, "001\r\n"sv},
    {"Words", u"排除原因数"sv, "\xC5\xC5\xB3\xFD\xD4\xAD\xD2\xF2\xCA\xFD"sv},
    {"EuroSign", u"a\u20AC"sv, "a\x80"sv},
    {"Latin", u"\u00E9\u00FC\u00B7"sv, "\xA8\xA6\xA8\xB9\xA1\xA4"sv},
    {"Dashes", u"\u2014\u2015"sv, "\xA1\xAA\xA8\x44"sv},
    {"Bopomofo", u"\u3105\u3007"sv, "\xA8\xC5\xA9\x96"sv},
    {"Private", u"\uE000\uF8F5"sv, "\xAA\xA1\xFF"sv},
    {"Lacking", u"\u00FF\u0080\uFFFD"sv, "???"sv},
    {"OutsideTheBmp", u"\U0001F600\U0001F600"sv, "??"sv},
    {"LoneHighSurrogate", u"A\xD800\xD800"sv, "A?"sv},
    {"LoneLowSurrogate",
     u"A\xDC00"
     u"B"sv,
     "A?B"sv},
    {"Empty", u""sv, ""sv},
};

// Every byte 0x00-0xFF and every pair 0x0100-0xFFFF read on its own (tests/core/test_io_gbk_codec
// and tests/windows/test_cp936 fold the results the same way): the 64-bit FNV-1a of each
// result's UTF-16 units and its clean flag, how many read cleanly, and how many of those write
// back to the same bytes.
inline constexpr std::uint64_t kCodePageHash = 17484837268327537481u;
inline constexpr int kCleanCount = 57094;
inline constexpr int kWrittenBackCount = 40840;

} // namespace tarvex::gbk_table
