#include "AnalysisModel.h"
#include "engine/KillRun.h"
#include "history/AnalysisItems.h"
#include "history/ItemConditionApply.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace tarvex {
namespace {

std::vector<int> NumbersWhere(const std::function<bool(const std::string&)>& keep) {
    std::vector<int> numbers;
    for (int n = 0; n < 1000; ++n) {
        if (keep(model::Text3(n)))
            numbers.push_back(n);
    }
    return numbers;
}

// How many items of each analysis the window can turn into a 杀 and a 胆.
struct AllowedCase {
    std::size_t analysis;
    std::size_t kills;
    std::size_t dans;
};

class ItemConditionAllowed : public testing::TestWithParam<AllowedCase> {};

TEST_P(ItemConditionAllowed, CountsPerAnalysis) {
    const AllowedCase c = GetParam();
    std::size_t kills = 0;
    std::size_t dans = 0;
    for (const AnalysisItem& item : AnalysisItems::Of(kAnalysisKinds[c.analysis])) {
        kills += ItemAllows(item.condition, ItemAction::Kill) ? 1 : 0;
        dans += ItemAllows(item.condition, ItemAction::Dan) ? 1 : 0;
    }
    EXPECT_EQ(kills, c.kills) << model::AnalysisNames()[c.analysis];
    EXPECT_EQ(dans, c.dans) << model::AnalysisNames()[c.analysis];
}

INSTANTIATE_TEST_SUITE_P(
    EveryAnalysis, ItemConditionAllowed,
    testing::Values(AllowedCase{0, 36, 0},  // 9 routes at a position, 27 route patterns
                    AllowedCase{1, 28, 0},  // sums
                    AllowedCase{2, 10, 0},  // sum tails
                    AllowedCase{3, 10, 0},  // spans
                    AllowedCase{4, 8, 0},   // patterns, not the counts
                    AllowedCase{5, 40, 40}, // digits anywhere and at a position
                    AllowedCase{6, 8, 0},   // patterns, not the counts
                    AllowedCase{7, 17, 0},  // shapes, runs, AC values, 质合 patterns
                    AllowedCase{8, 55, 0},  // two-code pairs
                    AllowedCase{9, 0, 0}));

// From a fresh window, 杀 of an item leaves exactly the numbers for which it does not hold,
// as the literal model of the items says, and 胆 the numbers holding its digit.
TEST(ItemConditionApply, KillAndDanLeaveExactlyTheOtherNumbers) {
    for (std::size_t a = 0; a + 1 < kAnalysisKinds.size(); ++a) {
        const std::vector<AnalysisItem>& items = AnalysisItems::Of(kAnalysisKinds[a]);
        const std::vector<model::Item> expected = model::Items(a);
        ASSERT_EQ(items.size(), expected.size());
        for (std::size_t i = 0; i < items.size(); ++i) {
            const ItemCondition& c = items[i].condition;
            const std::string name = model::AnalysisNames()[a] + " " + items[i].text;
            if (ItemAllows(c, ItemAction::Kill)) {
                const KillOutcome run = RunKill(ApplyItemCondition({}, c, ItemAction::Kill));
                ASSERT_TRUE(run.completed()) << name << ": " << run.message;
                EXPECT_EQ(run.survivors,
                          NumbersWhere([&](const std::string& n) { return !expected[i].holds(n); }))
                    << name;
            }
            if (ItemAllows(c, ItemAction::Dan)) {
                const char digit = static_cast<char>('0' + c.value);
                const KillOutcome run = RunKill(ApplyItemCondition({}, c, ItemAction::Dan));
                EXPECT_EQ(run.survivors, NumbersWhere([&](const std::string& n) {
                              return n.find(digit) != std::string::npos;
                          }))
                    << name;
            }
        }
    }
}

// What the controls held stays, and a condition given twice is written once.
struct KeepCase {
    const char* name;
    std::function<void(Settings&)> before;
    std::vector<ItemCondition> items;
    std::function<void(Settings&)> expected; // the changes on top of `before`
};

void PrintTo(const KeepCase& c, std::ostream* os) {
    *os << c.name;
}

class ItemConditionKeeps : public testing::TestWithParam<KeepCase> {};

TEST_P(ItemConditionKeeps, WhatTheControlsHeld) {
    const KeepCase& c = GetParam();
    Settings settings;
    c.before(settings);
    Settings expected = settings;
    c.expected(expected);
    for (const ItemCondition& item : c.items)
        settings = ApplyItemCondition(settings, item, ItemAction::Kill);
    EXPECT_EQ(settings, expected);
}

std::vector<KeepCase> KeepCases() {
    using K = ItemKind;
    return {
        {"SumReplacesTheHint",
         [](Settings&) {},
         {{K::Sum, 15}},
         [](Settings& s) {
             s.killSums = true;
             s.sums = "15";
         }},
        {"SumsAreAddedBlankSeparatedOnce",
         [](Settings& s) { s.sums = "3 21"; },
         {{K::Sum, 2}, {K::Sum, 21}, {K::Sum, 2}},
         [](Settings& s) {
             s.killSums = true;
             s.sums = "3 21 2";
         }},
        {"PairReplacesThePlaceholder",
         [](Settings&) {},
         {{K::TwoCode, 12}},
         [](Settings& s) { s.pages.kill2 = "12"; }},
        {"PairsAreSetApartAndWrittenOnce",
         [](Settings& s) { s.pages.kill2 = "34"; },
         {{K::TwoCode, 5}, {K::TwoCode, 34}, {K::TwoCode, 5}},
         [](Settings& s) { s.pages.kill2 = "34,05"; }},
        {"DigitAtKeepsTheEditsDigits",
         [](Settings& s) {
             s.positionalKillDigits = {"1", "", "9"};
         },
         {{K::DigitAt, 3, 0}, {K::DigitAt, 9, 2}, {K::DigitAt, 3, 0}},
         [](Settings& s) {
             s.positionalKill = true;
             s.positionalKillDigits = {"13", "", "9"};
         }},
        {"RouteAtKillsItsDigits",
         [](Settings&) {},
         {{K::RouteAt, 0, 1}, {K::RouteAt, 2, 2}},
         [](Settings& s) {
             s.positionalKill = true;
             s.positionalKillDigits = {"", "0369", "258"};
         }},
        {"PatternsUncheckTheirBox",
         [](Settings&) {},
         {{K::OddEvenPattern, 2}, {K::BigSmallPattern, 7}},
         [](Settings& s) {
             s.oddEven[2] = false;
             s.bigSmall[7] = false;
         }},
        {"CountsChangeNothing",
         [](Settings&) {},
         {{K::OddCount, 3}, {K::BigCount, 0}},
         [](Settings&) {}},
        {"AcRunsAndPrimeCompositeGoToTheirBoxes",
         [](Settings&) {},
         {{K::Ac, 1}, {K::Consecutive, 4}, {K::PrimeCompositePattern, 1}, {K::Ac, 1}},
         [](Settings& s) {
             s.ac[0] = false;
             s.consecutive[1] = true;
             s.primeComposite[1] = false;
         }},
        {"ValuesOutOfRangeChangeNothing",
         [](Settings&) {},
         {{K::Sum, 28},
          {K::Span, -1},
          {K::DigitAt, 3, 3},
          {K::TwoCode, 21},
          {K::Shape, 3},
          {K::RoutePattern, 27},
          {K::Ac, 0},
          {K::Consecutive, 2}},
         [](Settings&) {}},
    };
}

INSTANTIATE_TEST_SUITE_P(Cases, ItemConditionKeeps, testing::ValuesIn(KeepCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    ItemCondition item;
    ItemAction action;
    const char* text;
};

class ItemConditionTexts : public testing::TestWithParam<TextCase> {};

TEST_P(ItemConditionTexts, NameTheControl) {
    EXPECT_EQ(ItemConditionText(GetParam().item, GetParam().action), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemConditionTexts,
    testing::Values(
        TextCase{{ItemKind::Sum, 15}, ItemAction::Kill, "杀指定和值 15"},
        TextCase{{ItemKind::RoutePattern, 5}, ItemAction::Kill, "012路特别排除 012"},
        TextCase{{ItemKind::OddEvenPattern, 3}, ItemAction::Kill, "奇偶排列 去掉 奇偶偶"},
        TextCase{{ItemKind::Shape, 1}, ItemAction::Kill, "特别排除 组三"},
        TextCase{{ItemKind::DigitAt, 3, 1}, ItemAction::Kill, "定位杀 十位 3"},
        TextCase{{ItemKind::RouteAt, 1, 0}, ItemAction::Kill, "定位杀 百位 147"},
        TextCase{{ItemKind::TwoCode, 7}, ItemAction::Kill, "杀2码 07"},
        TextCase{{ItemKind::DigitAt, 3, 1}, ItemAction::Dan, "选胆 3"},
        TextCase{{ItemKind::Sum, 15}, ItemAction::Dan, ""},
        TextCase{{ItemKind::Ac, 2}, ItemAction::Kill, "AC值 去掉 2"},
        TextCase{{ItemKind::Consecutive, 5}, ItemAction::Kill, "特别排除 三连"},
        TextCase{{ItemKind::PrimeCompositePattern, 0}, ItemAction::Kill, "质合排列 去掉 质质质"},
        TextCase{{ItemKind::OddCount, 2}, ItemAction::Kill, ""}));

} // namespace
} // namespace tarvex
