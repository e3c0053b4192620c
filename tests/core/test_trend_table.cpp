#include "AnalysisFixtures.h"

#include "history/TrendTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace tarvex {
namespace {

struct TrendCase {
    std::string name;
    std::vector<HistoricDraw> (*make)();
    std::size_t last;
};

void PrintTo(const TrendCase& c, std::ostream* os) {
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
    return testing_history::Random(11, 1);
}
std::vector<HistoricDraw> Random() {
    return testing_history::Random(12, 400);
}
std::vector<HistoricDraw> FewNumbers() {
    return testing_history::Random(13, 200, 4);
}

class TrendAgainstCount : public testing::TestWithParam<TrendCase> {};

TEST_P(TrendAgainstCount, EveryCellOfEveryRow) {
    const std::vector<HistoricDraw> history = GetParam().make();
    const TrendTable table(history, GetParam().last);
    const std::vector<HistoricDraw> window = model::Window(history, GetParam().last);
    ASSERT_EQ(table.size(), window.size());
    EXPECT_EQ(table.empty(), window.empty());
    for (std::size_t r = 0; r < window.size(); ++r) {
        const TrendRow& row = table[r];
        const std::string text = model::Text3(window[r].number);
        ASSERT_EQ(row.issue, window[r].issue);
        ASSERT_EQ(row.number, window[r].number);
        EXPECT_EQ(row.sum, (text[0] - '0') + (text[1] - '0') + (text[2] - '0'));
        EXPECT_EQ(row.span, *std::max_element(text.begin(), text.end()) -
                                *std::min_element(text.begin(), text.end()));
        EXPECT_EQ(row.shape, static_cast<int>(std::set<char>(text.begin(), text.end()).size()) - 1);
        for (int p = 0; p < 3; ++p) {
            for (int d = 0; d < 10; ++d) {
                ASSERT_EQ(row.omission[static_cast<std::size_t>(p)][static_cast<std::size_t>(d)],
                          model::TrendCell(window, r, p, d))
                    << "row " << r << " position " << p << " digit " << d;
            }
        }
    }
}

std::vector<TrendCase> Cases() {
    return {{"Fc3d", Fc3d, 0},
            {"Fc3d", Fc3d, 100},
            {"Fc3d", Fc3d, 1},
            {"Pl3", Pl3, 0},
            {"Pl3", Pl3, 30},
            {"Empty", Empty, 0},
            {"Single", Single, 0},
            {"Single", Single, 5},
            {"Random", Random, 0},
            {"Random", Random, 2},
            {"FewNumbers", FewNumbers, 0},
            {"FewNumbers", FewNumbers, 150}};
}

INSTANTIATE_TEST_SUITE_P(Histories, TrendAgainstCount, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<TrendCase>& info) {
                             return info.param.name + "Last" + std::to_string(info.param.last);
                         });

TEST(TrendTable, CountsStartWithTheWindow) {
    // The draw before the window had 4 in the hundreds place; the window does not look back.
    const std::vector<HistoricDraw> history{{"2026001", 409}, {"2026002", 7}, {"2026003", 980}};
    const TrendTable table(history, 2);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].omission[0][0], 0); // 007: hundreds 0
    EXPECT_EQ(table[0].omission[0][4], 1);
    EXPECT_EQ(table[1].omission[0][4], 2);
    EXPECT_EQ(table[1].omission[0][0], 1);
    EXPECT_EQ(table[1].omission[0][9], 0);
    EXPECT_EQ(table[1].omission[2][7], 1);
}

} // namespace
} // namespace tarvex
