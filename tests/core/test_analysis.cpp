#include "AnalysisFixtures.h"

#include "history/Analysis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace tarvex {
namespace {

using testing_history::ExpectSame;

struct HistoryCase {
    std::string name;
    std::vector<HistoricDraw> (*make)();
    std::size_t last;
};

void PrintTo(const HistoryCase& c, std::ostream* os) {
    *os << c.name << " last " << c.last;
}

std::vector<HistoricDraw> Fc3d() {
    return testing_history::Shipped("fc3d-history.txt");
}
std::vector<HistoricDraw> Pl3() {
    return testing_history::Shipped("pl3-history.txt");
}
std::vector<HistoricDraw> Empty() {
    return {};
}
std::vector<HistoricDraw> Single() {
    return testing_history::Random(1, 1);
}
std::vector<HistoricDraw> Two() {
    return testing_history::Random(2, 2);
}
std::vector<HistoricDraw> Small() {
    return testing_history::Random(3, 57);
}
std::vector<HistoricDraw> Large() {
    return testing_history::Random(4, 1500);
}
// Three numbers only: most items never hold, the rest hold in long stretches.
std::vector<HistoricDraw> FewNumbers() {
    return testing_history::Random(5, 300, 3);
}
std::vector<HistoricDraw> OneNumber() {
    return testing_history::Random(6, 40, 1);
}

std::vector<HistoryCase> Cases() {
    std::vector<HistoryCase> cases;
    const struct {
        const char* name;
        std::vector<HistoricDraw> (*make)();
        std::size_t size;
    } histories[] = {{"Fc3d", Fc3d, 7731},
                     {"Pl3", Pl3, 7699},
                     {"Empty", Empty, 0},
                     {"Single", Single, 1},
                     {"Two", Two, 2},
                     {"Small", Small, 57},
                     {"Large", Large, 1500},
                     {"FewNumbers", FewNumbers, 300},
                     {"OneNumber", OneNumber, 40}};
    for (const auto& h : histories) {
        for (const std::size_t last : {std::size_t{0}, std::size_t{1}, std::size_t{2},
                                       std::size_t{30}, std::size_t{100}, h.size + 1}) {
            const bool repeated =
                std::any_of(cases.begin(), cases.end(), [&](const HistoryCase& c) {
                    return c.name == h.name && c.last == last;
                });
            if (!repeated) {
                cases.push_back({h.name, h.make, last});
            }
        }
    }
    return cases;
}

class AnalysesAgainstCount : public testing::TestWithParam<HistoryCase> {};

TEST_P(AnalysesAgainstCount, EveryFigureOfEveryAnalysis) {
    const std::vector<HistoricDraw> history = GetParam().make();
    const std::vector<Analysis> core = RunAllAnalyses(history, GetParam().last);
    const std::vector<model::Analysis> counted = model::Analyses(history, GetParam().last);
    ASSERT_EQ(core.size(), counted.size());
    for (std::size_t a = 0; a < core.size(); ++a) {
        EXPECT_EQ(core[a].kind, kAnalysisKinds[a]);
        ExpectSame(core[a], counted[a]);
    }
}

TEST_P(AnalysesAgainstCount, OneAnalysisAtATimeGivesTheSameRows) {
    const std::vector<HistoricDraw> history = GetParam().make();
    const std::vector<model::Analysis> counted = model::Analyses(history, GetParam().last);
    for (std::size_t a = 0; a < kAnalysisKinds.size(); ++a) {
        ExpectSame(RunAnalysis(kAnalysisKinds[a], history, GetParam().last), counted[a]);
    }
}

INSTANTIATE_TEST_SUITE_P(Histories, AnalysesAgainstCount, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<HistoryCase>& info) {
                             return info.param.name + "Last" + std::to_string(info.param.last);
                         });

// The figures the definitions pin down, on a history small enough to count by eye.
TEST(OmissionFigures, HandCountedSumTailRows) {
    // Sum tails: 7, 0, 7, 3, 7 (sums 7, 10, 17, 13, 27).
    const std::vector<HistoricDraw> history{
        {"2026001", 7}, {"2026002", 550}, {"2026003", 890}, {"2026004", 616}, {"2026005", 999}};
    const Analysis tails = RunAnalysis(AnalysisKind::SumTail, history, 0);
    const OmissionRow& seven = tails.rows[7];
    EXPECT_EQ(seven.item, "7");
    EXPECT_EQ(seven.hits, 3);
    EXPECT_EQ(seven.current, 0);
    EXPECT_EQ(seven.max, 1);
    EXPECT_DOUBLE_EQ(seven.average, 2.0 / 4.0);
    const OmissionRow& zero = tails.rows[0];
    EXPECT_EQ(zero.hits, 1);
    EXPECT_EQ(zero.current, 3);
    EXPECT_EQ(zero.max, 3);
    EXPECT_EQ(zero.maxBefore, 1);
    EXPECT_TRUE(zero.Overdue()); // three draws since, against one before
    const OmissionRow& five = tails.rows[5];
    EXPECT_EQ(five.hits, 0);
    EXPECT_EQ(five.current, 5);
    EXPECT_EQ(five.max, 5);
    EXPECT_DOUBLE_EQ(five.average, 5.0);
    // Sum tail 5 holds for 100 of the 1,000 numbers: (1 − 0.1) / 0.1.
    ASSERT_TRUE(five.expected.has_value());
    EXPECT_DOUBLE_EQ(*five.expected, 9.0);
    ASSERT_TRUE(five.Due().has_value());
    EXPECT_DOUBLE_EQ(*five.Due(), 1.0);
}

TEST(OmissionFigures, ExpectedOmissionIsExactWhereTheRatioIs) {
    // 百0路 holds for 400 numbers: 600 / 400 is 1.5 exactly, not 1.4999999999999998.
    const Analysis routes = RunAnalysis(AnalysisKind::Route012, {{"2026001", 0}}, 0);
    ASSERT_TRUE(routes.rows[0].expected.has_value());
    EXPECT_EQ(*routes.rows[0].expected, 1.5);
}

TEST(OmissionFigures, AnItemHeldEveryDrawHasNoDueRatio) {
    const std::vector<HistoricDraw> history{{"2026001", 111}, {"2026002", 111}};
    const Analysis shapes = RunAnalysis(AnalysisKind::Composite, history, 0);
    EXPECT_EQ(shapes.rows[0].item, "豹子");
    EXPECT_EQ(shapes.rows[0].hits, 2);
    EXPECT_DOUBLE_EQ(shapes.rows[0].average, 0.0);
    EXPECT_FALSE(shapes.rows[0].Due().has_value());
    EXPECT_FALSE(shapes.rows[0].Overdue());
}

TEST(OmissionFigures, NumbersOutsideTheRangeAreReadModuloAThousand) {
    const std::vector<HistoricDraw> odd{{"2026001", 1409}, {"2026002", -1}};
    const std::vector<HistoricDraw> plain{{"2026001", 409}, {"2026002", 999}};
    for (const AnalysisKind kind : kAnalysisKinds) {
        const Analysis a = RunAnalysis(kind, odd, 0);
        const Analysis b = RunAnalysis(kind, plain, 0);
        ASSERT_EQ(a.rows.size(), b.rows.size());
        for (std::size_t i = 0; i < a.rows.size(); ++i) {
            EXPECT_EQ(a.rows[i].hits, b.rows[i].hits) << a.name << " " << a.rows[i].item;
            EXPECT_EQ(a.rows[i].current, b.rows[i].current);
        }
    }
}

TEST(DanMethodFigures, ThePreviousDrawMayLieBeforeTheWindow) {
    const std::vector<HistoricDraw> history = testing_history::Random(9, 10);
    const Analysis one = RunAnalysis(AnalysisKind::DanMethods, history, 1);
    for (const DanMethodRow& row : one.danRows) {
        EXPECT_EQ(row.tested, 1) << row.item;
    }
    const Analysis all = RunAnalysis(AnalysisKind::DanMethods, history, 0);
    for (const DanMethodRow& row : all.danRows) {
        EXPECT_EQ(row.tested, 9) << row.item; // the oldest draw has nothing before it
    }
}

TEST(DanMethodFigures, ASingleDrawTestsNothing) {
    const Analysis dan = RunAnalysis(AnalysisKind::DanMethods, {{"2026001", 123}}, 0);
    ASSERT_EQ(dan.danRows.size(), 3u);
    for (const DanMethodRow& row : dan.danRows) {
        EXPECT_EQ(row.tested, 0);
        EXPECT_FALSE(row.chance.has_value());
        EXPECT_FALSE(row.hitRate.has_value());
    }
}

TEST(DanMethodFigures, HandWorkedDraws) {
    // After 878 in a draw ending in 8: method 3 gives 旧公式 78 新公式 46, digits 4 6 7 8;
    // method 1 sqrt(878) * 0.318 = 9.4226… → 94226, digits 2 4 6 9; method 2 878 * 0.618
    // = 542.604 → 5426, digits 2 4 5 6.
    const std::vector<HistoricDraw> history{{"2026017", 878}, {"2026018", 135}};
    const Analysis dan = RunAnalysis(AnalysisKind::DanMethods, history, 0);
    ASSERT_EQ(dan.danRows.size(), 3u);
    EXPECT_EQ(dan.danRows[0].item, "云杉算胆法");
    EXPECT_EQ(dan.danRows[0].hits, 0); // 1, 3, 5 against 2, 4, 6, 9
    EXPECT_EQ(dan.danRows[0].currentMiss, 1);
    EXPECT_EQ(dan.danRows[1].item, "黄金算胆法");
    EXPECT_EQ(dan.danRows[1].hits, 1); // 5
    EXPECT_EQ(dan.danRows[2].item, "qkrtz算胆法");
    EXPECT_EQ(dan.danRows[2].hits, 0); // 1, 3, 5 against 4, 6, 7, 8
    ASSERT_TRUE(dan.danRows[2].chance.has_value());
    EXPECT_DOUBLE_EQ(*dan.danRows[2].chance, 1 - 0.6 * 0.6 * 0.6);
}

} // namespace
} // namespace tarvex
