#pragma once

#include <string>

namespace tarvex {

inline constexpr const char* kDanMethod3Hint = "格式本期期尾+上期奖号，如18期为8878";
inline constexpr const char* kDanMethod3Message = "格式本期期尾+上期奖号，如18期为8878,17期为7481";

// What 算胆 leaves: the new edit text, or (method 3 only) the message that refuses the input,
// in which case text is the input unchanged.
struct DanResult {
    std::string text;
    std::string message;
    bool refused() const { return !message.empty(); }
};

// text is UTF-8. Empty text, or a method other than 1, 2 or 3, leaves it as it is.
DanResult CalcDan(int method, const std::string& text);

// 云杉算胆法: sqrt(v) * 0.318 as "%.7f", points removed, first five characters.
// A negative v is taken by its absolute value, so no "nan" ever appears.
std::string DanMethod1(const std::string& text);
// 黄金算胆法: v * 0.618 as "%.8f", points removed, first four characters.
std::string DanMethod2(const std::string& text);
// qkrtz算胆法: needs exactly four bytes in code page 936.
DanResult DanMethod3(const std::string& text);

// The leading decimal integer as atol reads it (leading blanks, a sign, digits; 0 when there
// is none), saturated to the 32-bit range of the long the calculation was made for.
long long LeadingInteger(const std::string& text);

// Bytes the UTF-8 text takes in code page 936: one per ASCII character, two for every other
// character (GBK stores each Chinese character in two bytes); a byte that is not valid UTF-8
// counts as one.
std::size_t GbkLength(const std::string& text);

} // namespace tarvex
