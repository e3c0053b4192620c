#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

// What tarvex-cli prints must reach its reader, and what it reads must be a file.
class CliOutput : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;
};

struct FailedOutput {
    const char* name;
    QStringList arguments;
};

class CliFullOutput : public CliOutput, public testing::WithParamInterface<FailedOutput> {};

TEST_P(CliFullOutput, DevFullIsAFailureWithAMessage) {
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    Put("scheme.json", R"({"format": "tarvex-scheme", "version": 1})");
    const Outcome outcome = Run(GetParam().arguments, "/dev/full");
    EXPECT_EQ(outcome.status, 3) << outcome.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains(QStringLiteral("磁盘已满")))
        << outcome.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliFullOutput,
    testing::Values(FailedOutput{"Help", {"--help"}},
                    FailedOutput{"RunText", {"run", "--scheme", "scheme.json"}},
                    FailedOutput{"RunJson", {"run", "--json"}},
                    FailedOutput{"Dan", {"dan", "--method", "1", "8878"}}),
    [](const testing::TestParamInfo<FailedOutput>& info) { return std::string(info.param.name); });

TEST_F(CliOutput, ClosedStandardOutputIsAFailure) {
    TARVEX_NEEDS_POSIX_SHELL();
    const Outcome outcome = Shell("exec \"$0\" run >&-");
    EXPECT_NE(outcome.status, 0);
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains(QStringLiteral("输出没有完整写出")))
        << outcome.err.toStdString();
}

TEST_F(CliOutput, HealthyOutputStillExitsZero) {
    const Outcome outcome = Run({"dan", "--method", "1", "8878"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "29962\n");
    EXPECT_EQ(outcome.err, "");
}

#ifndef _WIN32 // named pipes in the file system are POSIX
TEST_F(CliOutput, NamedPipeAsSchemeIsRefusedAtOnce) {
    const QByteArray fifo = QFile::encodeName(Path("pipe.json"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    for (const QString& command : {QStringLiteral("run"), QStringLiteral("backtest")}) {
        QStringList arguments{command, "--scheme", "pipe.json"};
        if (command == "backtest")
            arguments << "--history" << Put("history.txt", "2026001 123\n");
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 2) << command.toStdString();
        EXPECT_TRUE(QString::fromUtf8(outcome.err).contains(QStringLiteral("不是普通文件")))
            << outcome.err.toStdString();
    }
}
#endif

TEST_F(CliOutput, ExportToAFolderIsRefused) {
    ASSERT_TRUE(QDir(Dir().path()).mkdir("out"));
    for (const QString& name : {QStringLiteral("out/"), QStringLiteral("out")}) {
        const Outcome outcome = Run({"run", "--export", name});
        EXPECT_EQ(outcome.status, 2) << name.toStdString();
        EXPECT_TRUE(QString::fromUtf8(outcome.err).contains(QStringLiteral("是文件夹")))
            << outcome.err.toStdString();
        EXPECT_TRUE(QDir(Path("out")).isEmpty());
        EXPECT_FALSE(QFile::exists(Path("tarvex.txt")));
    }
}

TEST_F(CliOutput, HistoryWarningsAreCapped) {
    QByteArray history;
    for (int i = 0; i < 50; ++i) // fifty 期号 each given two different numbers
        history +=
            QByteArray::number(2026001 + i) + " 123\n" + QByteArray::number(2026001 + i) + " 456\n";
    history += "2026100 2026-04-10 1 2 3\n";
    Put("history.txt", history);
    Put("scheme.json", R"({"format": "tarvex-scheme", "version": 1})");
    const Outcome outcome =
        Run({"backtest", "--scheme", "scheme.json", "--history", "history.txt"});
    EXPECT_EQ(outcome.status, 0) << outcome.err.toStdString();
    const QList<QByteArray> lines = outcome.err.trimmed().split('\n');
    EXPECT_EQ(lines.size(), 21) << outcome.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(lines.back()).contains(QStringLiteral("另有 30 处问题没有列出")))
        << lines.back().toStdString();
}

} // namespace
