#include "engine/ResultSplit.h"

#include "engine/RunText.h"
#include "engine/TextScan.h"
#include "predicates/Classifiers.h"

namespace tarvex {

namespace {

void Count(ResultSplit& split, int number) {
    switch (ShapeCode(number)) {
    case 0:
        ++split.leopards;
        break;
    case 1:
        ++split.pairs;
        break;
    default:
        ++split.sixes;
        break;
    }
}

} // namespace

ResultSplit SplitNumbers(const std::vector<int>& numbers) {
    ResultSplit split;
    for (int n : numbers) {
        if (n >= 0 && n <= 999) {
            Count(split, n);
        } else {
            ++split.other;
        }
    }
    return split;
}

ResultSplit SplitItems(const std::vector<std::string>& items) {
    ResultSplit split;
    for (const std::string& item : items) {
        if (const std::optional<int> n = CandidateNumber(item)) {
            Count(split, *n);
        } else {
            ++split.other;
        }
    }
    return split;
}

ResultSplit SplitBaseText(std::string_view text) {
    const NumberSet listed = DigitWindows(text);
    ResultSplit split;
    for (int n = 0; n < 1000; ++n) {
        if (listed.test(static_cast<std::size_t>(n))) {
            Count(split, n);
        }
    }
    return split;
}

std::string ResultSplitText(const ResultSplit& split) {
    std::string text = "豹子" + std::to_string(split.leopards) + " 组三" +
                       std::to_string(split.pairs) + " 组六" + std::to_string(split.sixes);
    if (split.other > 0) {
        text += " 其他" + std::to_string(split.other);
    }
    text +=
        " 共" + std::to_string(split.Numbers()) + "注 " + std::to_string(split.CostYuan()) + "元";
    return text;
}

} // namespace tarvex
