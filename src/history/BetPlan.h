#pragma once

#include "engine/NumberSet.h"
#include "history/Play.h"
#include "history/PrizeTable.h"

#include <optional>
#include <string>

namespace tarvex {

// The ways of playing a set of numbers: 直选 one 直选 bet per number; 组选 one 组三 or 组六 bet
// per digit combination with a number in the set (豹子 left out); 混合 组选 for each
// combination whose every ordering is in the set, 直选 for the rest.
enum class PlayWay { Direct, Group, Mixed };

// A purchase as bets, each held once: 直选 bets by their number, 组选 bets by their key
// (the digits in ascending order, 211 → 112).
struct BetPlan {
    NumberSet direct;
    NumberSet group3;
    NumberSet group6;
    int leftOut = 0; // 豹子 of the set that 组选 cannot play

    static BetPlan Of(const NumberSet& set, PlayWay way);
    static const char* WayName(PlayWay way); // 直选 组选 混合
    static std::optional<PlayWay> WayNamed(const std::string& name);

    int Bets() const { return static_cast<int>(direct.count() + group3.count() + group6.count()); }
    // The draws on which some bet wins.
    NumberSet Covered() const;
    // What the bets win on `draw`, in 元, at the prizes and 倍数 given.
    long long PrizeWon(int draw, const PrizeTable& prizes, int multiple) const;
    bool operator==(const BetPlan&) const = default;
};

} // namespace tarvex
