#pragma once

#include "history/Play.h"

#include <array>
#include <optional>
#include <string>

namespace tarvex {

// What one bet of each play pays at 倍数 1, in whole 元. The player may change it (派奖
// promotions, another lottery's values); the text form "1040,346,173" is how it is stored
// and how the command line takes it.
struct PrizeTable {
    static constexpr long long kMaxPrize = 100000000; // 1 亿元: beyond it a typo, not a prize

    std::array<long long, 3> prizes{1040, 346, 173}; // 直选 组三 组六

    long long Of(Play play) const { return prizes[static_cast<std::size_t>(play)]; }
    bool IsDefault() const { return *this == PrizeTable{}; }
    std::string Text() const;
    // "直选,组三,组六" in whole 元 (a Chinese comma or spaces may separate them); nothing,
    // with `error` saying why in Chinese, for anything else.
    static std::optional<PrizeTable> Parse(const std::string& text, std::string& error);
    bool operator==(const PrizeTable&) const = default;
};

} // namespace tarvex
