#pragma once

#include <cstddef>
#include <vector>

namespace tarvex {

// Runs of draws without each item, counted in one pass: only the hits are reported, in draw
// order, and the runs between them follow from where the hits fell.
class OmissionTally {
public:
    explicit OmissionTally(std::size_t items) : items_(items) {}

    // Item `item` holds in draw `draw` (0-based within the window, never decreasing).
    void Hit(std::size_t item, int draw) {
        Item& it = items_[item];
        const int run = draw - it.lastHit - 1;
        if (run > it.longestRun) {
            it.longestRun = run;
        }
        it.lastHit = draw;
        ++it.hits;
    }

    // The figures once `draws` draws have been seen.
    int Hits(std::size_t item) const { return items_[item].hits; }
    int Current(std::size_t item, int draws) const { return draws - 1 - items_[item].lastHit; }
    int LongestBefore(std::size_t item) const { return items_[item].longestRun; }
    int Longest(std::size_t item, int draws) const;
    double Average(std::size_t item, int draws) const;

private:
    struct Item {
        int hits = 0;
        int lastHit = -1; // as if a hit stood just before the window
        int longestRun = 0;
    };
    std::vector<Item> items_;
};

} // namespace tarvex
