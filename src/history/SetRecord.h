#pragma once

#include "engine/HistoricDraw.h"
#include "engine/NumberSet.h"
#include "engine/Settings.h"
#include "history/ExactRate.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

// How a number set (大底) has fared draw by draw: 中 when the winning number is in the set
// the player held for that draw.
struct SetRecord {
    std::string message;             // why there is no record (a rule that does not compile)
    std::vector<std::string> issues; // the draws' 期号, oldest first
    std::vector<bool> scan;          // 中 per draw, oldest first
    int hits = 0;
    long long sizeSum = 0; // Σ the set's size over the draws
    int currentMiss = 0;   // misses since the newest hit (遗漏)
    int maxMiss = 0;       // the longest run of misses
    bool completed() const { return message.empty(); }
    int Draws() const { return static_cast<int>(scan.size()); }
    ExactRate HitShare() const { return {hits, Draws()}; }
    // What chance alone gives: the set's mean size / 1000, exactly size / 1000 for a fixed set.
    ExactRate ChanceShare() const { return {sizeSum, 1000LL * Draws()}; }
    // 0 with no draw; otherwise the nearest double of the fraction (334/1000 is 0.334).
    double HitRate() const { return scan.empty() ? 0.0 : HitShare().Value(); }
    double Chance() const { return scan.empty() ? 0.0 : ChanceShare().Value(); }
    // Hits numbers chosen at random with the same sizes would give: Σ size / 1000.
    double ChanceHits() const { return static_cast<double>(sizeSum) / 1000.0; }
};

// A fixed set over the newest `last` draws of `history` (0 takes all; oldest first).
SetRecord RecordSet(const NumberSet& numbers, const std::vector<HistoricDraw>& history,
                    std::size_t last);

// A scheme's record: its survivors (after 容错 at its level when `tolerance`) are the set;
// a scheme with rules holds, for each draw, the set its rules give for that draw, and draws
// before the rules have a value are left out, as the backtest does. A draw whose kill run
// stops on a validation message held no number.
SetRecord RecordScheme(const Settings& scheme, bool tolerance,
                       const std::vector<HistoricDraw>& history, std::size_t last);

} // namespace tarvex
