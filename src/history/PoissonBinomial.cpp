#include "history/PoissonBinomial.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>

namespace tarvex {

namespace {

// The binomial distribution of n trials of chance p: its largest term from logarithms (no
// factorial overflows), the others by the ratio of neighbouring terms, walking outward so
// every step shrinks; a chance of 0 or 1 puts all the mass on one count.
std::vector<double> Binomial(int n, double p) {
    std::vector<double> pmf(static_cast<std::size_t>(n) + 1, 0.0);
    if (p <= 0.0 || p >= 1.0) {
        pmf[p <= 0.0 ? 0 : static_cast<std::size_t>(n)] = 1.0;
        return pmf;
    }
    const double q = 1.0 - p;
    const int mode = std::clamp(static_cast<int>((n + 1) * p), 0, n);
    pmf[static_cast<std::size_t>(mode)] =
        std::exp(std::lgamma(n + 1.0) - std::lgamma(mode + 1.0) - std::lgamma(n - mode + 1.0) +
                 mode * std::log(p) + (n - mode) * std::log1p(-p));
    for (int k = mode + 1; k <= n; ++k) {
        const auto at = static_cast<std::size_t>(k);
        pmf[at] = pmf[at - 1] * (n - k + 1) / k * p / q;
    }
    for (int k = mode - 1; k >= 0; --k) {
        const auto at = static_cast<std::size_t>(k);
        pmf[at] = pmf[at + 1] * (k + 1) / (n - k) * q / p;
    }
    return pmf;
}

std::vector<double> Convolve(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> sum(a.size() + b.size() - 1, 0.0);
    for (std::size_t j = 0; j < b.size(); ++j) {
        const double weight = b[j];
        double* out = &sum[j];
        for (std::size_t i = 0; i < a.size(); ++i) {
            out[i] += a[i] * weight;
        }
    }
    return sum;
}

} // namespace

double PoissonBinomial::UpperTail(const std::vector<double>& chances, int atLeast) {
    const auto n = static_cast<int>(chances.size());
    if (atLeast <= 0) {
        return 1.0;
    }
    if (atLeast > n) {
        return 0.0;
    }
    // Trials of one chance add up to a binomial count, so the distribution is the
    // convolution of one binomial per distinct chance: few when the chances come from a
    // formula's ten values.
    std::map<double, int> groups;
    for (const double p : chances) {
        ++groups[std::clamp(p, 0.0, 1.0)];
    }
    std::vector<double> pmf{1.0};
    for (const auto& [p, trials] : groups) {
        pmf = Convolve(pmf, Binomial(trials, p));
    }
    double tail = 0.0;
    for (int k = n; k >= atLeast; --k) { // smallest terms first
        tail += pmf[static_cast<std::size_t>(k)];
    }
    return std::min(tail, 1.0);
}

} // namespace tarvex
