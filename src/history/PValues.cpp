#include "history/PValues.h"

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// Errors become values: the caller checks its arguments, and a tail too small for a double
// is 0 rather than an exception.
using Quiet = boost::math::policies::policy<
    boost::math::policies::domain_error<boost::math::policies::ignore_error>,
    boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::underflow_error<boost::math::policies::ignore_error>,
    boost::math::policies::evaluation_error<boost::math::policies::ignore_error>,
    boost::math::policies::promote_double<false>>;

double Probability(double p) {
    return std::isfinite(p) ? std::clamp(p, 0.0, 1.0) : 1.0;
}

} // namespace

double PValues::ChiSquareUpper(double x, int df) {
    if (df < 1 || !(x > 0)) {
        return 1.0;
    }
    const boost::math::chi_squared_distribution<double, Quiet> chi(df);
    return Probability(boost::math::cdf(boost::math::complement(chi, x)));
}

double PValues::NormalTwoSided(double z) {
    if (!std::isfinite(z)) {
        return std::isnan(z) ? 1.0 : 0.0;
    }
    const boost::math::normal_distribution<double, Quiet> normal;
    return Probability(2 * boost::math::cdf(boost::math::complement(normal, std::fabs(z))));
}

double PValues::BinomialUpper(int trials, double chance, int k) {
    if (k <= 0 || trials <= 0) {
        return 1.0;
    }
    if (k > trials) {
        return 0.0;
    }
    const boost::math::binomial_distribution<double, Quiet> binomial(trials, chance);
    return Probability(boost::math::cdf(boost::math::complement(binomial, k - 1)));
}

} // namespace tarvex
