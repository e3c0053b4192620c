#include "io/DrawHistory.h"
#include "io/GbkCodec.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

QByteArray Gbk(const char* utf8) {
    return GbkCodec::Native().Encode(QString::fromUtf8(utf8)).value_or(QByteArray());
}

// Fifty good draws in UTF-8 with Chinese 期号 marks, and one stray Latin-1 line: the stray line
// alone is lost, and its warning says it could not be decoded.
TEST(HistoryEncodings, OneStrayLineCostsOnlyItself) {
    QByteArray bytes = "\xEF\xBB\xBF福彩3D开奖历史\n";
    for (int i = 1; i <= 50; ++i)
        bytes += QStringLiteral("第%1期 2026-01-01 1 2 3\n").arg(2026000 + i).toUtf8();
    bytes += "caf\xE9 au lait 2026099 4 5 6\n";
    const DrawHistoryResult read = DrawHistory::ParseBytes(bytes);
    ASSERT_EQ(read.draws.size(), 50u);
    EXPECT_EQ(read.draws.front().issue, "2026001");
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_EQ(read.problems[0].kind, HistoryProblem::Kind::Undecodable);
    EXPECT_EQ(read.problems[0].lines, std::vector<int>{52});
    const QString message = read.ProblemMessages().front();
    EXPECT_TRUE(message.contains(QStringLiteral("无法解码"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("第 52 行"))) << message.toStdString();
}

// GBK and UTF-8 lines in one file (two files pasted together) are each read in their own.
TEST(HistoryEncodings, GbkAndUtf8LinesMix) {
    const QByteArray bytes =
        Gbk("第2026001期 1 2 3\r\n") + "第2026002期 4 5 6\r\n" + Gbk("2026003，7，8，9\r\n");
    const DrawHistoryResult read = DrawHistory::ParseBytes(bytes);
    EXPECT_TRUE(read.problems.empty());
    ASSERT_EQ(read.draws.size(), 3u);
    EXPECT_EQ(read.draws[0].number, 123);
    EXPECT_EQ(read.draws[1].number, 456);
    EXPECT_EQ(read.draws[2].number, 789);
}

// Plain ASCII and UTF-8 files read as they always have.
TEST(HistoryEncodings, WholeUtf8FileReadsAsParse) {
    const std::string text = "期号,日期,号码\n2026101,2026-04-11,409\n2026102,2026-04-12,007\n";
    const DrawHistoryResult bytes = DrawHistory::ParseBytes(QByteArray::fromStdString(text));
    const DrawHistoryResult parsed = DrawHistory::Parse(text);
    EXPECT_EQ(bytes.draws, parsed.draws);
    EXPECT_EQ(bytes.problems, parsed.problems);
}

} // namespace
} // namespace tarvex
