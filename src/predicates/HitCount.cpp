#include "predicates/HitCount.h"

#include "predicates/Digits.h"

namespace tarvex {

std::uint16_t DigitsIn(std::string_view text) {
    std::uint16_t digits = 0;
    for (int d = 0; d < 10; ++d) {
        if (text.find(static_cast<char>('0' + d)) != std::string_view::npos) {
            digits |= static_cast<std::uint16_t>(1u << d);
        }
    }
    return digits;
}

int HitCount(int number, std::uint16_t digits) {
    const Digits d(number);
    const auto in = [digits](int digit) { return (digits >> digit & 1) != 0 ? 1 : 0; };
    return in(d.h) + (d.t != d.h ? in(d.t) : 0) + (d.u != d.h && d.u != d.t ? in(d.u) : 0);
}

int HitCount(int number, std::string_view text) {
    return HitCount(number, DigitsIn(text));
}

} // namespace tarvex
