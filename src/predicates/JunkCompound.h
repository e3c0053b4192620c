#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvex {

// A junk compound as the digit masks (bit d = digit d) of its first three groups.
struct JunkCompound {
    std::array<std::uint16_t, 3> groups{};
    bool Covers(int number) const;
};

// The compounds of a junk text that can cover anything: tab, line feed and blank
// end a compound, carriage return is dropped, '*', '+', '-' separate groups, digits
// are kept and everything else is ignored. Groups are split like sscanf("%s %s %s")
// (runs of separators count as one); a compound with fewer than three groups covers
// nothing and is left out. Lengths are unlimited.
std::vector<JunkCompound> ParseJunkCompounds(std::string_view text);

// Passes when no compound of the text covers the number.
bool JunkCompoundTest(int number, std::string_view text);

} // namespace tarvex
