#include "io/GbkCodec.h"
#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

// Off Windows, a Qt built without ICU has no GBK converter. Every build here has one (Qt's
// ICU converter, or code page 936 on Windows), so these tests hand the reader and the writer
// GbkCodec::Missing(), which stands for the missing one.
namespace tarvex {
namespace {

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

TEST(GbkConverter, ThisBuildHasOneAndTheStandInIsInvalid) {
    // Without the first, every GBK test here would pass on the wrong grounds.
    EXPECT_TRUE(GbkCodec::Native().IsValid());
    EXPECT_FALSE(GbkCodec::Missing().IsValid());
    EXPECT_FALSE(GbkCodec::Missing().Decode(kGbkWord).has_value());
    EXPECT_FALSE(GbkCodec::Missing().Encode(QStringLiteral("排除原因数")).has_value());
}

TEST(GbkConverter, WriterWithoutOneKeepsTheEarlierFileAndNamesIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvex.txt");
    const QByteArray earlier("000\t001\t");
    WriteRaw(path, earlier);
    const QString error = TextFileWriter::WriteGbk(path, "排除原因数\n", GbkCodec::Missing());
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("GBK"))) << error.toStdString();
    EXPECT_EQ(ReadAll(path), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tarvex.txt"});
}

TEST(GbkConverter, WriterWithoutOneCreatesNoFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("排除号码原因.txt");
    EXPECT_FALSE(TextFileWriter::WriteGbk(path, "", GbkCodec::Missing()).isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(GbkConverter, WriterWithOneWritesGbkWithCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tarvex.txt");
    ASSERT_EQ(TextFileWriter::WriteGbk(path, "排除原因数\n1", GbkCodec::Native()), QString());
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
    const GbkCodec gbk = GetParam().gbkValid ? GbkCodec::Native() : GbkCodec::Missing();
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
    EXPECT_FALSE(TextFileReader::Decode(kGbkWord, GbkCodec::Missing()).has_value());
    EXPECT_EQ(TextFileReader::Decode(kGbkWord, GbkCodec::Native()).value_or("<nothing>"),
              "排除原因数");
}

} // namespace
} // namespace tarvex
