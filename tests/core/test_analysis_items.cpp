#include "AnalysisModel.h"
#include "history/AnalysisItems.h"
#include "history/DanMethodAnalysis.h"
#include "predicates/Classifiers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

namespace tarvex {
namespace {

TEST(AnalysisItemList, NamesInButtonOrder) {
    const std::vector<std::string> names = model::AnalysisNames();
    ASSERT_EQ(names.size(), kAnalysisKinds.size());
    for (std::size_t a = 0; a < names.size(); ++a) {
        EXPECT_EQ(AnalysisName(kAnalysisKinds[a]), names[a]);
    }
}

TEST(AnalysisItemList, TextsAndOrderOfEveryAnalysis) {
    const std::size_t counts[] = {36, 28, 10, 10, 12, 40, 12, 17, 55, 0};
    for (std::size_t a = 0; a < kAnalysisKinds.size(); ++a) {
        const std::vector<AnalysisItem>& items = AnalysisItems::Of(kAnalysisKinds[a]);
        const std::vector<model::Item> expected = model::Items(a);
        ASSERT_EQ(items.size(), counts[a]) << model::AnalysisNames()[a];
        ASSERT_EQ(expected.size(), counts[a]) << model::AnalysisNames()[a];
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(items[i].text, expected[i].text) << model::AnalysisNames()[a] << " #" << i;
        }
    }
}

TEST(AnalysisItemList, EveryConditionHoldsForExactlyTheNumbersOfItsItem) {
    for (std::size_t a = 0; a + 1 < kAnalysisKinds.size(); ++a) {
        const std::vector<AnalysisItem>& items = AnalysisItems::Of(kAnalysisKinds[a]);
        const std::vector<model::Item> expected = model::Items(a);
        for (std::size_t i = 0; i < items.size(); ++i) {
            for (int n = 0; n < 1000; ++n) {
                ASSERT_EQ(AnalysisItems::Holds(items[i].condition, n),
                          expected[i].holds(model::Text3(n)))
                    << model::AnalysisNames()[a] << " " << items[i].text << " at " << n;
            }
        }
    }
}

struct Descriptor {
    AnalysisKind analysis;
    const char* item;
    ItemCondition condition;
};

class ItemDescriptor : public testing::TestWithParam<Descriptor> {};

TEST_P(ItemDescriptor, NamesTheConditionTheWindowSets) {
    const std::vector<AnalysisItem>& items = AnalysisItems::Of(GetParam().analysis);
    const auto it = std::find_if(items.begin(), items.end(),
                                 [](const AnalysisItem& i) { return i.text == GetParam().item; });
    ASSERT_NE(it, items.end());
    EXPECT_EQ(it->condition, GetParam().condition);
}

INSTANTIATE_TEST_SUITE_P(
    Items, ItemDescriptor,
    testing::Values(Descriptor{AnalysisKind::Route012, "百2路", {ItemKind::RouteAt, 2, 0}},
                    Descriptor{AnalysisKind::Route012, "个0路", {ItemKind::RouteAt, 0, 2}},
                    Descriptor{AnalysisKind::Route012, "210", {ItemKind::RoutePattern, 21}},
                    Descriptor{AnalysisKind::Sum, "13", {ItemKind::Sum, 13}},
                    Descriptor{AnalysisKind::SumTail, "3", {ItemKind::SumTail, 3}},
                    Descriptor{AnalysisKind::Span, "9", {ItemKind::Span, 9}},
                    Descriptor{AnalysisKind::OddEven, "偶偶偶", {ItemKind::OddEvenPattern, 4}},
                    Descriptor{AnalysisKind::OddEven, "2:1", {ItemKind::OddCount, 2}},
                    Descriptor{AnalysisKind::BigSmall, "大小小", {ItemKind::BigSmallPattern, 3}},
                    Descriptor{AnalysisKind::BigSmall, "0:3", {ItemKind::BigCount, 0}},
                    Descriptor{AnalysisKind::SingleDigit, "5", {ItemKind::DigitAnywhere, 5}},
                    Descriptor{AnalysisKind::SingleDigit, "十7", {ItemKind::DigitAt, 7, 1}},
                    Descriptor{AnalysisKind::Composite, "组三", {ItemKind::Shape, 1}},
                    Descriptor{AnalysisKind::Composite, "三连", {ItemKind::Consecutive, 5}},
                    Descriptor{AnalysisKind::Composite, "AC2", {ItemKind::Ac, 2}},
                    Descriptor{
                        AnalysisKind::Composite, "质合合", {ItemKind::PrimeCompositePattern, 3}},
                    Descriptor{AnalysisKind::TwoCode, "58", {ItemKind::TwoCode, 58}},
                    Descriptor{AnalysisKind::TwoCode, "00", {ItemKind::TwoCode, 0}}));

// A pattern item's value is the classifier code whose box the window checks.
TEST(AnalysisItemList, PatternValuesAreTheClassifierCodes) {
    const struct {
        ItemKind kind;
        int (*code)(int);
    } classifiers[] = {{ItemKind::RoutePattern, Route012Code},
                       {ItemKind::OddEvenPattern, OddEvenCode},
                       {ItemKind::BigSmallPattern, BigSmallCode},
                       {ItemKind::PrimeCompositePattern, PrimeCompositeCode},
                       {ItemKind::Shape, ShapeCode},
                       {ItemKind::Consecutive, ConsecutiveCode},
                       {ItemKind::Ac, AcCode}};
    for (std::size_t a = 0; a + 1 < kAnalysisKinds.size(); ++a) {
        const std::vector<AnalysisItem>& items = AnalysisItems::Of(kAnalysisKinds[a]);
        const std::vector<model::Item> expected = model::Items(a);
        for (std::size_t i = 0; i < items.size(); ++i) {
            for (const auto& c : classifiers) {
                if (items[i].condition.kind != c.kind) {
                    continue;
                }
                for (int n = 0; n < 1000; ++n) {
                    EXPECT_EQ(expected[i].holds(model::Text3(n)),
                              c.code(n) == items[i].condition.value)
                        << items[i].text << " at " << n;
                }
            }
        }
    }
}

// The model's own rules against the counts the classifications are known to give.
TEST(AnalysisModelSanity, CompositeItemsCoverTheKnownCounts) {
    const std::vector<model::Item> items = model::Items(7);
    const int known[] = {10,  270, 720, 520, 420, 60,  10,  390, 600,
                         125, 125, 125, 125, 125, 125, 125, 125};
    ASSERT_EQ(items.size(), std::size(known));
    for (std::size_t i = 0; i < items.size(); ++i) {
        int count = 0;
        for (int n = 0; n < 1000; ++n) {
            count += items[i].holds(model::Text3(n)) ? 1 : 0;
        }
        EXPECT_EQ(count, known[i]) << items[i].text;
    }
}

TEST(DanMethodDigits, TheChanceIsTheShareOfNumbersHoldingADanDigit) {
    for (unsigned set = 0; set < 1024; ++set) {
        int holding = 0;
        for (int n = 0; n < 1000; ++n) {
            const int digits[] = {n / 100, n / 10 % 10, n % 10};
            holding += std::any_of(std::begin(digits), std::end(digits),
                                   [&](int d) { return (set >> d & 1u) != 0; })
                           ? 1
                           : 0;
        }
        EXPECT_NEAR(DanMethodAnalysis::Chance(std::popcount(set)), holding / 1000.0, 1e-15)
            << "set " << set;
    }
}

struct DanInputCase {
    int method;
    const char* issue;
    int previous;
    const char* input;
    unsigned digits; // bit per digit; 0 with an empty input for "not tested"
};

class DanMethodInput : public testing::TestWithParam<DanInputCase> {};

TEST_P(DanMethodInput, TextAndDigits) {
    const DanInputCase& c = GetParam();
    EXPECT_EQ(DanMethodAnalysis::Input(c.method, c.issue, c.previous), c.input);
    const std::optional<unsigned> digits = DanMethodAnalysis::Digits(c.method, c.issue, c.previous);
    if (std::string(c.input).empty()) {
        EXPECT_FALSE(digits.has_value());
    } else {
        ASSERT_TRUE(digits.has_value());
        EXPECT_EQ(*digits, c.digits);
    }
}

constexpr unsigned Bits(std::initializer_list<int> digits) {
    unsigned bits = 0;
    for (const int d : digits) {
        bits |= 1u << d;
    }
    return bits;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DanMethodInput,
    testing::Values(
        // 878 → 94226 (method 1); 8878 → 旧公式 78 新公式 46, 7481 → 旧公式 45 新公式 26.
        DanInputCase{1, "2026018", 878, "878", Bits({2, 4, 6, 9})},
        DanInputCase{3, "2026018", 878, "8878", Bits({4, 6, 7, 8})},
        DanInputCase{3, "2026017", 481, "7481", Bits({2, 4, 5, 6})},
        // 007 is typed as 7 for methods 1 and 2 (08413 and 4326), as 2007 for method 3
        // (旧公式 90 新公式 14).
        DanInputCase{1, "2004002", 7, "7", Bits({0, 8, 4, 1, 3})},
        DanInputCase{2, "2004002", 7, "7", Bits({3, 2, 6, 4})},
        DanInputCase{3, "2004002", 7, "2007", Bits({9, 0, 1, 4})},
        DanInputCase{2, "2004002", 0, "0", Bits({0})}, DanInputCase{3, "", 7, "", 0},
        DanInputCase{3, "2026期", 7, "", 0}));

} // namespace
} // namespace tarvex
