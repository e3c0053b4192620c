#include "history/PoissonBinomial.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>

namespace tarvex {

namespace {

// A distribution over counts [offset, offset + mass.size()): the counts outside have a
// chance that is exactly 0 in double precision, so leaving them out changes no sum. Their
// number grows only with the square root of the trials, which keeps the convolutions of a
// long check segment linear in its length rather than quadratic.
struct Span {
    std::size_t offset = 0;
    std::vector<double> mass;
};

void Trim(Span& span) {
    const auto nonzero = [](double x) { return x != 0.0; };
    const auto last = std::find_if(span.mass.rbegin(), span.mass.rend(), nonzero).base();
    span.mass.erase(last, span.mass.end());
    const auto first = std::find_if(span.mass.begin(), span.mass.end(), nonzero);
    span.offset += static_cast<std::size_t>(first - span.mass.begin());
    span.mass.erase(span.mass.begin(), first);
}

// The binomial distribution of n trials of chance p: its largest term from logarithms (no
// factorial overflows), the others by the ratio of neighbouring terms, walking outward so
// every step shrinks until it underflows to 0 (the rest would be 0 too); a chance of 0 or 1
// puts all the mass on one count.
Span Binomial(int n, double p) {
    if (p <= 0.0 || p >= 1.0) {
        return {p <= 0.0 ? 0 : static_cast<std::size_t>(n), {1.0}};
    }
    const double q = 1.0 - p;
    const int mode = std::clamp(static_cast<int>((n + 1) * p), 0, n);
    const double top =
        std::exp(std::lgamma(n + 1.0) - std::lgamma(mode + 1.0) - std::lgamma(n - mode + 1.0) +
                 mode * std::log(p) + (n - mode) * std::log1p(-p));
    std::vector<double> above; // mode + 1, mode + 2, ...
    for (int k = mode + 1; k <= n; ++k) {
        const double previous = above.empty() ? top : above.back();
        const double term = previous * (n - k + 1) / k * p / q;
        if (term == 0.0) {
            break;
        }
        above.push_back(term);
    }
    std::vector<double> below; // mode − 1, mode − 2, ...
    for (int k = mode - 1; k >= 0; --k) {
        const double previous = below.empty() ? top : below.back();
        const double term = previous * (k + 1) / (n - k) * q / p;
        if (term == 0.0) {
            break;
        }
        below.push_back(term);
    }
    Span span{static_cast<std::size_t>(mode) - below.size(), {}};
    span.mass.reserve(below.size() + 1 + above.size());
    span.mass.assign(below.rbegin(), below.rend());
    span.mass.push_back(top);
    span.mass.insert(span.mass.end(), above.begin(), above.end());
    return span;
}

// Each count's products are added in the same order as over the whole range; the terms
// left out were exact zeros.
Span Convolve(const Span& a, const Span& b) {
    Span sum{a.offset + b.offset, std::vector<double>(a.mass.size() + b.mass.size() - 1, 0.0)};
    for (std::size_t j = 0; j < b.mass.size(); ++j) {
        const double weight = b.mass[j];
        double* out = &sum.mass[j];
        for (std::size_t i = 0; i < a.mass.size(); ++i) {
            out[i] += a.mass[i] * weight;
        }
    }
    Trim(sum);
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
    Span pmf{0, {1.0}};
    for (const auto& [p, trials] : groups) {
        pmf = Convolve(pmf, Binomial(trials, p));
    }
    double tail = 0.0;
    const auto from = static_cast<std::size_t>(atLeast);
    for (std::size_t k = pmf.offset + pmf.mass.size(); k > std::max(from, pmf.offset); --k) {
        tail += pmf.mass[k - 1 - pmf.offset]; // smallest terms first
    }
    return std::min(tail, 1.0);
}

} // namespace tarvex
