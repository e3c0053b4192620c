#include "io/DrawHistory.h"
#include "io/NativeFileName.h"
#include "io/SchemeFile.h"
#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <vector>

#ifndef _WIN32
#include "RawFolder.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvex {
namespace {

// "方案.json" in GBK, as a Windows archive unpacks it on Linux.
const QByteArray kGbkName = QByteArray::fromHex("B7BDB0B8") + ".json";

struct NameCase {
    const char* label;
    QByteArray bytes;
    bool raw;          // holds bytes that are not UTF-8
    const char* shown; // in messages
};

void PrintTo(const NameCase& name, std::ostream* os) {
    *os << name.label;
}

class NativeNameBytes : public testing::TestWithParam<NameCase> {};

TEST_P(NativeNameBytes, GoBackByteForByte) {
    const QString name = NativeFileName::FromBytes(GetParam().bytes);
    EXPECT_EQ(NativeFileName::ToBytes(name).toHex(' '), GetParam().bytes.toHex(' '));
#ifndef _WIN32
    EXPECT_EQ(NativeFileName::HasRawBytes(name), GetParam().raw);
#endif
    EXPECT_EQ(NativeFileName::Shown(name).toStdString(), GetParam().shown);
    if (!GetParam().raw) {
        EXPECT_EQ(name, QString::fromUtf8(GetParam().bytes));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, NativeNameBytes,
    testing::Values(
        NameCase{"Gbk", kGbkName, true, "\\xB7\\xBD\\xB0\\xB8.json"},
        NameCase{"Utf8", QByteArray("方案.json"), false, "方案.json"},
        NameCase{"Mixed", QByteArray("dir/方") + QByteArray::fromHex("B7") + "x", true,
                 "dir/方\\xB7x"},
        // U+10080: its low surrogate lies in the range kept bytes use, and is no kept byte.
        NameCase{"BeyondBmp", QByteArray::fromHex("F0908280") + "a", false,
                 "\xF0\x90\x82\x80"
                 "a"},
        NameCase{"Overlong", QByteArray::fromHex("C0AF"), true, "\\xC0\\xAF"},
        NameCase{"EncodedSurrogate", QByteArray::fromHex("EDA080"), true, "\\xED\\xA0\\x80"},
        NameCase{"CutShort", QByteArray("a") + QByteArray::fromHex("E696"), true, "a\\xE6\\x96"},
        NameCase{"LoneContinuation", QByteArray::fromHex("80"), true, "\\x80"},
        NameCase{"BeyondUnicode", QByteArray::fromHex("F4908080"), true, "\\xF4\\x90\\x80\\x80"},
        NameCase{"Ascii", QByteArray("plain.txt"), false, "plain.txt"}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.label); });

#ifndef _WIN32

TEST(NativeNameArguments, KeepArgvBytes) {
    QByteArray program("tarvex-cli");
    QByteArray option("--scheme");
    QByteArray name = kGbkName;
    char* argv[] = {program.data(), option.data(), name.data()};
    const QStringList arguments = NativeFileName::Arguments(3, argv);
    ASSERT_EQ(arguments.size(), 3);
    EXPECT_EQ(arguments[1], "--scheme");
    EXPECT_EQ(NativeFileName::ToBytes(arguments[2]), kGbkName);
    EXPECT_FALSE(arguments[2].contains(QChar(0xFFFD)));
}

class NativeNameFiles : public testing::Test, protected RawFolder {
protected:
    QString Name(const QByteArray& name) const { return NativeFileName::FromBytes(Bytes(name)); }
};

TEST_F(NativeNameFiles, ReadsTheFileUnderItsBytes) {
    Put(kGbkName, "001 002\r\n");
    const ByteReadResult read = TextFileReader::ReadBytes(Name(kGbkName), 100, "too big");
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.bytes, "001 002\r\n");
    const TextReadResult base = TextFileReader::ReadBaseSet(Name(kGbkName));
    ASSERT_TRUE(base.ok()) << base.error.toStdString();
    EXPECT_EQ(base.text, "001 002\n");
}

TEST_F(NativeNameFiles, KeepsTheRefusalsAndShowsTheNameEscaped) {
    ASSERT_EQ(::mkfifo(Bytes("pipe" + kGbkName).constData(), 0600), 0);
    ASSERT_EQ(::mkdir(Bytes("dir" + kGbkName).constData(), 0700), 0);
    Put("big" + kGbkName, QByteArray(200, '1'));
    struct Refusal {
        QByteArray name;
        const char* says;
    };
    for (const Refusal& refusal :
         {Refusal{"pipe" + kGbkName, "不是普通文件"}, Refusal{"dir" + kGbkName, "这是一个文件夹"},
          Refusal{"absent" + kGbkName, "文件不存在"}, Refusal{"big" + kGbkName, "too big"},
          Refusal{QByteArray("no/such/") + kGbkName, "所在的文件夹不存在"}}) {
        const ByteReadResult read = TextFileReader::ReadBytes(Name(refusal.name), 100, "too big");
        const std::string error = read.error.toStdString();
        EXPECT_NE(error.find(refusal.says), std::string::npos) << error;
        EXPECT_EQ(error.find("\xEF\xBF\xBD"), std::string::npos) << error; // no U+FFFD
        if (refusal.name.startsWith("pipe")) { // the others give the cause alone
            EXPECT_NE(error.find("/pipe\\xB7\\xBD\\xB0\\xB8.json”"), std::string::npos) << error;
        }
    }
}

TEST_F(NativeNameFiles, WritesUnderTheExactBytesAndNothingElse) {
    const QString failure = TextFileWriter::WriteGbk(Name(kGbkName), "方案\n");
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(Get(kGbkName).toHex(' '), (QByteArray::fromHex("B7BDB0B8") + "\r\n").toHex(' '));
    EXPECT_EQ(Entries(), std::vector<QByteArray>{kGbkName}); // no temporary, no U+FFFD twin
    struct stat status {};
    ASSERT_EQ(::stat(Bytes(kGbkName).constData(), &status), 0);
    EXPECT_EQ(
        status.st_mode & 0777, 0666 & ~[] {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            return mask;
        }());
}

TEST_F(NativeNameFiles, ReplacesAnExistingFileKeepingItsPermissions) {
    Put(kGbkName, "old", 0640);
    ASSERT_TRUE(TextFileWriter::WriteBytes(Name(kGbkName), "new").isEmpty());
    EXPECT_EQ(Get(kGbkName), "new");
    struct stat status {};
    ASSERT_EQ(::stat(Bytes(kGbkName).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(NativeNameFiles, FollowsALinkTheUserNamed) {
    Put("target.txt", "old");
    ASSERT_EQ(::symlink("target.txt", Bytes(kGbkName).constData()), 0);
    ASSERT_TRUE(TextFileWriter::WriteBytes(Name(kGbkName), "new").isEmpty());
    EXPECT_EQ(Get("target.txt"), "new");
    struct stat link {};
    ASSERT_EQ(::lstat(Bytes(kGbkName).constData(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));

    // One that points nowhere yet is followed too, as Qt does for ordinary names.
    const QByteArray later = "later" + kGbkName;
    ASSERT_EQ(::symlink(later.constData(), Bytes("link" + kGbkName).constData()), 0);
    ASSERT_TRUE(TextFileWriter::WriteBytes(Name("link" + kGbkName), "first").isEmpty());
    EXPECT_EQ(Get(later), "first");
    ASSERT_EQ(::lstat(Bytes("link" + kGbkName).constData(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
}

TEST_F(NativeNameFiles, FailedWritesNameTheCauseAndKeepTheOldFile) {
    Put("ro" + kGbkName, "old", 0444);
    ASSERT_EQ(::mkdir(Bytes("dir" + kGbkName).constData(), 0700), 0);
    struct Failure {
        QByteArray name;
        const char* says;
    };
    for (const Failure& failure :
         {Failure{QByteArray("no/such/") + kGbkName, "所在的文件夹不存在"},
          Failure{"dir" + kGbkName, "这是一个文件夹"}, Failure{"ro" + kGbkName, "文件是只读的"}}) {
        if (failure.name.startsWith("ro") && ::geteuid() == 0)
            continue; // root writes anyway
        const std::string error =
            TextFileWriter::WriteBytes(Name(failure.name), "new").toStdString();
        EXPECT_NE(error.find(failure.says), std::string::npos) << error;
        EXPECT_NE(error.find("\\xB7\\xBD\\xB0\\xB8.json"), std::string::npos) << error;
    }
    if (::geteuid() != 0) {
        EXPECT_EQ(Get("ro" + kGbkName), "old");
    }
    EXPECT_EQ(Entries().size(), 2u);
}

// A file-size limit stands in for a full disk: the write comes up short.
TEST_F(NativeNameFiles, AShortWriteKeepsTheOldFileAndLeavesNothingBeside) {
    Put(kGbkName, "old");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString failure = TextFileWriter::WriteBytes(Name(kGbkName), QByteArray(5000, '1'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failure.contains(QStringLiteral("写入不完整：文件超出了允许的大小")))
        << failure.toStdString();
    EXPECT_EQ(Get(kGbkName), "old");
    EXPECT_EQ(Entries(), std::vector<QByteArray>{kGbkName});
}

TEST_F(NativeNameFiles, SchemeSavesAndLoadsUnderItsBytes) {
    Settings settings;
    settings.sumLow = 5;
    ASSERT_TRUE(SchemeFile::Save(Name(kGbkName), settings).isEmpty());
    EXPECT_EQ(Entries(), std::vector<QByteArray>{kGbkName});
    const SchemeReadResult loaded = SchemeFile::Load(Name(kGbkName));
    ASSERT_TRUE(loaded.ok()) << loaded.error.toStdString();
    EXPECT_EQ(loaded.settings.sumLow, 5);

    ASSERT_EQ(::mkfifo(Bytes("pipe" + kGbkName).constData(), 0600), 0);
    const std::string pipe = SchemeFile::Load(Name("pipe" + kGbkName)).error.toStdString();
    EXPECT_NE(pipe.find("pipe\\xB7\\xBD\\xB0\\xB8.json”不是普通文件"), std::string::npos) << pipe;
    Put("bad" + kGbkName, "{");
    const std::string bad = SchemeFile::Load(Name("bad" + kGbkName)).error.toStdString();
    EXPECT_NE(bad.find("文件：" + Bytes("bad").toStdString() + "\\xB7"), std::string::npos) << bad;
}

TEST_F(NativeNameFiles, DrawHistoryLoadsUnderItsBytes) {
    Put(kGbkName, "2026101,2026-04-11,409\n2026102,2026-04-12,007\n");
    const DrawHistoryResult history = DrawHistory::Load(Name(kGbkName));
    ASSERT_TRUE(history.ok()) << history.error.toStdString();
    EXPECT_EQ(history.draws.size(), 2u);
    const std::string absent = DrawHistory::Load(Name("x" + kGbkName)).error.toStdString();
    EXPECT_NE(absent.find("x\\xB7\\xBD\\xB0\\xB8.json”"), std::string::npos) << absent;
}

#endif

} // namespace
} // namespace tarvex
