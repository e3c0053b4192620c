#pragma once

#include <array>

namespace tarvex {

// Everything the analysis items ask of a number, worked out once per number so that testing
// two hundred items against it is a comparison each.
struct NumberFacts {
    std::array<int, 3> digits{}; // 百, 十, 个
    std::array<int, 10> occurrences{};
    int sum = 0;
    int span = 0;
    int route = 0;          // Route012Code
    int oddEven = 0;        // OddEvenCode
    int bigSmall = 0;       // BigSmallCode
    int primeComposite = 0; // PrimeCompositeCode
    int shape = 0;
    int consecutive = 0;
    int ac = 0;
    int odd = 0; // odd digits
    int big = 0; // digits 5–9

    explicit NumberFacts(int number);
};

} // namespace tarvex
