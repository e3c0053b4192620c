#include "io/TextFileWriter.h"

#include "io/FileErrorText.h"
#include "io/NativeFile.h"
#include "io/NativeFileName.h"

#include <QSaveFile>

#include <cerrno>

namespace tarvex {

namespace {

QString WriteError(const QString& path, const QString& reason) {
    return QStringLiteral("无法写入文件“%1”：%2").arg(NativeFileName::ShownName(path), reason);
}

QString ShortWrite(const QString& path, int cause) {
    // A short write sets no error number of its own.
    return WriteError(path, cause == 0 ? QStringLiteral("写入不完整，磁盘可能已满")
                                       : QStringLiteral("写入不完整：") +
                                             FileErrorText::Reason(path, true, cause));
}

// QSaveFile cannot take a name Qt would have to re-encode, so such a name is written by its
// bytes, in the same way.
QString WriteByName(const QString& path, const QByteArray& bytes) {
    const NativeFile::ReplaceResult result = NativeFile::Replace(path, bytes);
    if (result.shortWrite)
        return ShortWrite(path, result.error);
    if (result.error != 0)
        return WriteError(path, FileErrorText::Reason(path, true, result.error));
    return {};
}

QString WithCrLf(const std::string& utf8Text) {
    QString text = QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size()));
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

} // namespace

QByteArray TextFileWriter::ToGbkCrLf(const std::string& utf8Text) {
    // Characters GBK lacks become "?", as a code page 936 text file would store them.
    return GbkCodec::Native().Encode(WithCrLf(utf8Text)).value_or(QByteArray());
}

QString TextFileWriter::WriteGbk(const QString& path, const std::string& utf8Text) {
    return WriteGbk(path, utf8Text, GbkCodec::Native());
}

QString TextFileWriter::WriteGbk(const QString& path, const std::string& utf8Text,
                                 const GbkCodec& gbk) {
    const std::optional<QByteArray> bytes = gbk.Encode(WithCrLf(utf8Text));
    if (!bytes) {
        return WriteError(path,
                          QStringLiteral("此 Qt 缺少 GBK 编码转换器（未带 ICU），文件保持原样"));
    }
    return WriteBytes(path, *bytes);
}

QString TextFileWriter::WriteBytes(const QString& path, const QByteArray& bytes) {
    const NativeFile::Info info = NativeFile::Inspect(path);
    if (info.exists && !info.isFile && !info.isDir) {
        // A device is written, never replaced by a file of its name.
        const NativeFile::ReplaceResult result = NativeFile::WriteDevice(path, bytes);
        if (result.shortWrite)
            return ShortWrite(path, result.error);
        return result.ok() ? QString()
                           : WriteError(path, FileErrorText::Reason(path, true, result.error));
    }
    if (NativeFileName::HasRawBytes(path))
        return WriteByName(path, bytes);
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk) shows in the count instead of vanishing in
    // the flush at commit, which Qt then reports as done.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return WriteError(path, FileErrorText::Reason(path, true, errno));
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int cause = errno;
        file.cancelWriting();
        return ShortWrite(path, cause);
    }
    errno = 0;
    if (!file.commit()) {
        return WriteError(path, FileErrorText::Reason(path, true, errno));
    }
    return {};
}

QString TextFileWriter::Truncate(const QString& path) {
    return WriteBytes(path, {});
}

} // namespace tarvex
