#include "io/DrawHistory.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

#include <string>

namespace tarvex {
namespace {

const char* const kLines[] = {"2026001 1 2 3", "2026002 2026-01-02 456", "2026003,2026/1/3,789"};

std::string Joined(const char* end) {
    std::string text;
    for (const char* line : kLines)
        text += std::string(line) + end;
    return text;
}

// CR LF, LF and a lone CR each end a line, in a whole file and mixed within one, read from
// bytes and from text alike.
TEST(HistoryHostile, EveryLineEndEndsALine) {
    const DrawHistoryResult lf = DrawHistory::Parse(Joined("\n"));
    ASSERT_EQ(lf.draws.size(), 3u);
    const std::string mixed = std::string(kLines[0]) + "\r" + kLines[1] + "\r\n" + kLines[2];
    for (const std::string& text : {Joined("\r"), Joined("\r\n"), mixed}) {
        const DrawHistoryResult parsed = DrawHistory::Parse(text);
        const DrawHistoryResult bytes = DrawHistory::ParseBytes(QByteArray::fromStdString(text));
        EXPECT_EQ(parsed.draws, lf.draws);
        EXPECT_EQ(bytes.draws, lf.draws);
        EXPECT_TRUE(bytes.problems.empty());
    }
}

// A CR LF pair is one line end, so the line numbers of warnings stay those an editor shows.
TEST(HistoryHostile, CrLfCountsAsOneLine) {
    const DrawHistoryResult read = DrawHistory::ParseBytes("2026001 123\r\nabc 12345\r\n");
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].lines, std::vector<int>{2});
}

// 16 MB of full-width commas after a draw: the draw is read (a quadratic reader never got
// here), and so is one of semicolons and blanks mixed with a long field of digits.
TEST(HistoryHostile, SixteenMegabyteLineIsRead) {
    std::string line = "2026001 123";
    while (line.size() < 16'000'000)
        line += "，";
    const DrawHistoryResult commas = DrawHistory::ParseBytes(QByteArray::fromStdString(line));
    ASSERT_EQ(commas.draws.size(), 1u);
    EXPECT_EQ(commas.draws[0].number, 123);
    std::string digits = "2026002 " + std::string(8'000'000, '7');
    for (int i = 0; i < 500'000; ++i)
        digits += "；　";
    const DrawHistoryResult field = DrawHistory::ParseBytes(QByteArray::fromStdString(digits));
    EXPECT_TRUE(field.draws.empty());
    ASSERT_EQ(field.problems.size(), 1u);
    EXPECT_LT(field.ProblemMessages().front().size(), 200);
}

// Dates and times in every written form are still taken, and near misses are not.
TEST(HistoryHostile, DatesAndTimesAreRecognisedWithoutPatterns) {
    const DrawHistoryResult read = DrawHistory::Parse("2026001 2026-1-2 123\n"
                                                      "2026002 2026年1月3日 20:30 456\n"
                                                      "2026003 2026年1月4 20:30:00 789\n"
                                                      "2026004 20260105 012\n"
                                                      "2026005 2026.01.06 345\n");
    ASSERT_EQ(read.draws.size(), 5u);
    EXPECT_EQ(read.draws[1].date, "2026-01-03");
    EXPECT_EQ(read.draws[2].date, "2026-01-04");
    EXPECT_EQ(read.draws[3].date, "2026-01-05");
    EXPECT_EQ(read.draws[4].number, 345);
    // "2026-1-2-3" is no date, so its line reads no number after the 期号.
    EXPECT_EQ(DrawHistory::Parse("2026009 2026-1-2-3 123\n").draws.size(), 0u);
}

// One 期号 on 100,000 lines with different numbers: one warning of bounded length that still
// says how many lines there were.
TEST(HistoryHostile, ConflictListsTwentyLinesAndACount) {
    std::string text;
    for (int i = 0; i < 100'000; ++i)
        text += "2026001 " + std::to_string(100 + i % 900) + "\n";
    const DrawHistoryResult read = DrawHistory::Parse(text);
    ASSERT_EQ(read.problems.size(), 1u);
    const QString message = read.ProblemMessages().front();
    EXPECT_LT(message.size(), 400);
    EXPECT_TRUE(message.contains(QStringLiteral("100000"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("、20 "))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("、21"))) << message.toStdString();
}

// Notepad's "Unicode" (UTF-16 with or without its byte-order mark, either byte order) reads
// as the same draws as UTF-8.
TEST(HistoryHostile, Utf16HistoryIsRead) {
    const QString text = QStringLiteral("福彩3D\r\n第2026001期 1 2 3\r\n2026002，456\r\n");
    const DrawHistoryResult plain = DrawHistory::ParseBytes(text.toUtf8());
    ASSERT_EQ(plain.draws.size(), 2u);
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        for (const bool bom : {true, false}) {
            QStringEncoder encoder(encoding, bom ? QStringEncoder::Flag::WriteBom
                                                 : QStringEncoder::Flag::Default);
            const QByteArray bytes = encoder.encode(text);
            const DrawHistoryResult read = DrawHistory::ParseBytes(bytes);
            EXPECT_EQ(read.draws, plain.draws) << bom;
            EXPECT_TRUE(read.problems.empty()) << bom;
        }
    }
}

} // namespace
} // namespace tarvex
