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
    // The wins of the whole window beside what chance alone gives, one line.
    static std::string ChanceSummary(const BacktestSpan& whole);
    // One line per span: 期数, the wins after each run and what chance gives for them.
    static std::string SpanTable(const std::vector<BacktestSpan>& spans);
    // One row per condition: its rejected winners beside chance's over the whole window,
    // then over each newer span.
    static std::string ConditionTable(const std::vector<BacktestCondition>& whole,
                                      const std::vector<BacktestSpan>& spans);
    // The line without its trailing blanks, and "\n".
    static std::string TrimmedLine(std::string line);
    // "近30期：杀号后中 27 期（按机会 27.00），容错后中 30 期（按机会 29.10）；近100期：…",
    // the spans joined by `separator`.
    static std::string SpanLine(const std::vector<BacktestSpan>& spans,
                                const std::string& separator = "；");
    // "全部" for the whole window, else "近30期".
    static std::string SpanName(const BacktestSpan& span);
    // 1.2345 → "1.23".
    static std::string Decimal(double value);
    // The text followed by blanks up to `width` places (at least one blank).
    static std::string Pad(const std::string& text, int width);
    // Places the text takes in a fixed-width font: two for a CJK character.
    static int DisplayWidth(const std::string& text);
};

} // namespace tarvex
