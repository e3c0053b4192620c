#pragma once

#include <bitset>
#include <string>
#include <vector>

namespace tarvex {

// The 1,000 numbers 000–999, one bit each.
using NumberBits = std::bitset<1000>;

// One kept prediction as the checker needs it: what was played for which draw, and when.
struct Prediction {
    std::string lottery;      // "3D" or "排列3"
    std::string issue;        // the target 期号
    std::string held;         // the newest 期号 the history held when written; empty if unknown
    long long writtenUtc = 0; // when written, seconds since 1970-01-01 UTC
    std::string schemeId;     // the same conditions give the same id
    NumberBits survivors;     // the kill run's survivors
    int count = 0;            // how many survived: what playing the prediction costs
    int toleranceLevel = 0;   // the 容错 level shown (1–17); 0 when no tolerance run followed
    NumberBits tolerance;     // the list after the tolerance run
    int toleranceCount = 0;
    bool edited = false; // the content no longer matches its checksum
};

// Predictions kept elsewhere (in the record's entries), looked at without copying them: a
// record of 100,000 entries would otherwise be copied whole once more.
using PredictionRefs = std::vector<const Prediction*>;
PredictionRefs RefsOf(const std::vector<Prediction>& predictions);

// What the draw made of a prediction.
struct PredictionOutcome {
    bool checked = false; // the history holds the target 期号
    int winning = -1;     // the winning number once checked
    bool hit = false;     // the winning number is among the survivors
    bool toleranceHit = false;
    // Written once the target draw was known (after its draw time, or with the target
    // already in the history): never counted as a prediction. Known before the draw is
    // checked when the target was already held at writing.
    bool late = false;
    // Counted in the live figures: checked, not late and not edited.
    bool Counts(const Prediction& p) const { return checked && !late && !p.edited; }
};

} // namespace tarvex
