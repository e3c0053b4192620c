#include "dan/DanCalculator.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tarvex {

namespace {

constexpr long long kLongMax = std::numeric_limits<int>::max();
constexpr long long kLongMin = std::numeric_limits<int>::min();

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the UTF-8 sequence that starts with lead, or 0 when lead cannot start one.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 character at text[i], or 0.
std::size_t CharacterAt(const std::string& text, std::size_t i) {
    const std::size_t length = SequenceLength(static_cast<unsigned char>(text[i]));
    if (length == 0 || i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) {
            return 0;
        }
    }
    return length;
}

// The text as code page 936 would hold it, as far as the calculation can see: ASCII as it is,
// every other character as two bytes that are neither digits, signs nor blanks.
std::string GbkView(const std::string& text) {
    std::string view;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterAt(text, i);
        if (length == 1) {
            view += text[i];
        } else if (length == 0) {
            view += '\x80';
        } else {
            view += "\x80\x80";
        }
        i += length == 0 ? 1 : length;
    }
    return view;
}

std::string FormatWithoutPoints(const char* format, double x, std::size_t keep) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, x);
    std::string digits;
    for (const char* p = buffer; *p != '\0' && digits.size() < keep; ++p) {
        if (*p != '.') {
            digits += *p;
        }
    }
    return digits;
}

char LastDigit(long long value) {
    return std::to_string(value).back();
}

} // namespace

long long LeadingInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLongMax + 1) {
            value = kLongMax + 1; // keeps growing digits from overflowing
        }
    }
    value = negative ? -value : value;
    return value > kLongMax ? kLongMax : (value < kLongMin ? kLongMin : value);
}

std::size_t GbkLength(const std::string& text) {
    return GbkView(text).size();
}

std::string DanMethod1(const std::string& text) {
    const double v = std::fabs(static_cast<double>(LeadingInteger(text)));
    return FormatWithoutPoints("%.7f", std::sqrt(v) * 0.318, 5);
}

std::string DanMethod2(const std::string& text) {
    const double v = static_cast<double>(LeadingInteger(text));
    return FormatWithoutPoints("%.8f", v * 0.618, 4);
}

DanResult DanMethod3(const std::string& text) {
    const std::string bytes = GbkView(text);
    if (bytes.size() != 4) {
        return {text, kDanMethod3Message};
    }
    const long long d = LeadingInteger(bytes.substr(0, 1));
    const long long n = LeadingInteger(bytes.substr(1));
    const long long digitSum = n / 100 + n / 10 % 10 + n % 10;
    std::string result = "旧公式 ";
    result += LastDigit(3 * d + 3);
    result += LastDigit(3 * d + 4);
    result += " 新公式 " + std::to_string(2 * digitSum);
    return {result, {}};
}

DanResult CalcDan(int method, const std::string& text) {
    if (text.empty()) {
        return {text, {}};
    }
    switch (method) {
    case 1:
        return {DanMethod1(text), {}};
    case 2:
        return {DanMethod2(text), {}};
    case 3:
        return DanMethod3(text);
    default:
        return {text, {}};
    }
}

} // namespace tarvex
