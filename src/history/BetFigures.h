#pragma once

#include "history/BetPlan.h"
#include "history/PrizeTable.h"

#include <string>

namespace tarvex {

// What a purchase costs and what it returns on average, exactly: money in whole 元 or in 厘
// (1/1000 元), since the expected prize is a sum over the 1,000 equally likely draws.
struct BetFigures {
    int bets = 0;
    int multiple = 1;
    long long cost = 0;          // 元: bets × 2 × 倍数
    int covered = 0;             // draws out of 1,000 on which something wins
    long long expectedPrize = 0; // 厘: Σ over the 1,000 draws of the prize won, over 1000

    static BetFigures Of(const BetPlan& plan, const PrizeTable& prizes, int multiple);

    double WinChance() const { return covered / 1000.0; }
    // expected prize / cost; 0 for no bets
    double ExpectedReturn() const {
        return cost == 0 ? 0.0 : static_cast<double>(expectedPrize) / (cost * 1000.0);
    }
    long long ExpectedLoss() const { return cost * 1000 - expectedPrize; } // 厘

    // 厘 as 元 with as many decimals as it needs: 520, 519.5, -0.346.
    static std::string Yuan(long long li);
    // A ratio as a percentage with one decimal, rounded half up: "52.0%".
    static std::string Percent(long long numerator, long long denominator);
    std::string ReturnText() const { return Percent(expectedPrize, cost * 1000); }
    std::string ChanceText() const { return Percent(covered, 1000); }
};

} // namespace tarvex
