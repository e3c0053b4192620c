#pragma once

#include <string>

namespace tarvex {

// One past draw: its 期号 as written in the history and its winning number 0..999, with the
// draw's date and its 试机号 when the line gives them.
struct HistoricDraw {
    std::string issue;
    int number = 0;
    std::string date{};  // "YYYY-MM-DD", or empty when the line gives no date
    std::string trial{}; // the three 试机号 digits ("123"), or empty when not given
    // The same draw: the same 期号 and number. A line that adds or leaves out the date or the
    // 试机号 does not make it another draw.
    bool operator==(const HistoricDraw& other) const {
        return issue == other.issue && number == other.number;
    }
};

} // namespace tarvex
