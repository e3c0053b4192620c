#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace tarvex {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

struct GbkCase {
    std::string utf8;
    QByteArray bytes;
};

class GbkText : public testing::TestWithParam<GbkCase> {};

TEST_P(GbkText, EncodesWithCrLf) {
    EXPECT_EQ(TextFileWriter::ToGbkCrLf(GetParam().utf8).toHex(' '), GetParam().bytes.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, GbkText,
    testing::Values(GbkCase{"排除原因数", QByteArray::fromHex("C5C5B3FDD4ADD2F2CAFD")},
                    GbkCase{"123 和尾  跨度  排除原因数 2\n",
                            QByteArray("123 ") + QByteArray::fromHex("BACDCEB2") + "  " +
                                QByteArray::fromHex("BFE7B6C8") + "  " +
                                QByteArray::fromHex("C5C5B3FDD4ADD2F2CAFD") + " 2\r\n"},
                    GbkCase{"000\t001\t\n002\t", QByteArray("000\t001\t\r\n002\t")},
                    GbkCase{"\n\n", QByteArray("\r\n\r\n")}, GbkCase{"", QByteArray()},
                    GbkCase{"2006年05月01日 21:30:00 共计0注\t",
                            QByteArray("2006") + QByteArray::fromHex("C4EA") + "05" +
                                QByteArray::fromHex("D4C2") + "01" + QByteArray::fromHex("C8D5") +
                                " 21:30:00 " + QByteArray::fromHex("B9B2BCC6") + "0" +
                                QByteArray::fromHex("D7A2") + "\t"}));

TEST(TextFileWriter, WritesTheBytesToTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("排除号码原因.txt");
    ASSERT_EQ(TextFileWriter::WriteGbk(path, "123 排除原因数 0\n"), QString());
    EXPECT_EQ(ReadAll(path),
              QByteArray("123 ") + QByteArray::fromHex("C5C5B3FDD4ADD2F2CAFD") + " 0\r\n");
}

TEST(TextFileWriter, ReplacesAnEarlierFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvex.txt");
    WriteRaw(path, "a much longer earlier content\r\n");
    ASSERT_EQ(TextFileWriter::WriteGbk(path, "001\t"), QString());
    EXPECT_EQ(ReadAll(path), QByteArray("001\t"));
}

TEST(TextFileWriter, TruncateEmptiesOrCreates) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvex.txt");
    ASSERT_EQ(TextFileWriter::Truncate(path), QString());
    EXPECT_TRUE(QFile::exists(path));
    WriteRaw(path, "000\t001\t");
    ASSERT_EQ(TextFileWriter::Truncate(path), QString());
    EXPECT_EQ(ReadAll(path), QByteArray());
}

TEST(TextFileWriter, FolderInTheWayIsReportedAndKept) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvex.txt");
    ASSERT_TRUE(QDir().mkpath(path + "/inside"));
    const QString error = TextFileWriter::WriteGbk(path, "000\t");
    EXPECT_TRUE(error.startsWith(QStringLiteral("无法写入文件“") + path + "”："))
        << error.toStdString();
    EXPECT_TRUE(QDir(path + "/inside").exists());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST(TextFileWriter, MissingFolderIsReported) {
    QTemporaryDir dir;
    const QString path = dir.filePath("no/such/folder/out.txt");
    EXPECT_FALSE(TextFileWriter::WriteGbk(path, "x").isEmpty());
}

#ifndef _WIN32 // the file size limit is POSIX
// A write that fails half-way (here: the file size limit, which root cannot bypass either)
// must leave the earlier file whole.
TEST(TextFileWriter, FailedWriteKeepsTheEarlierFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvex.txt");
    const QByteArray earlier("000\t001\t002\t");
    WriteRaw(path, earlier);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString error = TextFileWriter::WriteGbk(path, std::string(100000, '7'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_EQ(ReadAll(path), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tarvex.txt"});
}
#endif

TEST(TextFileReader, BaseSetOfExactlyTheLimitLoads) {
    QTemporaryDir dir;
    const QString path = dir.filePath("base.txt");
    QByteArray bytes(10240, '1');
    bytes[0] = '9';
    WriteRaw(path, bytes);
    const TextReadResult read = TextFileReader::ReadBaseSet(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.text, bytes.toStdString());
}

TEST(TextFileReader, BaseSetOneByteOverIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath("base.txt");
    WriteRaw(path, QByteArray(10241, '1'));
    const TextReadResult read = TextFileReader::ReadBaseSet(path);
    EXPECT_EQ(read.error.toStdString(), "大底文件太大，程序无法处理");
    EXPECT_EQ(read.text, "");
}

TEST(TextFileReader, HugeFileIsRefusedWithoutReadingIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(100LL * 1024 * 1024));
    file.close();
    EXPECT_EQ(TextFileReader::ReadBaseSet(path).error.toStdString(), "大底文件太大，程序无法处理");
}

TEST(TextFileReader, MissingFileIsNamedInChinese) {
    QTemporaryDir dir;
    const QString path = dir.filePath("none.txt");
    const TextReadResult read = TextFileReader::ReadBaseSet(path);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.error, QStringLiteral("文件不存在"));
}

TEST(TextFileReader, FolderIsAnError) {
    QTemporaryDir dir;
    EXPECT_FALSE(TextFileReader::ReadBaseSet(dir.path()).ok());
}

struct Decoding {
    const char* name;
    QByteArray bytes;
    std::string text;
};

class TextDecoding : public testing::TestWithParam<Decoding> {};

TEST_P(TextDecoding, ReadsAsText) {
    QTemporaryDir dir;
    const QString path = dir.filePath("in.txt");
    WriteRaw(path, GetParam().bytes);
    const TextReadResult read = TextFileReader::ReadBaseSet(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.text, GetParam().text);
}

QByteArray LongLine() {
    QByteArray line;
    for (int n = 0; n < 200; ++n) {
        line += QByteArray::number(100 + n) + ' ';
    }
    return line; // 800 bytes, no line end inside
}

INSTANTIATE_TEST_SUITE_P(
    Files, TextDecoding,
    testing::Values(Decoding{"Empty", QByteArray(), ""},
                    Decoding{"CrLf", QByteArray("123\t456\r\n789\r\n"), "123\t456\n789\n"},
                    Decoding{"LoneCr", QByteArray("123\r456"), "123\n456"},
                    Decoding{"Utf8", QByteArray("大底 123\n"), "大底 123\n"},
                    Decoding{"Utf8Bom",
                             QByteArray("\xEF\xBB\xBF"
                                        "大底 123"),
                             "大底 123"},
                    Decoding{"Gbk", QByteArray::fromHex("B4F3B5D720313233") + "\r\n456",
                             "大底 123\n456"},
                    Decoding{"LongLine", LongLine() + "\r\n", LongLine().toStdString() + "\n"}),
    [](const testing::TestParamInfo<Decoding>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvex
