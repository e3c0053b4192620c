#pragma once

#include <string>

namespace tarvex {

// One row of the 公式 page's formula list: "百", "加", "十", "等于", "9".
struct FormulaRow {
    std::string left;
    std::string op;
    std::string right;
    std::string comparison;
    std::string value;
    bool operator==(const FormulaRow&) const = default;
};

} // namespace tarvex
