#include "predicates/MatchFilter.h"

#include "predicates/HitCount.h"

namespace tarvex {

bool MatchFilterTest(int number, const std::vector<MatchRow>& rows) {
    for (const MatchRow& row : rows) {
        const char k = static_cast<char>('0' + HitCount(number, row.numbers));
        if (row.counts.find(k) == std::string::npos) {
            return false;
        }
    }
    return true;
}

bool DanCountTest(int number, std::string_view danDigits, int mode) {
    if (mode == 2) {
        return HitCount(number, danDigits) >= 2;
    }
    if (mode == 3) {
        return HitCount(number, danDigits) == 3;
    }
    return true;
}

} // namespace tarvex
