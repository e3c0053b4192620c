#pragma once

#include <optional>
#include <string>

namespace tarvex {

// The three plays of 3D and 排列3, each 2 元 a bet (注) times the 倍数.
enum class Play { Direct, Group3, Group6 };

// What makes a bet of each play win, on the numbers 000..999.
class PlayRules {
public:
    static constexpr int kBetPrice = 2; // 元 a bet at 倍数 1
    static constexpr int kMaxMultiple = 99;

    static const char* Name(Play play); // 直选 组三 组六
    // The number's digits in ascending order as a number: the key of its 组选 bet (211 → 112).
    static int GroupKey(int number);
    // 组三 for exactly two equal digits, 组六 for three different ones; nothing for a 豹子.
    static std::optional<Play> GroupPlay(int number);
    // How many draws one bet of the play wins on: 1, 3 or 6.
    static int Orderings(Play play);
};

} // namespace tarvex
