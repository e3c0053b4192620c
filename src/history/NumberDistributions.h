#pragma once

#include <array>
#include <string>

namespace tarvex {

// What fair draws give each figure of a number: the exact chances, found by counting the
// 1,000 numbers 000–999 (and, for digits shared by two numbers, the million pairs).
class NumberDistributions {
public:
    static constexpr int kCombinations = 220; // digit multisets, 组选 forms

    enum Shape { kLeopard = 0, kPair = 1, kSix = 2 }; // 豹子, 组三, 组六

    static int Sum(int number);
    static int Span(int number);
    static Shape ShapeOf(int number);
    // 0..219, in the order of the sorted digits ("000", "001", … "999")
    static int Combination(int number);
    static std::string CombinationLabel(int combination);
    // Digits two numbers have in common, counted with repeats: 112 and 121 share three,
    // 112 and 123 two.
    static int Shared(int a, int b);

    static const std::array<double, 28>& SumChances();
    static const std::array<double, 10>& SpanChances();
    static const std::array<double, 3>& ShapeChances();
    static const std::array<double, kCombinations>& CombinationChances();
    static const std::array<double, 4>& SharedChances();

private:
    struct Tables;
    static const Tables& Get();
};

} // namespace tarvex
