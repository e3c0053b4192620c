#pragma once

namespace tarvex {

// Tail probabilities from Boost.Math's distributions, never throwing: an argument outside a
// distribution's domain gives the value that makes no claim (1).
class PValues {
public:
    // P(χ²(df) ≥ x)
    static double ChiSquareUpper(double x, int df);
    // P(|Z| ≥ |z|) for a standard normal Z
    static double NormalTwoSided(double z);
    // P(X ≥ k) for X ~ Binomial(trials, chance)
    static double BinomialUpper(int trials, double chance, int k);
};

} // namespace tarvex
