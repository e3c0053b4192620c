#include "history/SequenceTests.h"

#include "history/ChiSquareTest.h"
#include "history/DrawDigits.h"
#include "history/NumberDistributions.h"
#include "history/RunsTest.h"

#include <cmath>
#include <string>

namespace tarvex {

namespace {

// Gaps longer than this share one class: fair draws leave a digit out 60 times running
// once in 550 gaps.
constexpr int kLongestGapClass = 60;

} // namespace

RandomnessTest SequenceTests::Transitions(const std::vector<int>& numbers, int position) {
    std::vector<std::vector<double>> table(10, std::vector<double>(10));
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        table[static_cast<std::size_t>(DrawDigits::At(numbers[i - 1], position))]
             [static_cast<std::size_t>(DrawDigits::At(numbers[i], position))] += 1;
    }
    return ChiSquareTest::Independence(std::string(DrawDigits::PositionName(position)) + "与上期" +
                                           DrawDigits::PositionName(position) + "无关",
                                       table, [](std::size_t before, std::size_t after) {
                                           return std::to_string(before) + "→" +
                                                  std::to_string(after);
                                       });
}

RandomnessTest SequenceTests::SharedWithPrevious(const std::vector<int>& numbers) {
    const std::array<double, 4>& chances = NumberDistributions::SharedChances();
    const double pairs = numbers.size() > 1 ? static_cast<double>(numbers.size() - 1) : 0;
    std::vector<ObservedClass> tally;
    for (std::size_t k = 0; k < chances.size(); ++k) {
        tally.push_back({std::to_string(k) + " 个", 0, pairs * chances[k]});
    }
    for (std::size_t i = 1; i < numbers.size(); ++i) {
        tally[static_cast<std::size_t>(NumberDistributions::Shared(numbers[i - 1], numbers[i]))]
            .observed += 1;
    }
    return ChiSquareTest::GoodnessOfFit("与上期相同的数字个数", tally);
}

// Knuth's gap test: the draws between two appearances of the digit, which fair draws make
// geometric, P(gap = g) = 0.9^g × 0.1.
RandomnessTest SequenceTests::Gaps(const std::vector<int>& numbers, int position, int digit) {
    std::vector<int> gaps;
    int last = -1;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (DrawDigits::At(numbers[i], position) == digit) {
            if (last >= 0) {
                gaps.push_back(static_cast<int>(i) - last - 1);
            }
            last = static_cast<int>(i);
        }
    }
    const auto count = static_cast<double>(gaps.size());
    // The classes 0 … top−1 and "top or more", the last one expecting at least 5 when it can.
    int top = 1;
    while (top < kLongestGapClass &&
           count * std::pow(0.9, top + 1) >= ChiSquareTest::kMinExpected) {
        ++top;
    }
    std::vector<ObservedClass> tally;
    for (int g = 0; g < top; ++g) {
        tally.push_back({std::to_string(g), 0, count * 0.1 * std::pow(0.9, g)});
    }
    tally.push_back({"≥" + std::to_string(top), 0, count * std::pow(0.9, top)});
    for (int gap : gaps) {
        tally[static_cast<std::size_t>(std::min(gap, top))].observed += 1;
    }
    return ChiSquareTest::GoodnessOfFit(std::string(DrawDigits::PositionName(position)) + "数字 " +
                                            std::to_string(digit) + " 的遗漏",
                                        tally);
}

void SequenceTests::Add(const std::vector<int>& numbers, std::vector<RandomnessTest>& into) {
    for (int pos = 0; pos < DrawDigits::kPositions; ++pos) {
        into.push_back(Transitions(numbers, pos));
    }
    into.push_back(SharedWithPrevious(numbers));
    for (int pos = 0; pos < DrawDigits::kPositions; ++pos) {
        std::vector<bool> big, odd;
        for (int number : numbers) {
            const int d = DrawDigits::At(number, pos);
            big.push_back(d >= 5);
            odd.push_back(d % 2 == 1);
        }
        const std::string name = DrawDigits::PositionName(pos);
        into.push_back(RunsTest::Run(name + "大小游程", big));
        into.push_back(RunsTest::Run(name + "奇偶游程", odd));
    }
    for (int pos = 0; pos < DrawDigits::kPositions; ++pos) {
        for (int digit = 0; digit < 10; ++digit) {
            into.push_back(Gaps(numbers, pos, digit));
        }
    }
}

} // namespace tarvex
