#include "history/PoissonBinomial.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>

namespace tarvex {

namespace {

// The binomial distribution of n trials of chance p, each term from its logarithm so that
// no factorial overflows; a chance of 0 or 1 puts all the mass on one count.
std::vector<double> Binomial(int n, double p) {
    std::vector<double> pmf(static_cast<std::size_t>(n) + 1, 0.0);
    if (p <= 0.0 || p >= 1.0) {
        pmf[p <= 0.0 ? 0 : static_cast<std::size_t>(n)] = 1.0;
        return pmf;
    }
    const double logP = std::log(p);
    const double logQ = std::log1p(-p);
    const double logAll = std::lgamma(n + 1.0);
    for (int k = 0; k <= n; ++k) {
        pmf[static_cast<std::size_t>(k)] = std::exp(
            logAll - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0) + k * logP + (n - k) * logQ);
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
