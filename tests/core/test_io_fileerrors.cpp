#include "io/FileErrorText.h"
#include "io/TextFileReader.h"
#include "io/TextFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace tarvex {
namespace {

using Place = FileErrorText::Place;

struct ReasonCase {
    const char* name;
    Place place;
    bool writing;
    int error;
    const char* reason;
};

class FileReasons : public testing::TestWithParam<ReasonCase> {};

TEST_P(FileReasons, AreToldInChinese) {
    EXPECT_EQ(FileErrorText::Reason(GetParam().place, GetParam().writing, GetParam().error),
              QString::fromUtf8(GetParam().reason));
}

constexpr Place kFreshFile{false, false, false, true, true, true};
constexpr Place kWritableFile{true, false, true, true, true, true};

INSTANTIATE_TEST_SUITE_P(
    Places, FileReasons,
    testing::Values(
        // A writable tarvex.txt in a read-only folder: the folder is to blame, since the file
        // is replaced by one made beside it.
        ReasonCase{"ReadOnlyFolderWritableFile",
                   {true, false, true, true, false, true},
                   true,
                   EACCES,
                   "所在的文件夹不允许写入"},
        ReasonCase{
            "ReadOnlyFile", {true, false, false, true, true, true}, true, EACCES, "文件是只读的"},
        ReasonCase{"Folder",
                   {true, true, true, true, true, true},
                   true,
                   EISDIR,
                   "这是一个文件夹，不是文件"},
        ReasonCase{"MissingFolder",
                   {false, false, false, false, false, true},
                   true,
                   ENOENT,
                   "所在的文件夹不存在"},
        ReasonCase{"UnderAFile",
                   {false, false, false, true, false, false},
                   true,
                   ENOTDIR,
                   "路径中有一项是文件，不是文件夹"},
        ReasonCase{"FullDisk", kWritableFile, true, ENOSPC, "磁盘已满"},
        ReasonCase{"ReadOnlyFileSystem", kFreshFile, true, EROFS, "所在的磁盘或文件系统是只读的"},
        ReasonCase{"TooLarge", kWritableFile, true, EFBIG, "文件超出了允许的大小"},
        ReasonCase{"MissingForReading", kFreshFile, false, ENOENT, "文件不存在"},
        ReasonCase{"NoPermissionToRead", kWritableFile, false, EACCES, "没有权限"},
        // A file in a folder the user may not search cannot even be seen to exist.
        ReasonCase{"UnsearchableFolder", kFreshFile, false, EACCES, "没有权限"},
        ReasonCase{"UnsearchableFolderDeeper",
                   {false, false, false, false, false, true},
                   false,
                   EACCES,
                   "没有权限"},
        ReasonCase{"UnknownWrite", kWritableFile, true, 0, "写入失败"},
        ReasonCase{"UnknownRead", kWritableFile, false, 0, "读取失败"}),
    [](const testing::TestParamInfo<ReasonCase>& info) { return std::string(info.param.name); });

// The real files behind the table: no message of the writer or reader carries Qt's English.
TEST(FileErrorText, WriterAndReaderNameTheCause) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString inMissing = TextFileWriter::WriteGbk(dir.filePath("none/tarvex.txt"), "1");
    EXPECT_TRUE(inMissing.contains(QStringLiteral("所在的文件夹不存在")))
        << inMissing.toStdString();
    const QString onFolder = TextFileWriter::WriteGbk(dir.filePath("folder"), "1");
    EXPECT_TRUE(onFolder.contains(QStringLiteral("这是一个文件夹"))) << onFolder.toStdString();
    const QString underFile = TextFileWriter::WriteGbk(dir.filePath("plain/tarvex.txt"), "1");
    EXPECT_TRUE(underFile.contains(QStringLiteral("不是文件夹"))) << underFile.toStdString();
    const TextReadResult missing = TextFileReader::ReadBaseSet(dir.filePath("gone.txt"));
    EXPECT_EQ(missing.error, QStringLiteral("文件不存在"));
    for (const QString& message : {inMissing, onFolder, underFile, missing.error}) {
        for (const char* english : {"No such", "Permission", "exist", "directory", "writable"})
            EXPECT_FALSE(message.contains(QLatin1String(english))) << message.toStdString();
    }
}

} // namespace
} // namespace tarvex
