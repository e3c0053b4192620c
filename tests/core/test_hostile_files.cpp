#include "engine/KillRun.h"
#include "io/SchemeFile.h"
#include "io/TextFileReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex {
namespace {

void WriteRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

struct BaseFileCase {
    const char* name;
    QByteArray filler;     // repeated to fill the file up to the limit
    std::vector<int> kept; // the numbers written among the filler
};

class HostileBaseFile : public testing::TestWithParam<BaseFileCase> {};

// A base-set file of exactly the largest size, full of bytes that are neither digits nor
// valid text, still gives the numbers written in it, and only those.
TEST_P(HostileBaseFile, FullFileOfJunkKeepsItsNumbers) {
    QByteArray bytes;
    for (int n : GetParam().kept) {
        bytes += GetParam().filler + QByteArray::number(n).rightJustified(3, '0');
    }
    while (bytes.size() < TextFileReader::kBaseSetLimit) {
        bytes += GetParam().filler;
    }
    bytes.truncate(TextFileReader::kBaseSetLimit);
    QTemporaryDir dir;
    WriteRaw(dir.filePath("base.txt"), bytes);

    const TextReadResult read = TextFileReader::ReadBaseSet(dir.filePath("base.txt"));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    Settings s;
    s.baseSet = true;
    s.result = read.text;
    const KillOutcome outcome = RunKill(s);
    ASSERT_TRUE(outcome.completed()) << outcome.message;
    EXPECT_EQ(outcome.survivors, GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileBaseFile,
    testing::Values(BaseFileCase{"Nul", QByteArray(3, '\0'), {7, 123, 999}},
                    BaseFileCase{"InvalidUtf8", "\xff\xfe\xc0", {0, 456}},
                    BaseFileCase{"Gbk", "\xb4\xf3\xb5\xd7", {123, 321}},
                    // A stray lead byte right before a number must not swallow its digit.
                    BaseFileCase{"LoneGbkLeadByte", "\x81", {111, 222, 333}},
                    BaseFileCase{"Letters", "x", {5, 50, 500}},
                    BaseFileCase{"NoLineEnds", "\t", {10, 20, 30}}),
    [](const testing::TestParamInfo<BaseFileCase>& info) { return std::string(info.param.name); });

TEST(HostileBaseFile, TenMebibytesOfJunkAreRefusedAsTooLarge) {
    QTemporaryDir dir;
    QByteArray bytes(10 * 1024 * 1024, '\xff');
    bytes[5] = '\0';
    WriteRaw(dir.filePath("big.txt"), bytes);
    const TextReadResult read = TextFileReader::ReadBaseSet(dir.filePath("big.txt"));
    EXPECT_EQ(read.error.toStdString(), "大底文件太大，程序无法处理");
    EXPECT_TRUE(read.text.empty());
}

TEST(HostileBaseFile, PathUnderAFileIsAnError) {
    QTemporaryDir dir;
    WriteRaw(dir.filePath("plain"), "123");
    const TextReadResult read = TextFileReader::ReadBaseSet(dir.filePath("plain/base.txt"));
    EXPECT_FALSE(read.ok());
    EXPECT_FALSE(read.error.trimmed().isEmpty());
    EXPECT_TRUE(read.text.empty());
}

struct SchemeCase {
    const char* name;
    QByteArray bytes;
    const char* named; // what the message must mention
};

class HostileScheme : public testing::TestWithParam<SchemeCase> {};

TEST_P(HostileScheme, IsRefusedNamingTheProblem) {
    const SchemeReadResult read = SchemeFile::FromBytes(GetParam().bytes);
    ASSERT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(QString::fromUtf8(GetParam().named)))
        << read.error.toStdString();
    EXPECT_EQ(read.settings, Settings{}); // nothing half-read is handed on
}

const QByteArray kHead = R"({"format": "tarvex-scheme", "version": 1, )";

INSTANTIATE_TEST_SUITE_P(
    Files, HostileScheme,
    testing::Values(
        SchemeCase{"UnknownKey", kHead + R"("sumLow": 3, "colour": "red"})", "colour"},
        SchemeCase{"UnknownPageKey", kHead + R"("pages": {"junk": "1*2*3", "extra": 1}})", "extra"},
        SchemeCase{"PagesNotAnObject", kHead + R"("pages": ["junk"]})", "pages"},
        SchemeCase{"PageKeyAtTop", kHead + R"("junk": "1*2*3"})", "junk"},
        SchemeCase{"TopKeyInPages", kHead + R"("pages": {"sumLow": 3}})", "sumLow"},
        SchemeCase{"RowsNestedTooDeep", kHead + R"("matches": [[{"numbers": "1"}]]})", "matches"},
        SchemeCase{"FlagsNestedTooDeep", kHead + R"("ac": [[true], [true], [true]]})", "ac"}),
    [](const testing::TestParamInfo<SchemeCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvex
