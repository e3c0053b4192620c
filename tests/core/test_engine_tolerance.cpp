#include "engine/KillRun.h"
#include "engine/TextWindows.h"
#include "engine/ToleranceRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvex {
namespace {

using Change = std::function<void(Settings&)>;
using Labels = std::vector<std::string>;

ReportLine Examine(const Change& change, int number) {
    Settings s;
    change(s);
    const ToleranceOutcome out = RunTolerance(s, ToleranceInput{{number}, {}, {}});
    EXPECT_EQ(out.report.size(), 1u);
    return out.report.empty() ? ReportLine{} : out.report.front();
}

struct LabelCase {
    const char* name;
    Change change;
    int number;
    Labels labels;
};

class ToleranceLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ToleranceLabels, NameEveryRejectingConditionInTableOrder) {
    const ReportLine line = Examine(GetParam().change, GetParam().number);
    EXPECT_EQ(line.labels, GetParam().labels);
    EXPECT_EQ(line.count, static_cast<int>(GetParam().labels.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ToleranceLabels,
    ::testing::Values(LabelCase{"Nothing", [](Settings&) {}, 123, {}},
                      LabelCase{"Dan", [](Settings& s) { s.dan[9] = true; }, 123, {" 胆 "}},
                      LabelCase{"DanForgivenByMatch",
                                [](Settings& s) {
                                    s.dan[9] = true;
                                    s.matchFilter = true;
                                    s.matches = {{"1", "1"}};
                                },
                                123,
                                {}},
                      LabelCase{"DanAndMatchBothFail",
                                [](Settings& s) {
                                    s.dan[9] = true;
                                    s.matchFilter = true;
                                    s.matches = {{"4", "1"}};
                                },
                                123,
                                {" 胆 ", " 匹配过滤 "}},
                      LabelCase{"DanMatchUncheckedStillCounts",
                                [](Settings& s) {
                                    s.dan[9] = true;
                                    s.matches = {{"1", "1"}};
                                },
                                123,
                                {" 胆 "}},
                      LabelCase{"PageTexts",
                                [](Settings& s) {
                                    s.pages.positionalKill2 = "1*3";
                                    s.pages.kill2 = "32";
                                    s.pages.mustHave2 = "45";
                                    s.pages.direct = "123";
                                },
                                123,
                                {" 定位杀2码 ", " 不定位杀2码 ", " 必出2码 ", " 杀直选号码 "}},
                      LabelCase{"SumsTailSpan",
                                [](Settings& s) {
                                    s.sumLow = 7;
                                    s.sumTail[6] = true;
                                    s.span[2] = true;
                                },
                                123,
                                {" 和值范围 ", " 和尾 ", " 跨度 "}},
                      LabelCase{"PositionalThenCompound",
                                [](Settings& s) {
                                    s.positionalKill = true;
                                    s.positionalKillDigits = {"", "", "3"};
                                    s.excludeCompound = true;
                                    s.exclude = {"1", "2", "3"};
                                },
                                123,
                                {" 定位杀 ", " 复式排除 "}},
                      LabelCase{"CompoundUncheckedKeepsItsText",
                                [](Settings& s) {
                                    s.exclude = {"1", "2", "3"};
                                },
                                123,
                                {}},
                      LabelCase{"SpecifiedSumsCountTwice",
                                [](Settings& s) {
                                    s.killSums = true;
                                    s.sums = "6";
                                },
                                123,
                                {" 杀指定和值 ", " 和值过滤 "}},
                      LabelCase{"Patterns",
                                [](Settings& s) {
                                    s.bigSmall[4] = false;
                                    s.oddEven[6] = false;
                                    s.primeComposite[7] = false;
                                    s.shape[2] = true;
                                    s.consecutive[2] = true;
                                    s.route[5] = true;
                                    s.pages.routeGroups[4] = false;
                                },
                                12,
                                {" 大小过滤 ", " 奇偶过滤 ", " 质合过滤 ", " 结构过滤 ",
                                 " 连号过滤 ", " 012过滤 ", " 012过滤组 "}},
                      LabelCase{"Dan2",
                                [](Settings& s) {
                                    s.danCount = 2;
                                    s.dan[1] = s.dan[9] = true;
                                },
                                123,
                                {" 2胆过滤 "}},
                      LabelCase{"Dan3",
                                [](Settings& s) {
                                    s.danCount = 3;
                                    s.dan[1] = s.dan[2] = s.dan[9] = true;
                                },
                                123,
                                {" 3胆过滤 "}},
                      LabelCase{"PositionSize",
                                [](Settings& s) {
                                    s.positionSize = true;
                                    s.positionSizes = {{"百", "大于", "十"}};
                                },
                                123,
                                {" 位置大小 "}},
                      LabelCase{"LastFourWithoutTrailingSpace",
                                [](Settings& s) {
                                    s.pages.junk = "1*2*3";
                                    s.pages.intersection = "456";
                                    s.pages.formulaMatch = true;
                                    s.pages.formulas = {{"百", "加", "十", "等于", "9"}};
                                    s.ac[1] = false;
                                },
                                123,
                                {" 垃圾复试", " 交集过滤", " 公式过滤", " AC值过滤"}},
                      LabelCase{"IntersectionExpandedAsGroup",
                                [](Settings& s) {
                                    s.pages.intersection = "321";
                                    s.pages.intersectionGroup = true;
                                },
                                123,
                                {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToleranceRun, ReportLinesAreByteExact) {
    Settings s;
    s.sumTail[6] = true;
    s.span[2] = true;
    s.pages.junk = "1*2*3";
    const ToleranceOutcome out = RunTolerance(s, ToleranceInput{{123, 458}, {}, {}});
    EXPECT_EQ(out.reportText, "123 和尾  跨度  垃圾复试 排除原因数 3\n"
                              "458 排除原因数 0\n");
}

ToleranceInput AfterKill(const Settings& s) {
    const KillOutcome kill = RunKill(s);
    ToleranceInput input{kill.killed, {}, kill.resultText};
    for (const int n : kill.survivors) {
        char text[8];
        std::snprintf(text, sizeof text, "%03d", n);
        input.list.push_back(text);
    }
    return input;
}

TEST(ToleranceRun, ReadmitsWithinTheLevelAndBreaksRowsOverTheWholeList) {
    Settings s;
    s.pages.intersection = "200 300 400 500 600 700 800"; // 7 survivors
    s.sumTail[1] = true;
    const ToleranceInput input = AfterKill(s);
    ASSERT_EQ(input.list.size(), 7u);
    // Every number now has one reason (the junk compound covers all), the unlisted a
    // second one, and 001 a second one by its sum tail.
    Settings loosened = s;
    loosened.pages.intersection = "200 300 400 500 600 700 800 002 003 004 001";
    loosened.pages.junk = "0123456789*0123456789*0123456789";
    const ToleranceOutcome out = RunTolerance(loosened, input);
    EXPECT_EQ(out.readmitted, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(out.resultText, "200\t300\t400\t500\t600\t\n700\t800\t002\t003\t004\t\n");
    EXPECT_EQ(out.list, (std::vector<std::string>{"002", "003", "004", "200", "300", "400", "500",
                                                  "600", "700", "800"}));
    EXPECT_EQ(out.countText, "杀完还剩下10注");
    EXPECT_EQ(out.toleranceText, "容错3注");
    EXPECT_EQ(out.report.size(), input.killed.size());

    loosened.level = 1;
    const ToleranceOutcome higher = RunTolerance(loosened, input);
    ASSERT_FALSE(higher.readmitted.empty());
    EXPECT_EQ(higher.readmitted.front(), 1); // stage-2 kills come first in m_killed
    std::size_t withinTwo = 0;
    for (const ReportLine& line : higher.report) {
        withinTwo += line.count <= 2 ? 1 : 0;
    }
    EXPECT_EQ(higher.readmitted.size(), withinTwo);
    EXPECT_LT(withinTwo, input.killed.size());
}

TEST(ToleranceRun, SecondPressAppendsNothingAndRewritesTheSameReport) {
    Settings s;
    s.sumTail[5] = true;
    const ToleranceInput input = AfterKill(s);
    s.sumTail[5] = false;
    const ToleranceOutcome first = RunTolerance(s, input);
    EXPECT_EQ(first.readmitted.size(), input.killed.size());
    EXPECT_EQ(first.list.size(), 1000u);
    const ToleranceOutcome second =
        RunTolerance(s, ToleranceInput{input.killed, first.list, first.resultText});
    EXPECT_TRUE(second.readmitted.empty());
    EXPECT_EQ(second.toleranceText, "容错0注");
    EXPECT_EQ(second.resultText, first.resultText);
    EXPECT_EQ(second.reportText, first.reportText);
    EXPECT_EQ(second.countText, "杀完还剩下1000注");
}

TEST(ToleranceRun, NumberAlreadyInTheResultTextIsNotAppendedTwice) {
    const Settings s;
    const ToleranceOutcome out = RunTolerance(s, ToleranceInput{{123, 456}, {}, "x123y"});
    EXPECT_EQ(out.readmitted, (std::vector<int>{456}));
    EXPECT_EQ(out.resultText, "x123y456\t");
}

// 300 is appended after a typed "12", so "123" now spans the junction and is shown.
TEST(ToleranceRun, WindowsAcrossTheJunctionCountAsShown) {
    const ToleranceOutcome out = RunTolerance(Settings{}, ToleranceInput{{300, 123}, {}, "12"});
    EXPECT_EQ(out.readmitted, (std::vector<int>{300}));
    EXPECT_EQ(out.resultText, "12300\t");
    EXPECT_EQ(out.report.size(), 2u);
}

TEST(ToleranceRun, EmptyKilledListGivesAnEmptyReport) {
    const ToleranceOutcome out =
        RunTolerance(Settings{}, ToleranceInput{{}, {"001", "002"}, "001\t002\t"});
    EXPECT_TRUE(out.report.empty());
    EXPECT_TRUE(out.reportText.empty());
    EXPECT_EQ(out.toleranceText, "容错0注");
    EXPECT_EQ(out.countText, "杀完还剩下2注");
}

TEST(ToleranceRun, LevelSeventeenToleratesSeventeenReasons) {
    Settings s;
    s.dan[9] = true;
    s.sumLow = 27;
    s.sumTail.fill(true);
    s.span.fill(true);
    s.killSums = true;
    s.sums = "0";
    s.bigSmall[4] = false;
    s.oddEven[4] = false;
    s.primeComposite[4] = false;
    s.shape[0] = true;
    s.consecutive[0] = true;
    s.route[0] = true;
    s.pages.routeGroups[0] = false;
    s.pages.direct = "000";
    s.pages.kill2 = "00";
    s.pages.positionalKill2 = "*00";
    s.ac[0] = false;
    const ReportLine line = Examine([&](Settings& t) { t = s; }, 0);
    ASSERT_EQ(line.count, 17);
    s.level = 16;
    EXPECT_EQ(RunTolerance(s, ToleranceInput{{0}, {}, {}}).readmitted, (std::vector<int>{0}));
    s.level = 15;
    EXPECT_TRUE(RunTolerance(s, ToleranceInput{{0}, {}, {}}).readmitted.empty());
}

TEST(TextWindows, FindsWindowsAcrossAppends) {
    TextWindows windows("x1");
    EXPECT_FALSE(windows.Contains(123));
    windows.Append("2");
    EXPECT_FALSE(windows.Contains(123));
    windows.Append("3\t45");
    EXPECT_TRUE(windows.Contains(123));
    EXPECT_FALSE(windows.Contains(234));
    EXPECT_FALSE(windows.Contains(345));
    windows.Append("6");
    EXPECT_TRUE(windows.Contains(456));
}

} // namespace
} // namespace tarvex
