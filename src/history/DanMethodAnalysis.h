#pragma once

#include "history/Analysis.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// 云杉分析: how often the three 算胆 methods, fed with the previous draw, named a digit of the
// next one.
class DanMethodAnalysis {
public:
    // Rows for the draws from `start` on; a draw counts only when a draw precedes it in
    // `history` (the one before the window may serve).
    static std::vector<DanMethodRow> Run(const std::vector<HistoricDraw>& history,
                                         std::size_t start);

    // What would be typed as 上期开奖号: the previous number as an integer for methods 1
    // and 2 ("7" for 007); for method 3 the last digit of this draw's 期号 followed by the
    // previous number as "%03d". Empty when the 期号 does not end in a digit.
    static std::string Input(int method, const std::string& issue, int previous);
    // The distinct digits 算胆 leaves in its edit, as a bit per digit (bit d for digit d);
    // nothing when there is no input or 算胆 refuses it.
    static std::optional<unsigned> Digits(int method, const std::string& issue, int previous);
    // The share of the 1,000 numbers that hold at least one of k given digits.
    static double Chance(int k);

private:
    struct Tally;
    static void Count(Tally& tally, std::optional<unsigned> digits, int number);
};

} // namespace tarvex
