#pragma once

#include "engine/Backtest.h"

#include <string>

namespace tarvex {

// A backtest as a plain text table (UTF-8, "\n" line ends), columns padded for a
// fixed-width font where a Chinese character takes two places.
class BacktestText {
public:
    static std::string Table(const BacktestResult& result, int level);
    // "和尾 跨度": the labels without their padding spaces.
    static std::string Reasons(const std::vector<std::string>& labels);
    static std::string Trimmed(const std::string& label);
    static std::string Summary(const BacktestResult& result, int level);
    // The text followed by blanks up to `width` places (at least one blank).
    static std::string Pad(const std::string& text, int width);
    // Places the text takes in a fixed-width font: two for a CJK character.
    static int DisplayWidth(const std::string& text);
};

} // namespace tarvex
