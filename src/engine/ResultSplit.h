#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

// How a result breaks down by shape, and what playing it costs: every number is one direct bet
// of 2 元. Items that are not three digits (a hand-edited list, a base-set text's odd lines) are
// counted apart so the shape counts never claim more than was read.
struct ResultSplit {
    static constexpr long long kYuanPerBet = 2;

    int leopards = 0; // 豹子
    int pairs = 0;    // 组三
    int sixes = 0;    // 组六
    int other = 0;    // items that are no number 000–999

    int Numbers() const { return leopards + pairs + sixes; }
    long long CostYuan() const { return kYuanPerBet * Numbers(); }
    bool operator==(const ResultSplit&) const = default;
};

ResultSplit SplitNumbers(const std::vector<int>& numbers);
// Result list items as the window holds them: an item counts when it is exactly three digits.
ResultSplit SplitItems(const std::vector<std::string>& items);
// The numbers a base-set text holds, as 大底 reads them (every distinct three-digit window).
ResultSplit SplitBaseText(std::string_view text);

// "豹子N 组三N 组六N 共N注 N元", with "其他N" before the total when some items were no number.
std::string ResultSplitText(const ResultSplit& split);

} // namespace tarvex
