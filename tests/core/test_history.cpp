#include "io/DrawHistory.h"
#include "io/GbkCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using tarvex::DrawHistory;
using tarvex::GbkCodec;
using tarvex::HistoricDraw;
using tarvex::HistoryProblem;
using Kind = HistoryProblem::Kind;

struct HistoryCase {
    const char* name;
    std::string text;
    std::vector<HistoricDraw> draws;
    std::vector<HistoryProblem> problems;
};

HistoryProblem Unreadable(int line, const std::string& text) {
    return {Kind::Unreadable, {line}, {}, text, {}};
}

HistoryProblem Conflict(const std::string& issue, std::vector<int> lines) {
    return {Kind::Conflict, std::move(lines), issue, {}, {}};
}

const std::vector<HistoricDraw> kThree{{"2026153", 409}, {"2026154", 7}, {"2026155", 980}};

std::vector<HistoryCase> Cases() {
    return {
        {"ColumnsWithDateOldestFirst",
         "2026153 2026-06-08 4 0 9 13 9\n2026154 2026-06-09 0 0 7 7 7\n"
         "2026155 2026-06-10 9 8 0 17 9\n",
         kThree,
         {}},
        {"ColumnsNewestFirstWithTabsAndCrLf",
         "2026155\t2026/6/10\t9\t8\t0\r\n2026154\t2026/6/9\t0\t0\t7\r\n"
         "2026153\t2026/6/8\t4\t0\t9\r\n",
         kThree,
         {}},
        {"CsvWithHeaderZeroPadded",
         "期号,日期,号码\n2026153,2026-06-08,409\n2026154,2026-06-09,007\n"
         "2026155,2026-06-10,980\n",
         kThree,
         {}},
        {"CsvQuotedFieldsAndChineseDate",
         "\"期号\",\"日期\",\"号码\"\n\"2026154\",\"2026年6月9日\",\"007\"\n"
         "\"2026153\",\"2026年6月8日\",\"409\"\n\"2026155\",\"2026年6月10日\",\"980\"\n",
         kThree,
         {}},
        {"FreeNumberAfterIssue", "2026155 980\n2026153 409\n2026154 007\n", kThree, {}},
        {"FreeDigitsAfterIssue", "2026153 4 0 9\n2026154 0 0 7\n2026155 9 8 0\n", kThree, {}},
        {"FreeCommaDigits", "2026153,4,0,9\n2026154,0,0,7\n2026155,9,8,0\n", kThree, {}},
        {"FullWidthCommaAndIssueMarks",
         "第2026153期，409\n第2026154期，007\n2026155，980\n",
         kThree,
         {}},
        {"CompactDateAndTime",
         "2026153 20260608 21:15 409\n2026154 20260609 007\n",
         {{"2026153", 409}, {"2026154", 7}},
         {}},
        {"BlankAndHeadingLinesSkipped",
         "\n   \n福彩3D开奖历史\n期号 日期 百 十 个\n2026154 007\n\n",
         {{"2026154", 7}},
         {}},
        {"ExactDuplicatesDropped",
         "2026154 007\n2026153 409\n2026154 0 0 7\n2026154,007\n",
         {{"2026153", 409}, {"2026154", 7}},
         {}},
        {"ConflictingDuplicatesReportedNotGuessed",
         "2026153 409\n2026154 007\n2026155 980\n2026154 008\n",
         {{"2026153", 409}, {"2026155", 980}},
         {Conflict("2026154", {2, 4})}},
        {"IssuesCompareAsNumbers",
         "99999 123\n100000 456\n",
         {{"99999", 123}, {"100000", 456}},
         {}},
        {"UnreadableLinesNamedByNumber",
         "2026153 409\n2026154 40\n2026155 4 0\nabc 409\n2026156 1234\n409\n"
         "2026157 2026-06-12\n2026158 4 0 x\n",
         {{"2026153", 409}},
         {Unreadable(2, "2026154 40"), Unreadable(3, "2026155 4 0"), Unreadable(4, "abc 409"),
          Unreadable(5, "2026156 1234"), Unreadable(6, "409"), Unreadable(7, "2026157 2026-06-12"),
          Unreadable(8, "2026158 4 0 x")}},
        {"DateIsNeverTakenForTheIssue", "2026-06-08 409\n", {}, {Unreadable(1, "2026-06-08 409")}},
        {"NothingReadable", "only words here\n", {}, {}},
    };
}

class HistoryParse : public testing::TestWithParam<HistoryCase> {};

TEST_P(HistoryParse, ReadsDrawsAndReportsProblems) {
    const HistoryCase& c = GetParam();
    const tarvex::DrawHistoryResult result = DrawHistory::Parse(c.text);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.draws, c.draws);
    EXPECT_EQ(result.problems, c.problems);
    EXPECT_EQ(result.ProblemMessages().size(), static_cast<qsizetype>(c.problems.size()));
}

INSTANTIATE_TEST_SUITE_P(Forms, HistoryParse, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<HistoryCase>& info) {
                             return std::string(info.param.name);
                         });

class HistoryFile : public testing::Test {
protected:
    QString Put(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir dir_;
};

TEST_F(HistoryFile, ReadsGbkAndUtf8Alike) {
    const QString text = QStringLiteral("期号,日期,号码\r\n第2026154期,2026-06-09,007\r\n");
    const QByteArray gbkBytes = GbkCodec::Native().Encode(text).value_or(QByteArray());
    ASSERT_NE(gbkBytes, text.toUtf8());
    for (const QByteArray& bytes : {gbkBytes, text.toUtf8(), "\xEF\xBB\xBF" + text.toUtf8()}) {
        const auto result = DrawHistory::Load(Put("h.txt", bytes));
        ASSERT_TRUE(result.ok()) << result.error.toStdString();
        EXPECT_EQ(result.draws, (std::vector<HistoricDraw>{{"2026154", 7}}));
        EXPECT_TRUE(result.problems.empty());
    }
}

TEST_F(HistoryFile, MissingFileOrFolderIsAnErrorNamingIt) {
    for (const QString& path : {dir_.filePath("absent.txt"), dir_.path()}) {
        const auto result = DrawHistory::Load(path);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.error.contains(path)) << result.error.toStdString();
        EXPECT_TRUE(result.draws.empty());
    }
}

// A second file added to a first: exact repeats are dropped, the draws sorted, and a 期号
// the files give different numbers refused and reported with each file and line.
struct MergeCase {
    const char* name;
    std::string first;
    std::string second;
    std::vector<HistoricDraw> draws;
    std::vector<HistoryProblem> problems;
};

class HistoryMerge : public testing::TestWithParam<MergeCase> {
protected:
    QTemporaryDir dir_;
};

TEST_P(HistoryMerge, ReadsBothAsOne) {
    const MergeCase& c = GetParam();
    QStringList paths;
    for (const auto& [name, text] : {std::pair{"a.txt", c.first}, std::pair{"b.csv", c.second}}) {
        QFile file(dir_.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        paths << file.fileName();
    }
    const tarvex::DrawHistoryResult result = DrawHistory::LoadAll(paths);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.draws, c.draws);
    EXPECT_EQ(result.problems, c.problems);
}

HistoryProblem In(HistoryProblem p, std::vector<std::string> files) {
    p.files = std::move(files);
    return p;
}

std::vector<MergeCase> MergeCases() {
    return {
        {"RepeatsDroppedAndSorted",
         "2026153 409\n2026155 980\n",
         "期号,号码\n2026156,222\n2026152,111\n2026155,980\n",
         {{"2026152", 111}, {"2026153", 409}, {"2026155", 980}, {"2026156", 222}},
         {}},
        {"ConflictBetweenFilesNamesEach",
         "2026153 409\n2026154 007\n",
         "期号,号码\n2026154,008\n2026153,409\n",
         {{"2026153", 409}},
         {In(Conflict("2026154", {2, 2}), {"a.txt", "b.csv"})}},
        {"ConflictWithinAndBetween",
         "2026154 007\n2026154 007\n",
         "2026154 007\n2026154 117\n",
         {},
         {In(Conflict("2026154", {1, 2, 1, 2}), {"a.txt", "a.txt", "b.csv", "b.csv"})}},
        {"UnreadableLinesNameTheirFile",
         "2026153 409\n",
         "2026154 40\n",
         {{"2026153", 409}},
         {In(Unreadable(1, "2026154 40"), {"b.csv"})}},
    };
}

INSTANTIATE_TEST_SUITE_P(Files, HistoryMerge, testing::ValuesIn(MergeCases()),
                         [](const testing::TestParamInfo<MergeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(HistoryMergeMessages, ConflictNamesFilesAndLines) {
    tarvex::DrawHistoryResult result;
    result.problems = {In(Conflict("2004001", {1, 732}), {"fc3d-history.txt", "old.csv"})};
    EXPECT_EQ(result.ProblemMessages(),
              QStringList{QStringLiteral("期号 2004001 出现在“fc3d-history.txt”第 1 行、"
                                         "“old.csv”第 732 行，号码不同，这一期没有采用")});
    result.problems = {Conflict("2004001", {1, 732})};
    EXPECT_EQ(
        result.ProblemMessages(),
        QStringList{QStringLiteral("期号 2004001 出现在第 1、732 行，号码不同，这一期没有采用")});
}

TEST(HistoryMergeErrors, AFileThatCannotBeReadStopsIt) {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.txt"));
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("2026153 409\n");
    file.close();
    const QString absent = dir.filePath(QStringLiteral("absent.txt"));
    const tarvex::DrawHistoryResult result = DrawHistory::LoadAll({good, absent});
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(absent)) << result.error.toStdString();
    EXPECT_TRUE(result.draws.empty());
}

TEST_F(HistoryFile, BinaryGarbageGivesProblemsNotACrash) {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes += static_cast<char>((i * 37 + 11) % 256);
    }
    const auto result = DrawHistory::Load(Put("junk.bin", bytes));
    ASSERT_TRUE(result.ok());
    for (const HistoricDraw& draw : result.draws) {
        EXPECT_GE(draw.number, 0);
        EXPECT_LE(draw.number, 999);
    }
}

} // namespace
