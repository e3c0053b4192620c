#pragma once

#include "io/PlayerHistory.h"

#include <QDate>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace tarvex {

// The figures `history check` reports about the player's history file.
struct PlayerHistoryCheck {
    struct Gap {
        std::string after;  // the 期号 before the missing ones
        std::string before; // the 期号 after them
        int missing = 0;
    };
    struct Repeat {
        std::string issue;
        std::vector<int> lines;   // 1-based
        bool conflicting = false; // the lines give different numbers
    };

    int draws = 0;      // lines read as a draw
    int unreadable = 0; // other lines with three or more digits
    std::string firstIssue, firstDate, lastIssue, lastDate;
    std::vector<Gap> gaps; // within a year, between neighbouring 期号 in 期号 order
    std::vector<Repeat> repeats;
    std::optional<int> daysSince; // from the newest draw's date to today
    bool stale = false;

    static PlayerHistoryCheck Of(const PlayerHistoryFile& file, const QDate& today);
    int Conflicts() const;
};

} // namespace tarvex
