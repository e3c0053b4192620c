#include "engine/KillRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace tarvex {
namespace {

using Change = std::function<void(Settings&)>;

Settings With(const Change& change) {
    Settings s;
    change(s);
    return s;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) {
        numbers.push_back(n);
    }
    return numbers;
}

TEST(KillRun, DefaultSettingsKeepAllThousandFivePerLine) {
    const KillOutcome out = RunKill(Settings{});
    ASSERT_TRUE(out.completed());
    EXPECT_EQ(out.survivors, Range(0, 999));
    EXPECT_TRUE(out.killed.empty());
    EXPECT_EQ(out.countText, "杀完还剩下1000注");
    EXPECT_EQ(out.resultText.substr(0, 42),
              "000\t001\t002\t003\t004\t\n005\t006\t007\t008\t009\t\n");
    EXPECT_EQ(std::count(out.resultText.begin(), out.resultText.end(), '\n'), 200);
    EXPECT_EQ(out.resultText.substr(out.resultText.size() - 21), "995\t996\t997\t998\t999\t\n");
    EXPECT_EQ(out.fileText.substr(0, 18), "000\t001\t\n002\t003\t\n");
}

struct ValidationCase {
    const char* name;
    Change change;
    const char* message;
};

class Validation : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(Validation, FirstFailingCheckStopsTheRunWithItsMessage) {
    const KillOutcome out = RunKill(With(GetParam().change));
    EXPECT_EQ(out.message, GetParam().message);
    EXPECT_FALSE(out.completed());
    EXPECT_TRUE(out.survivors.empty());
    EXPECT_TRUE(out.killed.empty());
    EXPECT_TRUE(out.resultText.empty());
    EXPECT_TRUE(out.fileText.empty());
    EXPECT_TRUE(out.countText.empty());
}

void ClearAll(auto& boxes) {
    boxes.fill(false);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Validation,
    ::testing::Values(ValidationCase{"Dan2", [](Settings& s) { s.danCount = 2, s.dan[1] = true; },
                                     "你选择了出2胆，胆的数目不能小于2个"},
                      ValidationCase{
                          "Dan3", [](Settings& s) { s.danCount = 3, s.dan[1] = s.dan[2] = true; },
                          "你选择了出3胆，胆的数目不能小于3个"},
                      ValidationCase{"BigSmallBeforeOddEven",
                                     [](Settings& s) { ClearAll(s.bigSmall), ClearAll(s.oddEven); },
                                     "所有的大小均被排除，结果将为空，请重新选择"},
                      ValidationCase{"OddEven", [](Settings& s) { ClearAll(s.oddEven); },
                                     "所有的奇偶均被排除，结果将为空，请重新选择"},
                      ValidationCase{"Shape", [](Settings& s) { s.shape.fill(true); },
                                     "豹子，组三，组六都被排除，结果将为空，请重新选择"},
                      ValidationCase{"Consecutive", [](Settings& s) { s.consecutive.fill(true); },
                                     "顺子，二连，不连码都被排除，结果将为空，请重新选择"},
                      ValidationCase{"Route", [](Settings& s) { s.route.fill(true); },
                                     "所有的012路均被排除，结果将为空，请重新选择"},
                      ValidationCase{"DanBeforeEverything",
                                     [](Settings& s) {
                                         s.danCount = 3;
                                         s.route.fill(true);
                                         ClearAll(s.bigSmall);
                                     },
                                     "你选择了出3胆，胆的数目不能小于3个"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CountCase {
    const char* name;
    Change change;
    int survivors;
};

class SurvivorCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(SurvivorCounts, LeaveTheListedNumberOfSurvivors) {
    const KillOutcome out = RunKill(With(GetParam().change));
    ASSERT_TRUE(out.completed()) << out.message;
    EXPECT_EQ(static_cast<int>(out.survivors.size()), GetParam().survivors);
    const Settings s = With(GetParam().change);
    if (!s.compoundInput && !s.baseSet) {
        EXPECT_EQ(out.survivors.size() + out.killed.size(), 1000u);
    }
    EXPECT_EQ(out.countText, "杀完还剩下" + std::to_string(GetParam().survivors) + "注");
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, SurvivorCounts,
    ::testing::Values(
        CountCase{"DanOne", [](Settings& s) { s.dan[1] = true; }, 271},
        CountCase{"ExcludeCompound",
                  [](Settings& s) {
                      s.excludeCompound = true;
                      s.exclude = {"1", "2", "3"};
                  },
                  999},
        CountCase{"ExcludeCompoundEmptyEdit",
                  [](Settings& s) {
                      s.excludeCompound = true;
                      s.exclude = {"1", "2", ""};
                  },
                  1000},
        CountCase{"ExcludeCompoundUnchecked", [](Settings& s) { s.exclude = {"1", "2", "3"}; }, 1000},
        CountCase{"PositionalKill",
                  [](Settings& s) {
                      s.positionalKill = true;
                      s.positionalKillDigits = {"0", "", ""};
                  },
                  900},
        CountCase{"CompoundInput",
                  [](Settings& s) {
                      s.compoundInput = true;
                      s.compound = {"0123", "45", "6789"};
                  },
                  32},
        CountCase{"CompoundInputEmptyUnits",
                  [](Settings& s) {
                      s.compoundInput = true;
                      s.compound = {"0123", "45", ""};
                  },
                  0},
        CountCase{"BaseSetEmpty", [](Settings& s) { s.baseSet = true; }, 0},
        CountCase{"KillSumsBlank",
                  [](Settings& s) {
                      s.killSums = true;
                      s.sums = "10 12";
                  },
                  1000 - 63 - 73},
        CountCase{"KillSumsComma",
                  [](Settings& s) {
                      s.killSums = true;
                      s.sums = "10,12";
                  },
                  1000},
        CountCase{"KillSumsHint", [](Settings& s) { s.killSums = true; }, 1000},
        CountCase{"KillSumsAll",
                  [](Settings& s) {
                      s.killSums = true;
                      s.sums = "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 "
                               "25 26 27";
                  },
                  0},
        CountCase{"SumRangeTen",
                  [](Settings& s) {
                      s.sumLow = 10;
                      s.sumHigh = 10;
                  },
                  63},
        CountCase{"SumRangeReversed",
                  [](Settings& s) {
                      s.sumLow = 20;
                      s.sumHigh = 5;
                  },
                  0},
        CountCase{"BigBigBigCleared", [](Settings& s) { s.bigSmall[0] = false; }, 875},
        CountCase{"Leopards", [](Settings& s) { s.shape[0] = true; }, 990},
        CountCase{"GroupThreeAndSix", [](Settings& s) { s.shape[1] = s.shape[2] = true; }, 10},
        CountCase{"PrimeCompositeAllClear", [](Settings& s) { s.primeComposite.fill(false); }, 0},
        CountCase{"RouteGroupsAllClear", [](Settings& s) { s.pages.routeGroups.fill(false); }, 0},
        CountCase{"AcAllClear", [](Settings& s) { s.ac.fill(false); }, 0},
        CountCase{"PositionalKill2", [](Settings& s) { s.pages.positionalKill2 = "1*1"; }, 990},
        CountCase{"Kill2", [](Settings& s) { s.pages.kill2 = "12"; }, 946},
        CountCase{"Kill2Double", [](Settings& s) { s.pages.kill2 = "11"; }, 972},
        CountCase{"MustHave2", [](Settings& s) { s.pages.mustHave2 = "12"; }, 54},
        CountCase{"MustHave2Positional",
                  [](Settings& s) {
                      s.pages.mustHave2 = "12*";
                      s.pages.mustHave2Positional = true;
                  },
                  10},
        CountCase{"MustHave2SecondPlaceholder",
                  [](Settings& s) { s.pages.mustHave2 = kPlaceholderMustHave2Positional; }, 1000},
        CountCase{"PlaceholdersKillNothing", [](Settings&) {}, 1000},
        CountCase{"PlaceholderWithSuffixIsSearched",
                  [](Settings& s) { s.pages.kill2 = std::string(kPlaceholderKill2) + " 12"; },
                  921},
        CountCase{"Intersection", [](Settings& s) { s.pages.intersection = "123"; }, 1},
        CountCase{"IntersectionGroup",
                  [](Settings& s) {
                      s.pages.intersection = "123";
                      s.pages.intersectionGroup = true;
                  },
                  6},
        CountCase{"IntersectionGroupDouble",
                  [](Settings& s) {
                      s.pages.intersection = "112";
                      s.pages.intersectionGroup = true;
                  },
                  3},
        CountCase{"IntersectionEmptyGroup",
                  [](Settings& s) { s.pages.intersectionGroup = true; }, 1000},
        CountCase{"IntersectionWithoutNumbers", [](Settings& s) { s.pages.intersection = "无"; }, 0},
        CountCase{"Junk", [](Settings& s) { s.pages.junk = "1*2*3"; }, 999},
        CountCase{"JunkPlaceholder", [](Settings& s) { s.pages.junk = kPlaceholderJunk; }, 1000},
        CountCase{"FormulaEmptyList", [](Settings& s) { s.pages.formulaMatch = true; }, 1000},
        CountCase{"FormulaOff",
                  [](Settings& s) { s.pages.formulas = {{"百", "加", "十", "等于", "9"}}; }, 1000},
        CountCase{"MatchFilterEmpty", [](Settings& s) { s.matchFilter = true; }, 1000},
        CountCase{"PositionSizeFalling",
                  [](Settings& s) {
                      s.positionSize = true;
                      s.positionSizes = {{"百", "大于", "十"}, {"十", "大于", "个"}};
                  },
                  120},
        CountCase{"Dan2",
                  [](Settings& s) {
                      s.danCount = 2;
                      s.dan[1] = s.dan[2] = true;
                  },
                  54},
        CountCase{"Dan3",
                  [](Settings& s) {
                      s.danCount = 3;
                      s.dan[1] = s.dan[2] = s.dan[3] = true;
                  },
                  6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KillRun, DirectNumbersAreFoundAsSubstringsWhateverTheSeparators) {
    for (const char* text : {"112,123", "1123", "112\r\n123", "112号码123"}) {
        Settings s;
        s.pages.direct = text;
        const KillOutcome out = RunKill(s);
        EXPECT_EQ(out.killed, (std::vector<int>{112, 123})) << text;
    }
}

TEST(KillRun, BaseSetReadsThreeDigitWindowsAndGroupOrders) {
    Settings s;
    s.baseSet = true;
    s.result = "123";
    EXPECT_EQ(RunKill(s).survivors, (std::vector<int>{123}));
    s.baseIsGroup = true;
    EXPECT_EQ(RunKill(s).survivors, (std::vector<int>{123, 132, 213, 231, 312, 321}));
    s.baseIsGroup = false;
    s.result = "123456";
    EXPECT_EQ(RunKill(s).survivors, (std::vector<int>{123, 234, 345, 456}));
}

TEST(KillRun, CompoundInputWinsOverTheBaseSet) {
    Settings s;
    s.baseSet = true;
    s.result = "555";
    s.compoundInput = true;
    s.compound = {"1", "2", "34"};
    EXPECT_EQ(RunKill(s).survivors, (std::vector<int>{123, 124}));
}

TEST(KillRun, BaseSetRunTwiceGivesTheSameSurvivors) {
    for (const bool group : {false, true}) {
        Settings s;
        s.sumTail[3] = true;
        s.pages.kill2 = "45";
        s.dan[7] = true;
        s.baseSet = true;
        s.baseIsGroup = group;
        s.result = RunKill(Settings{}).resultText;
        const KillOutcome first = RunKill(s);
        s.result = first.resultText;
        const KillOutcome second = RunKill(s);
        EXPECT_EQ(first.survivors, second.survivors) << group;
        EXPECT_TRUE(second.killed.empty()) << group;
        EXPECT_FALSE(first.survivors.empty());
    }
}

// Stage 2 kills come before stage 4 kills in the killed list, and a number both
// would kill is recorded with stage 2: it never reached the formula.
TEST(KillRun, StagesKillInOrderAndEarlierStageWins) {
    Settings s;
    s.dan[0] = true;          // stage 1: numbers without 0
    s.sumTail[9] = true;      // stage 2: sums 9, 19
    s.excludeCompound = true; // stage 3: 900
    s.exclude = {"8", "0", "0"};
    s.pages.formulaMatch = true; // stage 4: hundreds digit 9
    s.pages.formulas = {{"百", "乘", "1", "小于", "9"}};
    const KillOutcome out = RunKill(s);
    std::vector<int> stage1, stage2, stage3, stage4, survivors;
    for (int n = 0; n < 1000; ++n) {
        const int h = n / 100, t = n / 10 % 10, u = n % 10;
        if (h != 0 && t != 0 && u != 0) {
            stage1.push_back(n);
        } else if ((h + t + u) % 10 == 9) {
            stage2.push_back(n);
        } else if (n == 800) {
            stage3.push_back(n);
        } else if (h == 9) {
            stage4.push_back(n);
        } else {
            survivors.push_back(n);
        }
    }
    std::vector<int> expected = stage1;
    for (const auto* group : {&stage2, &stage3, &stage4}) {
        expected.insert(expected.end(), group->begin(), group->end());
    }
    EXPECT_EQ(out.killed, expected);
    EXPECT_EQ(out.survivors, survivors);
    const auto at900 = std::find(out.killed.begin(), out.killed.end(), 900);
    ASSERT_NE(at900, out.killed.end());
    EXPECT_LT(at900 - out.killed.begin(), static_cast<long>(stage1.size() + stage2.size()));
}

struct LayoutCase {
    int perRow;
    const char* fileText;
};

class FileLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(FileLayout, HoldsTheChosenNumbersPerLine) {
    Settings s;
    s.pages.intersection = "001 002 003 004 005 006 007";
    s.perRow = GetParam().perRow;
    const KillOutcome out = RunKill(s);
    EXPECT_EQ(out.fileText, GetParam().fileText);
    EXPECT_EQ(out.resultText, "001\t002\t003\t004\t005\t\n006\t007\t");
    EXPECT_EQ(out.countText, "杀完还剩下7注");
}

INSTANTIATE_TEST_SUITE_P(
    PerRow, FileLayout,
    ::testing::Values(LayoutCase{2, "001\t002\t003\t\n004\t005\t006\t\n007\t"},
                      LayoutCase{0, "001\t\n002\t\n003\t\n004\t\n005\t\n006\t\n007\t\n"},
                      LayoutCase{6, "001\t002\t003\t004\t005\t006\t007\t\n"},
                      LayoutCase{19, "001\t002\t003\t004\t005\t006\t007\t"},
                      LayoutCase{-1, "001\t\n002\t\n003\t\n004\t\n005\t\n006\t\n007\t\n"},
                      LayoutCase{20, "001\t\n002\t\n003\t\n004\t\n005\t\n006\t\n007\t\n"}));

TEST(KillRun, TextsWithAnyBytesAreSearchedAsBytes) {
    Settings s;
    s.pages.direct = std::string("1\0"
                                 "23\xff"
                                 "456",
                                 8);
    s.pages.kill2 = std::string("\xe4\xb8\x00"
                                "78",
                                5);
    const KillOutcome out = RunKill(s);
    ASSERT_TRUE(out.completed());
    EXPECT_EQ(std::count(out.killed.begin(), out.killed.end(), 456), 1);
    EXPECT_EQ(std::count(out.killed.begin(), out.killed.end(), 123), 0);
    EXPECT_EQ(std::count(out.killed.begin(), out.killed.end(), 178), 1);
}

} // namespace
} // namespace tarvex
