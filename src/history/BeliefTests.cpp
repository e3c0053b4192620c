#include "history/BeliefTests.h"

#include "history/ChiSquareTest.h"
#include "history/DrawDigits.h"
#include "history/NumberDistributions.h"
#include "history/PValues.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace tarvex {

namespace {

constexpr double kChance = 0.1;

// The first position of the largest value: ties go to the smallest digit.
template <typename T> int Largest(const std::array<T, 10>& values) {
    return static_cast<int>(std::max_element(values.begin(), values.end()) - values.begin());
}

} // namespace

RandomnessTest BeliefTests::Hits(std::string name, int trials, int hits) {
    RandomnessTest test;
    test.name = std::move(name);
    test.sample = trials;
    test.classes = {{"命中", static_cast<double>(hits), trials * kChance},
                    {"未中", static_cast<double>(trials - hits), trials * (1 - kChance)}};
    if (trials < 1) {
        test.note = "期数太少，未检验";
        return test;
    }
    test.statistic = hits;
    test.p = PValues::BinomialUpper(trials, kChance, hits);
    char note[96];
    std::snprintf(note, sizeof note, "%d 次中 %d 次（机会 %.1f 次）", trials, hits,
                  trials * kChance);
    test.note = note;
    return test;
}

RandomnessTest BeliefTests::Hot(const std::vector<int>& numbers, int window) {
    int trials = 0, hits = 0;
    for (int pos = 0; pos < DrawDigits::kPositions; ++pos) {
        std::array<int, 10> counts{};
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            const int digit = DrawDigits::At(numbers[i], pos);
            if (i >= static_cast<std::size_t>(window)) {
                ++trials;
                hits += digit == Largest(counts) ? 1 : 0;
                --counts[static_cast<std::size_t>(
                    DrawDigits::At(numbers[i - static_cast<std::size_t>(window)], pos))];
            }
            ++counts[static_cast<std::size_t>(digit)];
        }
    }
    return Hits("热号延续（前 " + std::to_string(window) + " 期最多的数字）", trials, hits);
}

RandomnessTest BeliefTests::Overdue(const std::vector<int>& numbers) {
    int trials = 0, hits = 0;
    for (int pos = 0; pos < DrawDigits::kPositions; ++pos) {
        // Draws since each digit last came; a digit not yet seen counts from the window's start.
        std::array<int, 10> absent{};
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            const int digit = DrawDigits::At(numbers[i], pos);
            if (i > 0) {
                ++trials;
                hits += digit == Largest(absent) ? 1 : 0;
            }
            for (int& a : absent) {
                ++a;
            }
            absent[static_cast<std::size_t>(digit)] = 0;
        }
    }
    return Hits("冷号回补（遗漏最久的数字）", trials, hits);
}

RandomnessTest BeliefTests::Trial(const std::vector<HistoricDraw>& draws) {
    const std::array<double, 4>& chances = NumberDistributions::SharedChances();
    std::vector<int> shared;
    for (const HistoricDraw& draw : draws) {
        const std::string& t = draw.trial;
        if (t.size() == 3 &&
            std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            shared.push_back(NumberDistributions::Shared(std::stoi(t), draw.number));
        }
    }
    std::vector<ObservedClass> tally;
    for (std::size_t k = 0; k < chances.size(); ++k) {
        tally.push_back(
            {std::to_string(k) + " 个", 0, static_cast<double>(shared.size()) * chances[k]});
    }
    for (int s : shared) {
        tally[static_cast<std::size_t>(s)].observed += 1;
    }
    RandomnessTest test = ChiSquareTest::GoodnessOfFit("试机号与开奖号相同的数字个数", tally);
    if (shared.empty()) {
        test.note = "窗口里没有带试机号的期，未检验";
    }
    return test;
}

void BeliefTests::Add(const std::vector<HistoricDraw>& draws, int window,
                      std::vector<RandomnessTest>& into) {
    std::vector<int> numbers;
    numbers.reserve(draws.size());
    for (const HistoricDraw& draw : draws) {
        numbers.push_back(draw.number);
    }
    into.push_back(Hot(numbers, std::max(window, 1)));
    into.push_back(Overdue(numbers));
    into.push_back(Trial(draws));
}

} // namespace tarvex
