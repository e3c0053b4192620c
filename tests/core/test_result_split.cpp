#include "engine/ResultSplit.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace tarvex;

TEST(ResultSplit, AllNumbersSplitAsTheThreeShapesDo) {
    std::vector<int> all(1000);
    std::iota(all.begin(), all.end(), 0);
    const ResultSplit split = SplitNumbers(all);
    EXPECT_EQ(split.leopards, 10);
    EXPECT_EQ(split.pairs, 270);
    EXPECT_EQ(split.sixes, 720);
    EXPECT_EQ(split.other, 0);
    EXPECT_EQ(split.CostYuan(), 2000);
    EXPECT_EQ(ResultSplitText(split), "豹子10 组三270 组六720 共1000注 2000元");
}

struct ItemsCase {
    std::vector<std::string> items;
    ResultSplit expected;
};

class ResultSplitItems : public testing::TestWithParam<ItemsCase> {};

TEST_P(ResultSplitItems, CountsOnlyThreeDigitItems) {
    EXPECT_EQ(SplitItems(GetParam().items), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lists, ResultSplitItems,
                         testing::Values(ItemsCase{{}, {}},
                                         ItemsCase{{"000", "999", "555"}, {3, 0, 0, 0}},
                                         ItemsCase{{"001", "010", "100", "012"}, {0, 3, 1, 0}},
                                         ItemsCase{{"12", "1234", "12a", " 12", ""}, {0, 0, 0, 5}},
                                         ItemsCase{{"121", "x", "987"}, {0, 1, 1, 1}}));

TEST(ResultSplit, OtherItemsAreNamedAndNotCharged) {
    const ResultSplit split = SplitItems({"123", "ab"});
    EXPECT_EQ(split.CostYuan(), 2);
    EXPECT_EQ(ResultSplitText(split), "豹子0 组三0 组六1 其他1 共1注 2元");
}

TEST(ResultSplit, BaseTextCountsEachDistinctWindowOnce) {
    // "1123" holds the windows 112 and 123; "111" a leopard; the repeat of 123 counts once.
    const ResultSplit split = SplitBaseText("1123 111\r\n123\n");
    EXPECT_EQ(split, (ResultSplit{1, 1, 1, 0}));
}

TEST(ResultSplit, NumbersOutsideTheRangeAreOther) {
    EXPECT_EQ(SplitNumbers({-1, 1000, 7}), (ResultSplit{0, 1, 0, 2}));
}
