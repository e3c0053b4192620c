#include "history/NumberDistributions.h"

#include <algorithm>
#include <vector>

namespace tarvex {

namespace {

std::array<int, 3> Digits(int number) {
    return {number / 100, number / 10 % 10, number % 10};
}

std::array<int, 10> DigitCounts(int number) {
    std::array<int, 10> counts{};
    for (int d : Digits(number)) {
        ++counts[static_cast<std::size_t>(d)];
    }
    return counts;
}

int SortedKey(int number) {
    std::array<int, 3> d = Digits(number);
    std::sort(d.begin(), d.end());
    return d[0] * 100 + d[1] * 10 + d[2];
}

} // namespace

struct NumberDistributions::Tables {
    std::array<double, 28> sum{};
    std::array<double, 10> span{};
    std::array<double, 3> shape{};
    std::array<double, kCombinations> combination{};
    std::array<double, 4> shared{};
    std::array<int, 1000> combinationOf{};
    std::array<int, kCombinations> combinationKey{};

    template <std::size_t N> static void Divide(std::array<double, N>& counts) {
        for (double& c : counts) {
            c /= 1000;
        }
    }

    Tables() {
        std::vector<int> keys;
        for (int n = 0; n < 1000; ++n) {
            keys.push_back(SortedKey(n));
        }
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        std::copy(keys.begin(), keys.end(), combinationKey.begin());
        for (int n = 0; n < 1000; ++n) {
            const auto at = std::lower_bound(keys.begin(), keys.end(), SortedKey(n));
            combinationOf[static_cast<std::size_t>(n)] = static_cast<int>(at - keys.begin());
            sum[static_cast<std::size_t>(Sum(n))] += 1;
            span[static_cast<std::size_t>(Span(n))] += 1;
            shape[ShapeOf(n)] += 1;
            combination[static_cast<std::size_t>(combinationOf[static_cast<std::size_t>(n)])] += 1;
        }
        // Whole counts divided once, so each chance is the nearest double to count / 1000.
        Divide(sum);
        Divide(span);
        Divide(shape);
        Divide(combination);
        // Pairs of numbers counted through their digit multisets: 220² pairs, not 1000².
        for (std::size_t a = 0; a < kCombinations; ++a) {
            for (std::size_t b = 0; b < kCombinations; ++b) {
                const int s = Shared(combinationKey[a], combinationKey[b]);
                shared[static_cast<std::size_t>(s)] += combination[a] * combination[b];
            }
        }
    }
};

const NumberDistributions::Tables& NumberDistributions::Get() {
    static const Tables tables;
    return tables;
}

int NumberDistributions::Sum(int number) {
    const std::array<int, 3> d = Digits(number);
    return d[0] + d[1] + d[2];
}

int NumberDistributions::Span(int number) {
    const std::array<int, 3> d = Digits(number);
    return *std::max_element(d.begin(), d.end()) - *std::min_element(d.begin(), d.end());
}

NumberDistributions::Shape NumberDistributions::ShapeOf(int number) {
    const std::array<int, 3> d = Digits(number);
    if (d[0] == d[1] && d[1] == d[2]) {
        return kLeopard;
    }
    return d[0] == d[1] || d[1] == d[2] || d[0] == d[2] ? kPair : kSix;
}

int NumberDistributions::Combination(int number) {
    return Get().combinationOf[static_cast<std::size_t>(number)];
}

std::string NumberDistributions::CombinationLabel(int combination) {
    const int key = Get().combinationKey[static_cast<std::size_t>(combination)];
    return {static_cast<char>('0' + key / 100), static_cast<char>('0' + key / 10 % 10),
            static_cast<char>('0' + key % 10)};
}

int NumberDistributions::Shared(int a, int b) {
    const std::array<int, 10> ca = DigitCounts(a);
    const std::array<int, 10> cb = DigitCounts(b);
    int shared = 0;
    for (std::size_t d = 0; d < 10; ++d) {
        shared += std::min(ca[d], cb[d]);
    }
    return shared;
}

const std::array<double, 28>& NumberDistributions::SumChances() {
    return Get().sum;
}

const std::array<double, 10>& NumberDistributions::SpanChances() {
    return Get().span;
}

const std::array<double, 3>& NumberDistributions::ShapeChances() {
    return Get().shape;
}

const std::array<double, NumberDistributions::kCombinations>&
NumberDistributions::CombinationChances() {
    return Get().combination;
}

const std::array<double, 4>& NumberDistributions::SharedChances() {
    return Get().shared;
}

} // namespace tarvex
