#include "history/HolmCorrection.h"

#include <algorithm>
#include <numeric>

namespace tarvex {

std::vector<double> HolmCorrection::Adjust(const std::vector<double>& p) {
    std::vector<std::size_t> order(p.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&p](std::size_t a, std::size_t b) { return p[a] < p[b]; });
    std::vector<double> adjusted(p.size());
    double running = 0;
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        const double scaled = static_cast<double>(p.size() - rank) * p[order[rank]];
        // Monotone: a larger raw p never gets a smaller corrected one.
        running = std::max(running, std::min(1.0, scaled));
        adjusted[order[rank]] = running;
    }
    return adjusted;
}

} // namespace tarvex
