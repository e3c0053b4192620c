#include <QDir>
#include <QFile>
#include <QStringEncoder>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kRealHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

class CliFourthRound : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;
    // Neither a raw control character nor a direction override reaches the terminal.
    static void ExpectNoRawControls(const QByteArray& text) {
        EXPECT_FALSE(text.contains('\x1B')) << text.left(400).toStdString();
        EXPECT_FALSE(text.contains("\u202E")) << text.left(400).toStdString();
        EXPECT_FALSE(text.contains('\r'));
    }
};

// A record named with ESC, U+202E and a line end, an entry edited to carry them in its
// fields, and a 300-character history name: all shown escaped and cut.
TEST_F(CliFourthRound, FileNamesAndRecordFieldsAreEscapedAndCut) {
    TARVEX_NEEDS_POSIX_SHELL();
    // 300 characters in two parts: no file system takes one name that long.
    ASSERT_TRUE(QDir(Dir().path()).mkdir(QString(200, u'h')));
    const QString history =
        Put(QString(200, u'h') + u'/' + QString(100, u'h') + ".txt", "2026106 2026-04-16 3 1 6\n");
    const QString record = Put(QStringLiteral("r\x1B[31m\u202E\r.jsonl"),
                               R"({"time":"2026-04-16T09:00:00+08:00","lottery":"3D\u001b[2J",)"
                               R"("issue":"2026106\u202e","held":"","schemeId":")" +
                                   QByteArray(5000, 'a') +
                                   R"(","scheme":{},"count":1,"survivors":"316"})"
                                   "\n{\"torn");
    for (const char* json : {"", "--json"}) {
        QStringList arguments{"record", "--record", record, "--history", history};
        if (*json)
            arguments << json;
        const Outcome outcome = Run(arguments);
        ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
        ExpectNoRawControls(outcome.out + outcome.err);
        EXPECT_TRUE(outcome.err.contains("\\x1B[31m\\u202E\\r.jsonl")) << outcome.err.toStdString();
        EXPECT_LT(outcome.out.size(), 2000);
    }
    const Outcome missing = Run({"record", "--record", record, "--history", history + "x"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.contains(QString(90, u'h').toUtf8() + ".txtx"))
        << missing.err.toStdString();
    EXPECT_TRUE(missing.err.contains("h…h"));
    EXPECT_FALSE(missing.err.contains(QString(150, u'h').toUtf8()));
}

// An argument error: its message and the usage of its own command, not every command's.
TEST_F(CliFourthRound, AnArgumentErrorShowsItsCommandsUsageOnly) {
    const Outcome full = Run({"--help"});
    const struct {
        QStringList arguments;
        const char* synopsis;
    } cases[] = {{{"run", "--tolerance", "abc"}, "tarvex-cli run"},
                 {{"record", "--record"}, "tarvex-cli record"},
                 {{"rules", "search", "--top", "x"}, "tarvex-cli rules search"},
                 {{"nonsense"}, "tarvex-cli run|"}};
    for (const auto& c : cases) {
        const Outcome outcome = Run(c.arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_TRUE(outcome.err.contains(c.synopsis)) << outcome.err.toStdString();
        EXPECT_TRUE(outcome.err.contains("tarvex-cli --help"));
        const auto lines = [](const QByteArray& text) {
            return std::count(text.begin(), text.end(), '\n');
        };
        EXPECT_LT(lines(outcome.err), 10) << outcome.err.toStdString();
        EXPECT_LT(lines(outcome.err) * 5, lines(full.out));
    }
}

// Notepad's "Unicode" number file is read, as a history in it already is.
TEST_F(CliFourthRound, AUtf16NumberFileIsRead) {
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        for (const bool mark : {true, false}) {
            QStringEncoder encode(encoding, mark ? QStringConverter::Flag::WriteBom
                                                 : QStringConverter::Flag::Default);
            const QString file = Put("大底.txt", encode(QStringLiteral("123 456\r\n789\r\n")));
            const Outcome outcome = Run({"sets", "or", "--json", file, file});
            ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
            EXPECT_EQ(Json(outcome)["count"].toInt(), 3) << outcome.out.toStdString();
        }
    }
}

// 334 numbers over three draws: the chance is 1002/3000, printed 0.334.
TEST_F(CliFourthRound, ASetRecordsChanceIsTheNearestDoubleOfItsFraction) {
    QByteArray numbers;
    for (int n = 0; n < 334; ++n)
        numbers += QByteArray::number(n).rightJustified(3, '0') + ' ';
    const QString file = Put("大底.txt", numbers);
    const Outcome outcome =
        Run({"sets", "record", "--history", kRealHistory, "--last", "3", "--json", file});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.contains("0.334")) << outcome.out.toStdString();
    EXPECT_FALSE(outcome.out.contains("0.33399")) << outcome.out.toStdString();
}

} // namespace
