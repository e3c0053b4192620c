#pragma once

#include <algorithm>

namespace tarvex {

// A number 0..999 read as its hundreds, tens and units digit.
struct Digits {
    int h;
    int t;
    int u;
    explicit Digits(int number) : h(number / 100), t(number / 10 % 10), u(number % 10) {}
    int Sum() const { return h + t + u; }
    int Span() const { return std::max({h, t, u}) - std::min({h, t, u}); }
};

} // namespace tarvex
