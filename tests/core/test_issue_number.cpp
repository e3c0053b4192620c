#include "history/IssueNumber.h"
#include "io/DrawHistory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tarvex::DrawHistory;
using tarvex::IssueNumber;

struct NextCase {
    const char* newest;
    const char* newestDate;
    const char* addedDate;
    const char* next;
};

TEST(IssueNumber, NextFollowsTheYearOfTheAddedDraw) {
    const NextCase cases[] = {
        {"2026224", "2026-08-20", "2026-08-21", "2026225"},
        {"2026224", "2026-08-20", "", "2026225"},
        {"2025358", "2025-12-31", "2026-01-01", "2026001"},
        {"2025358", "2025-12-31", "2025-12-31", "2025359"},
        {"25358", "2025-12-31", "2026-01-02", "26001"},
        {"26258", "", "", "26259"},
        {"2026999", "", "", "2027001"},
        {"12345678", "", "", ""},
    };
    for (const NextCase& c : cases) {
        EXPECT_EQ(IssueNumber::Next(c.newest, c.newestDate, c.addedDate), c.next) << c.newest;
    }
}

TEST(IssueNumber, FiveAndSevenDigitFormsAreOneDraw) {
    EXPECT_TRUE(IssueNumber::Same("26258", "2026258"));
    EXPECT_TRUE(IssueNumber::Same("2026258", "26258"));
    EXPECT_FALSE(IssueNumber::Same("26258", "2026259"));
    EXPECT_FALSE(IssueNumber::Same("26258", "2016258"));
    EXPECT_TRUE(IssueNumber::Same("123456", "123456"));
}

TEST(DrawHistoryFields, DateAndTrialAreKeptBesideTheNumber) {
    const auto result = DrawHistory::Parse("2026001 2026/1/2 1 2 3 4 5 6\n"
                                           "2026002,20260103,789,012\n"
                                           "2026003 2026年1月4日 3 4 5\n"
                                           "2026004 456\n");
    ASSERT_EQ(result.draws.size(), 4U);
    const std::string dates[] = {"2026-01-02", "2026-01-03", "2026-01-04", ""};
    const std::string trials[] = {"456", "012", "", ""};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(result.draws[i].date, dates[i]) << i;
        EXPECT_EQ(result.draws[i].trial, trials[i]) << i;
    }
    EXPECT_EQ(result.draws[1].number, 789);
}

} // namespace
