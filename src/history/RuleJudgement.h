#pragma once

#include "engine/Rule.h"

namespace tarvex {

// How one rule fared over a window of draws, beside what chance alone would give.
struct RuleJudgement {
    Rule rule;
    int tested = 0; // draws of the window with the previous draws the formula needs
    int right = 0;
    // Per tested draw, k is how many of the 1,000 numbers would make that draw's value
    // right; the sums are kept whole so the rates are exact quotients.
    long long chanceCount = 0;  // Σ k
    long long chanceSpread = 0; // Σ k (1000 − k)
    int currentMiss = 0;        // wrong draws in a row at the end of the window
    int maxMiss = 0;            // the longest such run (最大连错)
    int next = kNoRuleValue;    // the value for the coming draw

    // right / tested; 0 with no tested draw, as are the three below.
    double HitRate() const { return tested == 0 ? 0.0 : static_cast<double>(right) / tested; }
    // The mean of the per-draw chances of being right.
    double ChanceRate() const {
        return tested == 0 ? 0.0 : static_cast<double>(chanceCount) / (1000.0 * tested);
    }
    double Margin() const { return HitRate() - ChanceRate(); }
    // How far the hit rate strays from the chance rate by luck alone, each draw being right
    // with its own chance p: sqrt(Σ p (1 − p)) / tested.
    double StandardError() const;
    // The margin is within two standard errors of chance: the hit rate says nothing beyond
    // luck. A rule with no tested draw is within the noise.
    bool WithinNoise() const;
};

} // namespace tarvex
