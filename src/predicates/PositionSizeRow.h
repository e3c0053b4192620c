#pragma once

#include <string>

namespace tarvex {

// One row of the 位置大小匹配 list: "百", "大于", "十".
struct PositionSizeRow {
    std::string left;
    std::string comparison;
    std::string right;
    bool operator==(const PositionSizeRow&) const = default;
};

} // namespace tarvex
