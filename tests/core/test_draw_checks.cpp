#include "io/DrawChecks.h"
#include "io/DrawTextReader.h"
#include "io/PlayerHistory.h"
#include "io/PlayerHistoryCheck.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

const QDate kToday(2026, 8, 26);

// The rules of a typed draw, the same in the window and `history add`: each row is refused
// (with a word of why) or taken.
TEST(DrawChecks, ATypedDrawIsTakenOnlyWhenItCanBeReal) {
    struct Row {
        const char *issue, *number, *date, *trial, *why; // why: empty when taken
    };
    const Row rows[] = {
        {"2026225", "051", "2026-08-23", "907", ""},
        {"26225", "051", "", "", ""},
        {"2025358", "111", "2025-12-31", "", ""},
        {"2026000", "051", "", "", "期数 0"},
        {"2026999", "051", "", "", "期数 999"},
        {"2026239", "051", "", "", "期数 239"}, // after today's day of the year
        {"9999999", "051", "", "", "9999"},
        {"0000001", "051", "", "", "年份 0"},
        {"2026", "051", "", "", "5 位"},
        {"2026225", "51", "", "", "号码"},
        {"2026225", "051", "2026-02-30", "", "2026-02-30"},
        {"2026225", "051", "2026-13-45", "", "2026-13-45"},
        {"2026225", "051", "2099-08-23", "", "之后"},
        {"2026225", "051", "2026-08-27", "", "之后"},
        {"2026225", "051", "2025-08-23", "", "2025 年"},
        {"2026225", "051", "2026-01-05", "", "第 5 天"},
        {"2026225", "051", "", "9x7", "试机号"},
    };
    for (const Row& row : rows) {
        const QString why = DrawChecks::Refusal(
            QString::fromLatin1(row.issue), QString::fromLatin1(row.number),
            QString::fromLatin1(row.date), QString::fromLatin1(row.trial), kToday);
        EXPECT_EQ(why.isEmpty(), QByteArray(row.why).isEmpty()) << row.issue << " " << row.date;
        EXPECT_TRUE(why.contains(QString::fromUtf8(row.why))) << why.toStdString();
    }
    EXPECT_FALSE(DrawChecks::SourceRefusal({"2026225", 51, "", ""}, kToday).isEmpty())
        << "a source's draw needs its date";
}

TEST(DrawChecks, WarningsNameADateOutOfOrderSkippedDrawsAndNoDate) {
    const PlayerHistoryFile file =
        PlayerHistory::ParseBytes("2026222 2026-08-20 3 8 0\n2026224 2026-08-22 8 6 2\n");
    const auto warned = [&](const HistoricDraw& draw) {
        return DrawChecks::Warnings(file, draw).join(u'\n');
    };
    EXPECT_EQ(warned({"2026225", 51, "2026-08-23", ""}), QString());
    EXPECT_TRUE(warned({"2026223", 51, "2027-01-23", ""}).contains(QStringLiteral("下一期")));
    EXPECT_TRUE(warned({"2026225", 51, "2026-08-21", ""}).contains(QStringLiteral("上一期")));
    EXPECT_TRUE(warned({"2026228", 51, "2026-08-26", ""}).contains(QStringLiteral("跳过了 3 期")));
    EXPECT_TRUE(warned({"2026225", 51, "", ""}).contains(QStringLiteral("没有日期")));
}

// A draw added without a date does not make an old history look current.
TEST(DrawChecks, AgeFollowsTheNewestDatedDraw) {
    const PlayerHistoryFile file =
        PlayerHistory::ParseBytes("2026224 2026-08-22 8 6 2\n2026225 0 5 1\n");
    const PlayerHistoryCheck check = PlayerHistoryCheck::Of(file, QDate(2026, 12, 10));
    EXPECT_TRUE(check.stale);
    EXPECT_EQ(check.daysSince, 110);
}

// A pasted table's figures such as 总销售额 586,251,484 are not read as the 试机号.
TEST(DrawChecks, APastedSalesColumnIsNotATrialNumber) {
    const DrawHistoryResult read = DrawTextReader::Read(
        "2026225\t2026-08-23(日)\t0 5 1\t586,251,484\n2026226\t2026-08-24(一)\t4 5 6\t9 0 7\n"
        "2026227,2026-08-25,123,456\n");
    ASSERT_EQ(read.draws.size(), 3u);
    EXPECT_EQ(read.draws[0].trial, "");
    EXPECT_EQ(read.draws[1].trial, "907");
    EXPECT_EQ(read.draws[2].trial, "456"); // a CSV keeps its columns
}

} // namespace
} // namespace tarvex
