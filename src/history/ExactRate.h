#pragma once

#include <string>

namespace tarvex {

// A rate kept as the two whole numbers it is the quotient of, so that a percentage is the
// exact fraction rounded: 2967/4000 is 74.175 %, shown 74.18 %, where the nearest double of
// 0.74175 lies just below the half and would round down.
struct ExactRate {
    long long numerator = 0;
    long long denominator = 0;

    // NaN when the denominator is 0, as the rates computed in doubles always were.
    double Value() const;
    // "74.18%": the rate in per cent, halves rounded away from zero; "+" before a positive
    // value when `sign`, never "-0.00%"; "—" when the denominator is 0.
    std::string Percent(int decimals = 2, bool sign = false) const;
};

} // namespace tarvex
