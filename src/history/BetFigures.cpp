#include "history/BetFigures.h"

namespace tarvex {

// Each bet wins on as many draws as it has orderings, and a draw pays every bet it wins, so
// the sum over the draws is a sum over the bets.
BetFigures BetFigures::Of(const BetPlan& plan, const PrizeTable& prizes, int multiple) {
    BetFigures figures;
    figures.bets = plan.Bets();
    figures.multiple = multiple;
    figures.cost = static_cast<long long>(figures.bets) * PlayRules::kBetPrice * multiple;
    figures.covered = static_cast<int>(plan.Covered().count());
    const auto won = [&prizes](std::size_t bets, Play play) {
        return static_cast<long long>(bets) * PlayRules::Orderings(play) * prizes.Of(play);
    };
    const long long sum = won(plan.direct.count(), Play::Direct) +
                          won(plan.group3.count(), Play::Group3) +
                          won(plan.group6.count(), Play::Group6);
    figures.expectedPrize = sum * multiple;
    return figures;
}

std::string BetFigures::Yuan(long long li) {
    const bool negative = li < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(li) : static_cast<unsigned long long>(li);
    std::string text = std::to_string(magnitude / 1000);
    if (const unsigned long long fraction = magnitude % 1000; fraction != 0) {
        std::string decimals = std::to_string(1000 + fraction).substr(1);
        while (decimals.back() == '0') {
            decimals.pop_back();
        }
        text += "." + decimals;
    }
    return negative ? "-" + text : text;
}

std::string BetFigures::Percent(long long numerator, long long denominator) {
    if (denominator <= 0) {
        return "-";
    }
    const bool negative = numerator < 0;
    const long long magnitude = negative ? -numerator : numerator;
    // tenths of a percent, rounded half up
    const long long tenths = (magnitude * 2000 / denominator + 1) / 2;
    return (negative ? "-" : "") + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) +
           "%";
}

} // namespace tarvex
