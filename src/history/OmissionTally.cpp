#include "history/OmissionTally.h"

#include <algorithm>

namespace tarvex {

int OmissionTally::Longest(std::size_t item, int draws) const {
    return std::max(items_[item].longestRun, Current(item, draws));
}

double OmissionTally::Average(std::size_t item, int draws) const {
    // hits + 1 runs (some of them empty) share the draws without the item.
    const int hits = items_[item].hits;
    return static_cast<double>(draws - hits) / static_cast<double>(hits + 1);
}

} // namespace tarvex
