#include "predicates/MatchFilter.h"

#include "predicates/HitCount.h"

namespace tarvex {

MatchFilter::MatchFilter(const std::vector<MatchRow>& rows) {
    rows_.reserve(rows.size());
    for (const MatchRow& row : rows) {
        rows_.push_back({DigitsIn(row.numbers), DigitsIn(row.counts)});
    }
}

bool MatchFilter::Passes(int number) const {
    for (const Row& row : rows_) {
        if ((row.counts >> HitCount(number, row.numbers) & 1) == 0) {
            return false;
        }
    }
    return true;
}

bool MatchFilterTest(int number, const std::vector<MatchRow>& rows) {
    return MatchFilter(rows).Passes(number);
}

bool DanCountTest(int number, std::uint16_t danDigits, int mode) {
    if (mode == 2) {
        return HitCount(number, danDigits) >= 2;
    }
    if (mode == 3) {
        return HitCount(number, danDigits) == 3;
    }
    return true;
}

bool DanCountTest(int number, std::string_view danDigits, int mode) {
    return DanCountTest(number, DigitsIn(danDigits), mode);
}

} // namespace tarvex
