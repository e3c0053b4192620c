#pragma once

#include "engine/Backtest.h"

#include <vector>

namespace tarvex {

class JsonWriter;

// The members both backtests' JSON share: the condition rows and the spans, every figure
// beside what chance alone gives, numbers unrounded.
class CliChanceJson {
public:
    // "conditions": [{"label", "rejected", "expectedRejected"}, …]
    static void Conditions(JsonWriter& json, const std::vector<BacktestCondition>& conditions);
    // "spans": [{"newest": 30 (null for the whole window), "draws", "wonAfterKill",
    //  "wonAfterTolerance", "countPlayed", "toleranceCountPlayed", "chanceWins",
    //  "chanceWinsAfterTolerance", "conditions"}, …]
    static void Spans(JsonWriter& json, const std::vector<BacktestSpan>& spans);
    // The wins, counts played and chance wins of one span, as members of an open object.
    static void Figures(JsonWriter& json, const BacktestSpan& span);
};

} // namespace tarvex
