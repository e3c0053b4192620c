#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

// A Qt built without ICU has no GBK converter. Debian's Qt has one, so these tests hand the
// reader and the writer a converter for an encoding that no Qt knows, which is just as invalid.
namespace tarvex {
namespace {

constexpr const char* kNoSuchEncoding = "tarvex-no-such-encoding";

// "排除原因数" in code page 936.
const QByteArray kGbkWord = QByteArray::fromHex("C5C5B3FDD4ADD2F2CAFD");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(GbkConverter, ThisQtHasOneAndTheStandInIsInvalid) {
    // Without the first, every GBK test here would pass on the wrong grounds.
    EXPECT_TRUE(QStringEncoder("GBK").isValid());
    EXPECT_TRUE(QStringDecoder("GBK").isValid());
    EXPECT_FALSE(QStringEncoder(kNoSuchEncoding).isValid());
    EXPECT_FALSE(QStringDecoder(kNoSuchEncoding).isValid());
}

TEST(GbkConverter, WriterWithoutOneKeepsTheEarlierFileAndNamesIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvex.txt");
    const QByteArray earlier("000\t001\t");
    WriteRaw(path, earlier);
    QStringEncoder missing(kNoSuchEncoding);
    const QString error = TextFileWriter::WriteGbk(path, "排除原因数\n", missing);
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("GBK"))) << error.toStdString();
    EXPECT_EQ(ReadAll(path), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tarvex.txt"});
}

TEST(GbkConverter, WriterWithoutOneCreatesNoFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("排除号码原因.txt");
    QStringEncoder missing(kNoSuchEncoding);
    EXPECT_FALSE(TextFileWriter::WriteGbk(path, "", missing).isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(GbkConverter, WriterWithOneWritesGbkWithCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvex.txt");
    QStringEncoder gbk("GBK");
    ASSERT_EQ(TextFileWriter::WriteGbk(path, "排除原因数\n1", gbk), QString());
    EXPECT_EQ(ReadAll(path).toHex(' '), (kGbkWord + "\r\n1").toHex(' '));
}

struct Reading {
    const char* name;
    QByteArray bytes;
    bool gbkValid;
    bool ok;
    std::string text;
};

class GbkReading : public testing::TestWithParam<Reading> {};

TEST_P(GbkReading, NeedsTheConverterOnlyForGbkFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath("大底.txt");
    WriteRaw(path, GetParam().bytes);
    QStringDecoder gbk(GetParam().gbkValid ? "GBK" : kNoSuchEncoding);
    const TextReadResult read = TextFileReader::Read(path, 1000, QStringLiteral("太大"), gbk);
    EXPECT_EQ(read.ok(), GetParam().ok) << read.error.toStdString();
    EXPECT_EQ(read.text, GetParam().text);
    if (!GetParam().ok) {
        EXPECT_TRUE(read.error.contains(path)) << read.error.toStdString();
        EXPECT_TRUE(read.error.contains(QStringLiteral("GBK"))) << read.error.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, GbkReading,
    testing::Values(Reading{"GbkWithConverter", kGbkWord + "\r\n", true, true, "排除原因数\n"},
                    Reading{"GbkWithout", kGbkWord + "\r\n", false, false, ""},
                    // One byte past ASCII that is not UTF-8 is enough to need GBK.
                    Reading{"LoneHighByteWithout", QByteArray("123\xB0", 4), false, false, ""},
                    Reading{"Utf8Without", QByteArray("排除原因数\r\n"), false, true,
                            "排除原因数\n"},
                    Reading{"Utf8BomWithout",
                            QByteArray("\xEF\xBB\xBF"
                                       "001"),
                            false, true, "001"},
                    Reading{"AsciiWithout", QByteArray("000 001\r"), false, true, "000 001\n"},
                    Reading{"EmptyWithout", QByteArray(), false, true, ""}),
    [](const testing::TestParamInfo<Reading>& info) { return std::string(info.param.name); });

TEST(GbkConverter, DecodeGivesNothingWhenGbkIsNeededAndMissing) {
    QStringDecoder missing(kNoSuchEncoding);
    EXPECT_FALSE(TextFileReader::Decode(kGbkWord, missing).has_value());
    QStringDecoder gbk("GBK");
    EXPECT_EQ(TextFileReader::Decode(kGbkWord, gbk).value_or("<nothing>"), "排除原因数");
}

} // namespace
} // namespace tarvex
