#include "history/RuleText.h"
#include "io/JsonWriter.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace tarvex {
namespace {

RuleJudgement Judged(RuleTarget target, const char* formula, int tested, int right,
                     long long chanceCount, long long spread, int next) {
    RuleJudgement j{{target, formula}};
    j.tested = tested;
    j.right = right;
    j.chanceCount = chanceCount;
    j.chanceSpread = spread;
    j.maxMiss = 4;
    j.currentMiss = 1;
    j.next = next;
    return j;
}

TEST(RuleText, TableShowsEveryFigureAndTheVerdict) {
    // 1,000 draws at chance 0.9: the standard error is sqrt(1000 × 0.09) / 1000 ≈ 0.0095.
    const RuleJudgement luck =
        Judged(RuleTarget::SumTail, "和1+3", 1000, 905, 900000, 1000LL * 900 * 100, 9);
    const RuleJudgement better =
        Judged(RuleTarget::SumTail, "和1", 1000, 930, 900000, 1000LL * 900 * 100, kNoRuleValue);
    const RuleJudgement worse =
        Judged(RuleTarget::Dan, "期", 1000, 200, 271000, 1000LL * 271 * 729, 3);
    const std::string table = RuleText::Table({luck, better, worse}, 1200, "2026225");
    EXPECT_EQ(table.rfind("共 1200 期，下期 2026225\n", 0), 0u) << table;
    EXPECT_NE(
        table.find("杀和尾  和1+3  1000   905    90.50%   90.00%   +0.50%   4        1        "
                   "9    与机会无异\n"),
        std::string::npos)
        << table;
    EXPECT_NE(table.find("93.00%   90.00%   +3.00%   4        1        -    高于机会\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("20.00%   27.10%   -7.10%   4        1        3    低于机会\n"),
              std::string::npos)
        << table;
}

TEST(RuleText, PercentRoundsAndSignsMargins) {
    EXPECT_EQ(RuleText::Percent({9, 10}), "90.00%");
    EXPECT_EQ(RuleText::Percent({90174, 100000}), "90.17%");
    EXPECT_EQ(RuleText::Percent({17, 10000}, true), "+0.17%");
    EXPECT_EQ(RuleText::Percent({-89, 10000}, true), "-0.89%");
    EXPECT_EQ(RuleText::Percent({-1, 100000}, true), "0.00%");
    EXPECT_EQ(RuleText::Percent({0, 0}), "0.00%");
    EXPECT_EQ(RuleText::Values({3, kNoRuleValue, 0}), "3 - 0");
}

TEST(RuleText, BacktestTableMarksStoppedDrawsAndSumsUp) {
    RuleBacktestResult r;
    r.draws.push_back({{"2026101", 409, false, true, {" 和尾 "}, 900}, {3, 5}, 990, ""});
    r.draws.push_back(
        {{"2026102", 7, false, false, {}, 0}, {4, 1}, 0, "你选择了出2胆，胆的数目不能小于2个"});
    r.conditions = {{" 胆 ", 0}, {" 和尾 ", 1}};
    r.wonAfterTolerance = 1;
    r.stopped = 1;
    r.countPlayed = 900;
    r.toleranceCountPlayed = 990;
    r.settingsRun = 2;
    const std::string table = RuleText::BacktestTable(r, 2);
    EXPECT_NE(table.find("2026101     409   3 5     否      是      900   990       和尾\n"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("2026102     007   4 1     停止：你选择了出2胆"), std::string::npos)
        << table;
    EXPECT_NE(table.find("杀号后中 0 期，容错 2 级后中 1 期"), std::string::npos) << table;
    EXPECT_NE(
        table.find(
            "杀号后共 900 注，随机选同样多的注平均中 0.90 期；容错后共 990 注，随机平均中 0.99 期"),
        std::string::npos)
        << table;
    EXPECT_NE(table.find("其中 1 期杀组合因检查提示而停止"), std::string::npos) << table;
    // Without spans the rows hold the whole window alone; no chance figures were given.
    EXPECT_NE(table.find("和尾          1               0.00\n"), std::string::npos) << table;
}

// Unrounded means the printed text reads back as the very same double.
TEST(JsonWriter, DoublesRoundTripExactly) {
    std::mt19937_64 random(5);
    std::vector<double> values{0.9,    0.1 + 0.2, 1.0 / 3, 0.0,    -0.0,
                               1e-300, 5e-324,    1e300,   7730.0, 0.90168175937904265};
    for (int i = 0; i < 2000; ++i) {
        values.push_back(static_cast<double>(random()) / static_cast<double>(random() | 1));
    }
    JsonWriter json;
    json.BeginArray();
    for (const double v : values) {
        json.Double(v);
    }
    json.Double(std::numeric_limits<double>::quiet_NaN());
    json.Double(std::numeric_limits<double>::infinity());
    json.EndArray();
    const QByteArray text = json.Take();
    QJsonParseError error;
    const QJsonArray read = QJsonDocument::fromJson(text, &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << text.left(200).toStdString();
    ASSERT_EQ(read.size(), static_cast<qsizetype>(values.size() + 2));
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(read[static_cast<qsizetype>(i)].toDouble(), values[i]) << i;
    }
    EXPECT_TRUE(read[read.size() - 2].isNull());
    EXPECT_TRUE(read[read.size() - 1].isNull());
}

} // namespace
} // namespace tarvex
