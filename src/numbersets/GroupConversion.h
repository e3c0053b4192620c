#pragma once

#include <string>
#include <vector>

namespace tarvex {

// What 转成组选 leaves behind: one representative per digit combination.
struct GroupConversion {
    std::vector<std::string> numbers; // first-seen representatives, in list order
    std::string resultText;           // "%s\t" each, "\n" after every fifth
    std::string fileText;             // tarvex.txt: "%s\n" each
    std::string countText;            // "组选号码剩%d注"
};

// items: the result list in its order. An entry is dropped when any arrangement of its first,
// middle and last character equals a representative already taken.
GroupConversion ConvertToGroup(const std::vector<std::string>& items);

} // namespace tarvex
