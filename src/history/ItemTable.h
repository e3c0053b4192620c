#pragma once

#include "history/Analysis.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tarvex {

// For one analysis, which of its items each number 000–999 holds, worked out once, so that a
// pass over the draws only touches the items a draw actually has.
class ItemTable {
public:
    static const ItemTable& Of(AnalysisKind kind);

    std::span<const std::uint8_t> HoldingAt(int number) const;
    // How many of the 1,000 numbers the item holds for: p = NumbersHolding / 1000.
    int NumbersHolding(std::size_t item) const { return numbers_[item]; }
    std::size_t ItemCount() const { return numbers_.size(); }

private:
    explicit ItemTable(AnalysisKind kind);

    std::array<std::uint32_t, 1001> offsets_{}; // into holding_, per number, plus the end
    std::vector<std::uint8_t> holding_;
    std::vector<int> numbers_;
};

} // namespace tarvex
