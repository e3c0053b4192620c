#pragma once

#include <string>

namespace tarvex {

// One row of the 匹配过滤 list: 号码 and 出数.
struct MatchRow {
    std::string numbers;
    std::string counts;
    bool operator==(const MatchRow&) const = default;
};

} // namespace tarvex
