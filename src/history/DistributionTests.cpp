#include "history/DistributionTests.h"

#include "history/ChiSquareTest.h"
#include "history/DrawDigits.h"
#include "history/NumberDistributions.h"

#include <string>

namespace tarvex {

namespace {

std::vector<std::string> Numbered(std::size_t count, std::size_t width = 1) {
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < count; ++i) {
        std::string label = std::to_string(i);
        label.insert(0, width > label.size() ? width - label.size() : 0, '0');
        labels.push_back(std::move(label));
    }
    return labels;
}

} // namespace

RandomnessTest DistributionTests::Against(const char* name, const std::vector<int>& values,
                                          const double* chances, std::size_t classes,
                                          const std::vector<std::string>& labels) {
    std::vector<ObservedClass> tally(classes);
    const auto n = static_cast<double>(values.size());
    for (std::size_t c = 0; c < classes; ++c) {
        tally[c] = {labels[c], 0, n * chances[c]};
    }
    for (int v : values) {
        tally[static_cast<std::size_t>(v)].observed += 1;
    }
    return ChiSquareTest::GoodnessOfFit(name, tally);
}

RandomnessTest DistributionTests::Positions(const std::vector<int>& numbers) {
    std::vector<std::vector<double>> table(10, std::vector<double>(DrawDigits::kPositions));
    for (int number : numbers) {
        for (int pos = 0; pos < DrawDigits::kPositions; ++pos) {
            table[static_cast<std::size_t>(DrawDigits::At(number, pos))]
                 [static_cast<std::size_t>(pos)] += 1;
        }
    }
    return ChiSquareTest::Independence(
        "三个位置的数字分布相同", table, [](std::size_t digit, std::size_t pos) {
            return DrawDigits::PositionName(static_cast<int>(pos)) + std::to_string(digit);
        });
}

void DistributionTests::Add(const std::vector<int>& numbers, std::vector<RandomnessTest>& into) {
    const std::vector<double> tenth(10, 0.1);
    for (int pos = 0; pos < DrawDigits::kPositions; ++pos) {
        std::vector<int> digits;
        for (int number : numbers) {
            digits.push_back(DrawDigits::At(number, pos));
        }
        into.push_back(Against((std::string(DrawDigits::PositionName(pos)) + "数字均匀").c_str(),
                               digits, tenth.data(), 10, Numbered(10)));
    }
    into.push_back(Positions(numbers));

    const std::vector<double> thousandth(1000, 0.001);
    into.push_back(Against("1000 个号码均匀", numbers, thousandth.data(), 1000, Numbered(1000, 3)));

    std::vector<int> forms, sums, spans, shapes;
    for (int number : numbers) {
        forms.push_back(NumberDistributions::Combination(number));
        sums.push_back(NumberDistributions::Sum(number));
        spans.push_back(NumberDistributions::Span(number));
        shapes.push_back(NumberDistributions::ShapeOf(number));
    }
    std::vector<std::string> formLabels;
    for (int c = 0; c < NumberDistributions::kCombinations; ++c) {
        formLabels.push_back(NumberDistributions::CombinationLabel(c));
    }
    into.push_back(Against("220 种组选组合", forms,
                           NumberDistributions::CombinationChances().data(),
                           NumberDistributions::kCombinations, formLabels));
    into.push_back(
        Against("和值分布", sums, NumberDistributions::SumChances().data(), 28, Numbered(28)));
    into.push_back(
        Against("跨度分布", spans, NumberDistributions::SpanChances().data(), 10, Numbered(10)));
    into.push_back(Against("形态（豹子/组三/组六）", shapes,
                           NumberDistributions::ShapeChances().data(), 3,
                           {"豹子", "组三", "组六"}));
}

} // namespace tarvex
