#pragma once

#include <optional>
#include <string>

namespace tarvex {

// 期号 arithmetic. 3D numbers its draws YYYYNNN; 排列3 is kept as YYNNN in the shipped file and
// as YYYYNNN by some sources, so a 期号 is compared as (year, number within the year).
class IssueNumber {
public:
    struct Parts {
        int year = 0;  // 2026
        int index = 0; // 1-based number within the year
        bool operator==(const Parts&) const = default;
        auto operator<=>(const Parts&) const = default;
    };

    // The year and the number within it, from five (YYNNN) or seven (YYYYNNN) digits.
    static std::optional<Parts> Split(const std::string& issue);
    // 26258 and 2026258 are the same draw; other forms compare as written.
    static bool Same(const std::string& a, const std::string& b);
    // `parts` written with `digits` digits (5 or 7), as the player's file writes them.
    static std::string Make(const Parts& parts, std::size_t digits);
    // The 期号 after the newest: the next in the same year, or the year's first (NNN = 001)
    // when the draw being added is dated in a later year than the newest draw. Dates are
    // "YYYY-MM-DD"; an empty date never starts a new year. Empty when `newest` has no year.
    static std::string Next(const std::string& newest, const std::string& newestDate,
                            const std::string& addedDate);
};

} // namespace tarvex
