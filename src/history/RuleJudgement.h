#pragma once

#include "engine/Rule.h"
#include "history/ExactRate.h"

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

    // right / tested, the mean of the per-draw chances of being right, and their
    // difference, as exact fractions (what is printed is rounded from these).
    ExactRate HitShare() const { return {right, tested}; }
    ExactRate ChanceShare() const { return {chanceCount, 1000LL * tested}; }
    ExactRate MarginShare() const { return {1000LL * right - chanceCount, 1000LL * tested}; }
    // The same as doubles; 0 with no tested draw.
    double HitRate() const { return tested == 0 ? 0.0 : HitShare().Value(); }
    double ChanceRate() const { return tested == 0 ? 0.0 : ChanceShare().Value(); }
    double Margin() const { return tested == 0 ? 0.0 : MarginShare().Value(); }
    // How far the hit rate strays from the chance rate by luck alone, each draw being right
    // with its own chance p: sqrt(Σ p (1 − p)) / tested.
    double StandardError() const;
    // The margin is within two standard errors of chance: the hit rate says nothing beyond
    // luck. A rule with no tested draw is within the noise.
    bool WithinNoise() const;
};

} // namespace tarvex
