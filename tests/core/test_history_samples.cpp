#include "AnalysisFixtures.h"

#include "io/DrawHistory.h"

#include <QFile>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace tarvex {
namespace {

std::string Bytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

struct Sample {
    const char* file;
    std::size_t draws;
    const char* first;
    const char* last;
};

class ShippedHistory : public testing::TestWithParam<Sample> {};

TEST_P(ShippedHistory, ReadsWithoutProblems) {
    const DrawHistoryResult result =
        DrawHistory::Load(QStringLiteral(TARVEX_DATA_DIR "/") + GetParam().file);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_TRUE(result.problems.empty());
    ASSERT_EQ(result.draws.size(), GetParam().draws);
    EXPECT_EQ(result.draws.front().issue, GetParam().first);
    EXPECT_EQ(result.draws.back().issue, GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedHistory,
                         testing::Values(Sample{"fc3d-history.txt", 7731, "2004001", "2026224"},
                                         Sample{"pl3-history.txt", 7699, "04001", "26224"}));

// The old CSV numbers its 2004 draws differently from the national file: read together, the
// 期号 they share with other numbers must be refused rather than one of them taken.
TEST(HistoryFilesTogether, TheOld3dCsvConflictsWithTheNationalFileOn2004001To2004075) {
    const std::string national = Bytes(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
    const std::string old = Bytes(QStringLiteral(TARVEX_TEST_DATA_DIR "/fc3d-history-2002.csv"));
    const DrawHistoryResult alone = DrawHistory::Parse(old);
    EXPECT_TRUE(alone.problems.empty());
    const DrawHistoryResult both = DrawHistory::Parse(national + old);

    std::set<std::string> conflicts;
    for (const HistoryProblem& p : both.problems) {
        ASSERT_EQ(p.kind, HistoryProblem::Kind::Conflict) << p.text;
        EXPECT_EQ(p.lines.size(), 2u) << p.issue;
        conflicts.insert(p.issue);
    }
    std::set<std::string> expected;
    for (int i = 1; i <= 75; ++i) {
        expected.insert(std::to_string(2004000 + i));
    }
    EXPECT_EQ(conflicts, expected);

    // Every other 期号 is read once, with the number both files agree on.
    const std::vector<HistoricDraw>& nationalDraws = testing_history::Shipped("fc3d-history.txt");
    std::map<std::string, int> merged;
    for (const HistoricDraw& d : both.draws) {
        merged[d.issue] = d.number;
    }
    EXPECT_EQ(merged.size(), both.draws.size());
    EXPECT_EQ(both.draws.size(), alone.draws.size() - 75);
    for (const HistoricDraw& d : nationalDraws) {
        if (expected.count(d.issue) == 0) {
            EXPECT_EQ(merged.at(d.issue), d.number) << d.issue;
        } else {
            EXPECT_EQ(merged.count(d.issue), 0u) << d.issue;
        }
    }
}

// Added to the loaded national file in the window, the old CSV gives the same 75 conflicts,
// each naming the two files and the line in each.
TEST(HistoryFilesTogether, AddingTheOldCsvToTheNationalFileNamesBothFiles) {
    const QString national = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");
    const QString old = QStringLiteral(TARVEX_TEST_DATA_DIR "/fc3d-history-2002.csv");
    const DrawHistoryResult added = DrawHistory::LoadAll({national, old});
    ASSERT_TRUE(added.ok()) << added.error.toStdString();
    const DrawHistoryResult together = DrawHistory::Parse(Bytes(national) + Bytes(old));
    EXPECT_EQ(added.draws, together.draws);
    ASSERT_EQ(added.problems.size(), 75u);
    for (const HistoryProblem& p : added.problems) {
        EXPECT_EQ(p.files, (std::vector<std::string>{"fc3d-history.txt", "fc3d-history-2002.csv"}))
            << p.issue;
        ASSERT_EQ(p.lines.size(), 2u) << p.issue;
    }
    // 2004001 is the national file's first line; the CSV has a heading and then 2002 and 2003.
    const QString first = added.ProblemMessages().front();
    EXPECT_TRUE(first.startsWith(QStringLiteral("期号 2004001 出现在“fc3d-history.txt”第 1 行、"
                                                "“fc3d-history-2002.csv”第 ")))
        << first.toStdString();
}

} // namespace
} // namespace tarvex
