#pragma once

#include "history/Play.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex {

// One line of a betting slip, as a player writes it.
struct Ticket {
    enum class Kind {
        Direct,       // 直选复式 (单式 when each position has one digit): every product
        Group3Single, // 组选单式 of 组三: the one bet `number`
        Group3Pack,   // 组三包号: all n(n−1) 组三 bets of n ≥ 2 digits
        Group6Pack,   // 组六包号: all C(n,3) 组六 bets of n ≥ 3 digits (单式 when n is 3)
    };

    Kind kind = Kind::Direct;
    std::array<std::uint16_t, 3> positions{}; // Direct: the digits allowed at 百 十 个, bit d
    std::uint16_t digits = 0;                 // packs: bit d for each digit
    int number = 0;                           // Group3Single: the bet's key, as 112

    static Ticket DirectOf(std::uint16_t hundreds, std::uint16_t tens, std::uint16_t units) {
        return {Kind::Direct, {hundreds, tens, units}, 0, 0};
    }
    static Ticket Pack(Play play, std::uint16_t digits) {
        return {play == Play::Group3 ? Kind::Group3Pack : Kind::Group6Pack, {}, digits, 0};
    }
    static Ticket Group3Bet(int key) { return {Kind::Group3Single, {}, 0, key}; }

    Play GetPlay() const;
    int Bets() const;
    bool Single() const { return Bets() == 1; }
    // 直选复式 直选单式 组三包号 组六包号 组选单式
    std::string Name() const;
    // The digits as the command line's JSON gives them: three texts for 直选, one for 组选.
    std::vector<std::string> Digits() const;
    // One line of the slip: "直选复式 百 0123 十 45 个 6789（24注）".
    std::string Line() const;
    static std::string DigitText(std::uint16_t mask);
    bool operator==(const Ticket&) const = default;
};

} // namespace tarvex
