#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kRealHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

// What the third hardening round found the command line doing with hostile input.
class CliHarden : public testing::Test, protected CliRunner {
protected:
    using CliRunner::Run;
    // Through bash, so the standard output can be closed or piped; $0 is the binary.
    Outcome Bash(const QString& script) {
        QProcess process;
        process.setWorkingDirectory(Dir().path());
        process.start("/bin/bash", {"-c", script, QStringLiteral(TARVEX_CLI)});
        EXPECT_TRUE(process.waitForFinished(120000));
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }
    static QByteArray FirstLines(int count) {
        QFile file(kRealHistory);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QByteArray lines;
        for (int i = 0; i < count; ++i)
            lines += file.readLine();
        return lines;
    }
    static qint64 Draws(const Outcome& outcome) {
        return QJsonDocument::fromJson(outcome.out).object().value("draws").toInteger(-1);
    }
};

// `head -50 | tr '\n' '\r'`: fifty draws, not one.
TEST_F(CliHarden, CrOnlyHistoryIsReadLineByLine) {
    QByteArray cr = FirstLines(50);
    cr.replace('\n', '\r');
    const QString path = Put("cr.txt", cr);
    const Outcome outcome = Run({"rules", "--json", "--history", path, "杀和尾=和1+3"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(Draws(outcome), 50);
    EXPECT_EQ(outcome.err, QByteArray());
}

// Notepad's "Unicode" history reads as the same draws.
TEST_F(CliHarden, Utf16HistoryIsRead) {
    const QByteArray utf8 = FirstLines(40);
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QString path = Put("utf16.txt", utf16.encode(QString::fromUtf8(utf8)));
    const Outcome outcome = Run({"rules", "--json", "--history", path, "杀和尾=和1+3"});
    ASSERT_EQ(outcome.status, 0) << outcome.err.toStdString();
    EXPECT_EQ(Draws(outcome), 40);
    EXPECT_EQ(outcome.err, QByteArray());
}

// One 期号 on 200,000 lines: one short warning, not megabytes of line numbers.
TEST_F(CliHarden, ConflictFloodIsCapped) {
    QByteArray text = FirstLines(5);
    for (int i = 0; i < 200'000; ++i)
        text += "2026001 " + QByteArray::number(100 + i % 900) + "\n";
    const QString path = Put("flood.txt", text);
    const Outcome outcome = Run({"rules", "--history", path, "杀和尾=和1+3"});
    EXPECT_EQ(outcome.status, 0) << outcome.err.left(300).toStdString();
    EXPECT_LT(outcome.err.size(), 2000) << outcome.err.left(300).toStdString();
    EXPECT_TRUE(outcome.err.contains("200000")) << outcome.err.left(300).toStdString();
}

struct ClosedCase {
    const char* name;
    const char* command;
};

class CliClosedOutput : public CliHarden, public testing::WithParamInterface<ClosedCase> {};

// A closed standard output is told as such, whatever file Qt opened in its place.
TEST_P(CliClosedOutput, SaysStandardOutputIsClosed) {
    TARVEX_NEEDS_POSIX_SHELL();
    Put("scheme.json", R"({"format": "tarvex-scheme", "version": 1})");
    const Outcome outcome = Bash(QStringLiteral("exec \"$0\" %1 >&-")
                                     .arg(QString::fromUtf8(GetParam().command))
                                     .replace("HISTORY", kRealHistory));
    EXPECT_EQ(outcome.status, 3) << outcome.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains(QStringLiteral("标准输出已关闭")))
        << outcome.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliClosedOutput,
    testing::Values(ClosedCase{"Dan", "dan --method 1 8878"}, ClosedCase{"Run", "run"},
                    ClosedCase{"Rules", "rules --history HISTORY 杀和尾=和1+3"},
                    ClosedCase{"Analyze", "analyze --history HISTORY"},
                    ClosedCase{"Backtest", "backtest --scheme scheme.json --history HISTORY"}),
    [](const testing::TestParamInfo<ClosedCase>& info) { return std::string(info.param.name); });

// A reader that has gone: the program says so and exits 3 instead of dying of SIGPIPE.
TEST_F(CliHarden, ReaderThatLeftIsReported) {
    TARVEX_NEEDS_POSIX_SHELL();
    const Outcome outcome =
        Bash("{ sleep 0.5; \"$0\" run --json; } | true; echo \"status ${PIPESTATUS[0]}\" >&2");
    EXPECT_TRUE(outcome.err.contains("status 3")) << outcome.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains(QStringLiteral("读取输出的程序已经退出")))
        << outcome.err.toStdString();
}

// A device is written as it is named: no "/dev/null.TXT" beside it, and /dev/full stays a
// device that reports its full disk.
TEST_F(CliHarden, ExportToADeviceGetsNoSuffix) {
    TARVEX_NEEDS_POSIX_SHELL();
    const auto removeStray = [](const QString& name) {
        if (QFileInfo(name).isFile())
            QFile::remove(name);
    };
    removeStray("/dev/null.TXT");
    const Outcome null = Run({"run", "--export", "/dev/null"});
    EXPECT_EQ(null.status, 0) << null.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists("/dev/null.TXT"));
    removeStray("/dev/null.TXT");
    if (QFileInfo::exists("/dev/full")) {
        removeStray("/dev/full.TXT");
        const Outcome full = Run({"run", "--export", "/dev/full"});
        EXPECT_EQ(full.status, 3) << full.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(full.err).contains(QStringLiteral("磁盘已满")))
            << full.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists("/dev/full.TXT"));
        removeStray("/dev/full.TXT");
        struct stat status {};
        ASSERT_EQ(::stat("/dev/full", &status), 0);
        EXPECT_TRUE(S_ISCHR(status.st_mode));
    }
}

// --next is quoted as every other option: cut short, control characters escaped.
TEST_F(CliHarden, NextIsExcerptedAndEscaped) {
    const QString next = QStringLiteral("\x1B[31m") + QString(120'000, 'x');
    const Outcome outcome =
        Run({"rules", "--history", kRealHistory, "--next", next, "杀和尾=和1+3"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_LT(outcome.err.size(), 1000);
    EXPECT_FALSE(outcome.err.contains('\x1B'));
    EXPECT_TRUE(outcome.err.contains("\\x1B")) << outcome.err.toStdString();
}

struct RuleMessageCase {
    const char* name;
    QByteArray rule;
    QByteArray raw;   // must not reach the terminal
    QByteArray shown; // what stands for it
};

class CliRuleMessages : public CliHarden, public testing::WithParamInterface<RuleMessageCase> {};

TEST_P(CliRuleMessages, ShowHostileCharactersEscaped) {
    TARVEX_NEEDS_POSIX_SHELL();
    // Through bash's $'\xNN', so the rule's bytes reach the program exactly.
    QString rule;
    for (const char byte : GetParam().rule)
        rule += QStringLiteral("\\x%1").arg(static_cast<unsigned char>(byte), 2, 16, QChar('0'));
    const Outcome outcome =
        Bash(QStringLiteral("\"$0\" rules --history '%1' $'%2'").arg(kRealHistory, rule));
    EXPECT_EQ(outcome.status, 2) << outcome.err.toStdString();
    if (!GetParam().raw.isEmpty()) {
        EXPECT_FALSE(outcome.err.contains(GetParam().raw)) << outcome.err.toStdString();
    }
    EXPECT_TRUE(outcome.err.contains(GetParam().shown)) << outcome.err.toStdString();
    EXPECT_FALSE(outcome.err.contains("“?”")) << outcome.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CliRuleMessages,
    testing::Values(RuleMessageCase{"C1",
                                    "杀和尾=和1+\xC2\x9B"
                                    "3",
                                    "\xC2\x9B", "\\x9B"},
                    RuleMessageCase{"LineSeparator", "杀和尾=和1+\xE2\x80\xA8", "\xE2\x80\xA8",
                                    "\\u2028"},
                    RuleMessageCase{"RightToLeftOverride",
                                    "杀和尾=\xE2\x80\xAE"
                                    "和1",
                                    "\xE2\x80\xAE", "\\u202E"},
                    RuleMessageCase{"InvalidByte", "杀和尾=和1+\xFF", "", "\\xFF"},
                    RuleMessageCase{"FullWidthDigit", "杀和尾=和１+3", "", "全角"}),
    [](const testing::TestParamInfo<RuleMessageCase>& info) {
        return std::string(info.param.name);
    });

// The rule count and formula length have limits, told before the history is read.
TEST_F(CliHarden, RuleLimitsAreTold) {
    QStringList many{"rules", "--history", "missing.txt"};
    for (int i = 0; i < 101; ++i)
        many << "杀和尾=和1+3";
    const Outcome count = Run(many);
    EXPECT_EQ(count.status, 2);
    EXPECT_TRUE(QString::fromUtf8(count.err).contains(QStringLiteral("规则太多")))
        << count.err.toStdString();
    QString formula = QStringLiteral("杀和尾=1");
    for (int i = 0; i < 200; ++i)
        formula += QStringLiteral("+1");
    const Outcome length = Run({"rules", "--history", "missing.txt", formula});
    EXPECT_EQ(length.status, 2);
    EXPECT_TRUE(QString::fromUtf8(length.err).contains(QStringLiteral("公式太长")))
        << length.err.toStdString();
    // 100 rules of short formulas are fine.
    QStringList hundred{"rules", "--json", "--history", kRealHistory};
    for (int i = 0; i < 100; ++i)
        hundred << QStringLiteral("杀和尾=和1+%1").arg(i);
    EXPECT_EQ(Run(hundred).status, 0);
}

// A scheme with more rows or rules than the limits is refused by its key.
TEST_F(CliHarden, SchemeRowLimitsAreTold) {
    QByteArray rows;
    for (int i = 0; i < 1001; ++i)
        rows += QByteArray(i ? "," : "") + R"(["百", "大于", "十"])";
    Put("rows.json",
        R"({"format": "tarvex-scheme", "version": 1, "positionSize": true, "positionSizes": [)" +
            rows + "]}");
    const Outcome outcome = Run({"run", "--scheme", "rows.json"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.err.contains("positionSizes")) << outcome.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("tarvex.txt")));
    QByteArray rules;
    for (int i = 0; i < 101; ++i)
        rules += QByteArray(i ? "," : "") + R"({"target": "杀和尾", "formula": "和1"})";
    Put("rules.json", R"({"format": "tarvex-scheme", "version": 1, "rules": [)" + rules + "]}");
    const Outcome ruled = Run({"rules", "--scheme", "rules.json", "--history", kRealHistory});
    EXPECT_EQ(ruled.status, 2);
    EXPECT_TRUE(ruled.err.contains("rules") && ruled.err.contains("101"))
        << ruled.err.toStdString();
}

// Every draw stopped by a message: exit 1 with the message, as the plain backtest.
TEST_F(CliHarden, BacktestWithRulesThatNeverRanExitsOne) {
    Put("stop.json", R"({"format": "tarvex-scheme", "version": 1, "shape": [true, true, true],
                        "rules": [{"target": "杀和尾", "formula": "和1"}]})");
    const Outcome outcome =
        Run({"backtest", "--scheme", "stop.json", "--history", kRealHistory, "--last", "30"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_TRUE(QString::fromUtf8(outcome.err).contains(QStringLiteral("豹子，组三，组六都被排除")))
        << outcome.err.toStdString();
    Put("go.json", R"({"format": "tarvex-scheme", "version": 1,
                      "rules": [{"target": "杀和尾", "formula": "和1"}]})");
    EXPECT_EQ(
        Run({"backtest", "--scheme", "go.json", "--history", kRealHistory, "--last", "30"}).status,
        0);
}

// scripts/run after scripts/test: the same warning setting, and only the window is built.
TEST_F(CliHarden, RunScriptKeepsTheTestBuild) {
    TARVEX_NEEDS_POSIX_SHELL();
    const QString root = QStringLiteral(TARVEX_DATA_DIR "/..");
    QDir(Dir().path()).mkpath("tree/scripts");
    QDir(Dir().path()).mkpath("bin");
    QDir(Dir().path()).mkpath("build");
    for (const char* script : {"run", "build", "ccache-launcher"}) {
        ASSERT_TRUE(QFile::copy(root + "/scripts/" + script,
                                Path(QStringLiteral("tree/scripts/") + script)));
    }
    const QByteArray log = QFile::encodeName(Path("cmake.log"));
    Put("tree/scripts/setup", "#!/bin/sh\n");
    Put("bin/cmake", "#!/bin/sh\necho \"$@\" >> '" + log + "'\n");
    for (const char* file :
         {"tree/scripts/setup", "bin/cmake", "tree/scripts/run", "tree/scripts/build"})
        QFile::setPermissions(Path(file), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Put("build/CMakeCache.txt", "TARVEX_WERROR:BOOL=ON\n");
    const Outcome outcome = Bash(QStringLiteral("unset DISPLAY WAYLAND_DISPLAY TARVEX_WERROR; "
                                                "PATH='%1':$PATH TARVEX_BUILD_DIR='%2' '%3'")
                                     .arg(Path("bin"), Path("build"), Path("tree/scripts/run")));
    QFile file(Path("cmake.log"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << outcome.err.toStdString();
    const QByteArray calls = file.readAll();
    EXPECT_TRUE(calls.contains("-DTARVEX_WERROR=ON")) << calls.toStdString();
    EXPECT_TRUE(calls.contains("--target tarvex")) << calls.toStdString();
}

} // namespace
