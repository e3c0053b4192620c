#include "history/ItemTable.h"

#include "history/AnalysisItems.h"

namespace tarvex {

namespace {

const std::vector<NumberFacts>& Facts() {
    static const std::vector<NumberFacts> facts = [] {
        std::vector<NumberFacts> all;
        all.reserve(1000);
        for (int number = 0; number < 1000; ++number) {
            all.emplace_back(number);
        }
        return all;
    }();
    return facts;
}

} // namespace

ItemTable::ItemTable(AnalysisKind kind) {
    const std::vector<AnalysisItem>& items = AnalysisItems::Of(kind);
    numbers_.assign(items.size(), 0);
    for (int number = 0; number < 1000; ++number) {
        offsets_[static_cast<std::size_t>(number)] = static_cast<std::uint32_t>(holding_.size());
        const NumberFacts& facts = Facts()[static_cast<std::size_t>(number)];
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (AnalysisItems::Holds(items[i].condition, facts)) {
                holding_.push_back(static_cast<std::uint8_t>(i));
                ++numbers_[i];
            }
        }
    }
    offsets_[1000] = static_cast<std::uint32_t>(holding_.size());
}

std::span<const std::uint8_t> ItemTable::HoldingAt(int number) const {
    const auto n = static_cast<std::size_t>(number);
    return {holding_.data() + offsets_[n], offsets_[n + 1] - offsets_[n]};
}

const ItemTable& ItemTable::Of(AnalysisKind kind) {
    static const std::array<ItemTable, kAnalysisKinds.size()> all{
        ItemTable(kAnalysisKinds[0]), ItemTable(kAnalysisKinds[1]), ItemTable(kAnalysisKinds[2]),
        ItemTable(kAnalysisKinds[3]), ItemTable(kAnalysisKinds[4]), ItemTable(kAnalysisKinds[5]),
        ItemTable(kAnalysisKinds[6]), ItemTable(kAnalysisKinds[7]), ItemTable(kAnalysisKinds[8]),
        ItemTable(kAnalysisKinds[9]),
    };
    return all[static_cast<std::size_t>(kind)];
}

} // namespace tarvex
