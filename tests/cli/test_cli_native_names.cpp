#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#ifndef _WIN32
#include "RawFolder.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

// "方案" and "导出" in GBK: names a Windows archive leaves on a Linux disk.
const QByteArray kScheme = QByteArray::fromHex("B7BDB0B8") + ".json";
const QByteArray kBase = QByteArray::fromHex("B4F3B5D7") + ".txt";
const QByteArray kHistory = QByteArray::fromHex("C0FACAB7") + ".csv";
const QByteArray kExport = QByteArray::fromHex("B5BCB3F6");
const std::string kReplacement = "\xEF\xBF\xBD"; // U+FFFD, what decoding the name would give

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// QProcess takes QString arguments, which cannot carry such bytes, so the shell makes them
// from octal escapes and hands them to tarvex-cli as they are.
QByteArray ShellWord(const QByteArray& bytes) {
    QByteArray word = "\"$(printf '";
    for (const char c : bytes)
        word += QByteArray("\\") + QByteArray::number(static_cast<unsigned char>(c), 8);
    return word + "')\"";
}

class CliNativeNames : public testing::Test, protected RawFolder {
protected:
    Outcome Run(const std::vector<QByteArray>& arguments) {
        QByteArray script = "exec \"$0\"";
        for (const QByteArray& argument : arguments)
            script += ' ' + ShellWord(argument);
        QProcess process;
        process.setWorkingDirectory(Path());
        process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromLatin1(script),
                                                  QStringLiteral(TARVEX_CLI)});
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    void PutScheme(const QByteArray& body) const {
        Put(kScheme, R"({"format": "tarvex-scheme", "version": 1)" +
                         (body.isEmpty() ? QByteArray() : ", " + body) + "}");
    }
};

TEST_F(CliNativeNames, RunReadsSchemeAndBaseAndExportsUnderTheExactBytes) {
    PutScheme(R"("baseSet": true, "perRow": 4)");
    Put(kBase, "001 002 003");
    const Outcome o = Run({"run", "--scheme", kScheme, "--base", kBase, "--export", kExport});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "001\t002\t003\t\n");
    EXPECT_TRUE(Get(kExport + ".TXT").startsWith("001\t002\t003\t\r\n"));
    std::vector<QByteArray> expected{"tarvex.txt", kExport + ".TXT", kBase, kScheme};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(), expected); // nothing written under a decoded name
}

TEST_F(CliNativeNames, HistoryIsReadUnderTheExactBytes) {
    PutScheme(R"("sumTail": [false, false, false, true, false, false, false, false,
                             false, false])");
    Put(kHistory, "2026101,2026-04-11,409\n2026102,2026-04-12,007\n2026103,2026-04-13,555\n");
    const Outcome backtest = Run({"backtest", "--scheme", kScheme, "--history", kHistory});
    EXPECT_EQ(backtest.status, 0) << backtest.err;
    const Outcome analyze = Run({"analyze", "--history", kHistory});
    EXPECT_EQ(analyze.status, 0) << analyze.err;
}

struct Missing {
    const char* label;
    std::vector<QByteArray> arguments;
    int status;
};

void PrintTo(const Missing& missing, std::ostream* os) {
    *os << missing.label;
}

class CliMissingNativeName : public CliNativeNames, public testing::WithParamInterface<Missing> {};

TEST_P(CliMissingNativeName, ShowsTheNameEscapedNeverDecoded) {
    const Outcome o = Run(GetParam().arguments);
    EXPECT_EQ(o.status, GetParam().status);
    EXPECT_NE(o.err.find("\\x"), std::string::npos) << o.err;
    EXPECT_EQ(o.err.find(kReplacement), std::string::npos) << o.err;
    for (const QByteArray& name : Entries())
        EXPECT_EQ(name.toStdString().find(kReplacement), std::string::npos) << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Options, CliMissingNativeName,
    testing::Values(
        Missing{"Scheme", {"run", "--scheme", kScheme}, 2},
        Missing{"Base", {"run", "--base", kBase}, 2},
        Missing{"History", {"analyze", "--history", kHistory}, 2},
        Missing{"BacktestScheme", {"backtest", "--scheme", kScheme, "--history", kHistory}, 2},
        Missing{"ExportFolder", {"run", "--export", "no/such/" + kExport}, 3},
        Missing{"UnknownArgument", {"run", kExport}, 2}),
    [](const testing::TestParamInfo<Missing>& info) { return std::string(info.param.label); });

TEST_F(CliNativeNames, AFolderAsExportIsRefusedNamingIt) {
    ASSERT_EQ(::mkdir(Bytes(kExport).constData(), 0700), 0);
    const Outcome o = Run({"run", "--export", kExport});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("\"\\xB5\\xBC\\xB3\\xF6\" 是文件夹"), std::string::npos) << o.err;
    EXPECT_EQ(Entries(), std::vector<QByteArray>{kExport});
}

TEST_F(CliNativeNames, SchemeErrorsNameTheFileEscaped) {
    Put(kScheme, "{");
    const Outcome o = Run({"run", "--scheme", kScheme});
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find("文件：\\xB7\\xBD\\xB0\\xB8.json"), std::string::npos) << o.err;
}

} // namespace
#endif
