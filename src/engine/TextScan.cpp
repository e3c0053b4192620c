#include "engine/TextScan.h"

namespace tarvex {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
int Value(char c) {
    return c - '0';
}

} // namespace

std::uint16_t DigitMask(std::string_view text) {
    std::uint16_t mask = 0;
    for (const char c : text) {
        if (IsDigit(c)) {
            mask |= static_cast<std::uint16_t>(1u << Value(c));
        }
    }
    return mask;
}

PairSet DigitPairs(std::string_view text) {
    PairSet pairs;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (IsDigit(text[i - 1]) && IsDigit(text[i])) {
            pairs[static_cast<std::size_t>(Value(text[i - 1]) * 10 + Value(text[i]))] = true;
        }
    }
    return pairs;
}

PositionalPairs ScanPositionalPairs(std::string_view text) {
    PositionalPairs found;
    for (std::size_t i = 2; i < text.size(); ++i) {
        const char a = text[i - 2];
        const char b = text[i - 1];
        const char c = text[i];
        if (a == '*' && IsDigit(b) && IsDigit(c)) {
            found.freeHundreds.set(Value(b) * 10 + Value(c));
        } else if (IsDigit(a) && b == '*' && IsDigit(c)) {
            found.freeTens.set(Value(a) * 10 + Value(c));
        } else if (IsDigit(a) && IsDigit(b) && c == '*') {
            found.freeUnits.set(Value(a) * 10 + Value(b));
        }
    }
    return found;
}

NumberSet DigitWindows(std::string_view text) {
    NumberSet windows;
    int older = -1; // the digit two places back, -1 after a non-digit
    int last = -1;  // the digit one place back
    for (const char c : text) {
        if (!IsDigit(c)) {
            older = last = -1;
            continue;
        }
        const int digit = Value(c);
        if (older >= 0) {
            windows[static_cast<std::size_t>(older * 100 + last * 10 + digit)] = true;
        }
        older = last;
        last = digit;
    }
    return windows;
}

PairSet BlankedValues(std::string_view text) {
    PairSet values;
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        if (text[i] != ' ' || !IsDigit(text[i + 1])) {
            continue;
        }
        if (text[i + 2] == ' ') {
            values.set(Value(text[i + 1]));
        } else if (text[i + 1] != '0' && IsDigit(text[i + 2]) && i + 3 < text.size() &&
                   text[i + 3] == ' ') {
            values.set(Value(text[i + 1]) * 10 + Value(text[i + 2]));
        }
    }
    return values;
}

NumberSet PermutationClosure(const NumberSet& numbers) {
    NumberSet closure;
    for (int n = 0; n < 1000; ++n) {
        if (!numbers.test(n)) {
            continue;
        }
        const int h = n / 100;
        const int t = n / 10 % 10;
        const int u = n % 10;
        for (const int m : {h * 100 + t * 10 + u, h * 100 + u * 10 + t, t * 100 + h * 10 + u,
                            t * 100 + u * 10 + h, u * 100 + h * 10 + t, u * 100 + t * 10 + h}) {
            closure.set(m);
        }
    }
    return closure;
}

} // namespace tarvex
