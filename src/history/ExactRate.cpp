#include "history/ExactRate.h"

#include <limits>

namespace tarvex {

double ExactRate::Value() const {
    if (denominator == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // One division of the two whole numbers: the nearest double of the quotient.
    return static_cast<double>(numerator) / static_cast<double>(denominator);
}

std::string ExactRate::Percent(int decimals, bool sign) const {
    if (denominator == 0) {
        return "—";
    }
    long long scale = 100;
    for (int i = 0; i < decimals; ++i) {
        scale *= 10;
    }
    const bool negative = (numerator < 0) != (denominator < 0);
    // Unsigned and widened: counts of a record or history stay far below 2^64 / 10^4.
    const auto top = static_cast<unsigned long long>(numerator < 0 ? -numerator : numerator);
    const auto bottom =
        static_cast<unsigned long long>(denominator < 0 ? -denominator : denominator);
    const unsigned __int128 scaled = static_cast<unsigned __int128>(top) * scale;
    auto units = static_cast<unsigned long long>(scaled / bottom);
    if ((scaled % bottom) * 2 >= bottom) {
        ++units; // the half goes away from zero
    }
    std::string text = units == 0 ? "" : negative ? "-" : sign ? "+" : "";
    const unsigned long long unit = static_cast<unsigned long long>(scale / 100);
    text += std::to_string(units / unit);
    if (decimals > 0) {
        std::string fraction = std::to_string(units % unit);
        text +=
            '.' + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    return text + '%';
}

} // namespace tarvex
