#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class CliFourthRound : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;
};

// A record named with ESC, U+202E and CR, an entry edited to carry them in its fields, a
// 300-character history name: shown escaped and cut, in the table, JSON and messages.
TEST_F(CliFourthRound, FileNamesAndRecordFieldsAreEscapedAndCut) {
    TARVEX_NEEDS_POSIX_SHELL();
    ASSERT_TRUE(QDir(Dir().path()).mkdir(QString(200, u'h'))); // no one name is that long
    const QString history =
        Put(QString(200, u'h') + u'/' + QString(100, u'h') + ".txt", "2026106 2026-04-16 3 1 6\n");
    const QString record = Put(QStringLiteral("r\x1B[31m\u202E\r.jsonl"),
                               R"({"time":"2026-04-16T09:00:00+08:00","lottery":"3D\u001b[2J",)"
                               R"("issue":"2026106\u202e","held":"","schemeId":")" +
                                   QByteArray(5000, 'a') +
                                   R"(","scheme":{},"count":1,"survivors":"316"})"
                                   "\n{\"torn");
    for (const QStringList& json : {QStringList(), QStringList{"--json"}}) {
        const Outcome o =
            Run(QStringList{"record", "--record", record, "--history", history} + json);
        ASSERT_EQ(o.status, 0) << o.err.toStdString();
        for (const char* raw : {"\x1B", "\u202E", "\r"})
            EXPECT_FALSE((o.out + o.err).contains(raw)) << (o.out + o.err).toStdString();
        EXPECT_TRUE(o.err.contains("\\x1B[31m\\u202E\\r.jsonl")) << o.err.toStdString();
        EXPECT_LT(o.out.size(), 2000);
    }
    const Outcome missing = Run({"record", "--record", record, "--history", history + "x"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains("h…h") &&
                missing.err.contains(QString(90, u'h').toUtf8() + ".txtx"))
        << missing.err.toStdString();
}

// An argument error: its message and the usage of its own command, not every command's.
TEST_F(CliFourthRound, AnArgumentErrorShowsItsCommandsUsageOnly) {
    const auto lines = [](const QByteArray& text) {
        return std::count(text.begin(), text.end(), '\n');
    };
    const qsizetype all = lines(Run({"--help"}).out);
    for (const auto& [arguments, synopsis] : std::vector<std::pair<QStringList, QByteArray>>{
             {{"run", "--tolerance", "abc"}, "tarvex-cli run"},
             {{"rules", "search", "--top", "x"}, "tarvex-cli rules search"},
             {{"nonsense"}, "tarvex-cli run|"}}) {
        const Outcome o = Run(arguments);
        EXPECT_EQ(o.status, 2);
        EXPECT_TRUE(o.err.contains(synopsis) && o.err.contains("tarvex-cli --help"))
            << o.err.toStdString();
        EXPECT_LT(lines(o.err) * 10, all) << o.err.toStdString();
    }
}

// Notepad's "Unicode" number file, either byte order, with or without its mark, is read.
TEST_F(CliFourthRound, AUtf16NumberFileIsRead) {
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        for (const auto mark :
             {QStringConverter::Flag::WriteBom, QStringConverter::Flag::Default}) {
            const QString file = Put(
                "大底.txt", QStringEncoder(encoding, mark)(QStringLiteral("123 456\r\n789\r\n")));
            const Outcome o = Run({"sets", "or", "--json", file, file});
            ASSERT_EQ(o.status, 0) << o.err.toStdString();
            EXPECT_EQ(Json(o)["count"].toInt(), 3) << o.out.toStdString();
        }
    }
}

// 334 numbers over three draws: the chance 1002/3000 prints as 0.334.
TEST_F(CliFourthRound, ASetRecordsChanceIsTheNearestDoubleOfItsFraction) {
    QByteArray numbers;
    for (int n = 0; n < 334; ++n)
        numbers += QByteArray::number(n).rightJustified(3, '0') + ' ';
    const Outcome o = Run({"sets", "record", "--history", TARVEX_DATA_DIR "/fc3d-history.txt",
                           "--last", "3", "--json", Put("大底.txt", numbers)});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_TRUE(o.out.contains("0.334") && !o.out.contains("0.33399")) << o.out.toStdString();
}

} // namespace
