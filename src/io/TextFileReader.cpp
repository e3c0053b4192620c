#include "io/TextFileReader.h"

#include "io/FileErrorText.h"
#include "io/NativeFile.h"
#include "io/NativeFileName.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>

#include <utility>

namespace tarvex {

std::optional<std::string> TextFileReader::Decode(const QByteArray& bytes, const GbkCodec& gbk) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        std::optional<QString> decoded = gbk.Decode(bytes);
        if (!decoded)
            return std::nullopt;
        text = std::move(*decoded);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.toStdString();
}

TextReadResult TextFileReader::Read(const QString& path, qint64 maxBytes,
                                    const QString& tooBigMessage) {
    return Read(path, maxBytes, tooBigMessage, GbkCodec::Native());
}

TextReadResult TextFileReader::Read(const QString& path, qint64 maxBytes,
                                    const QString& tooBigMessage, const GbkCodec& gbk) {
    const ByteReadResult read = ReadBytes(path, maxBytes, tooBigMessage);
    if (!read.ok()) {
        return {{}, read.error};
    }
    std::optional<std::string> text = Decode(read.bytes, gbk);
    if (!text) {
        return {{},
                QStringLiteral("文件“%1”不是 UTF-8 文本，而此 Qt 缺少 GBK 编码转换器（未带 ICU），"
                               "无法按 GBK 读取")
                    .arg(NativeFileName::ShownName(path))};
    }
    return {std::move(*text), {}};
}

ByteReadResult TextFileReader::ReadBytes(const QString& path, qint64 maxBytes,
                                         const QString& tooBigMessage) {
    const NativeFile::Info info = NativeFile::Inspect(path);
    if (info.exists && !info.isFile && !info.isDir) {
        // Opening a named pipe waits for a writer forever, and a device may never end.
        return {{}, QStringLiteral("“%1”不是普通文件").arg(NativeFileName::ShownName(path))};
    }
    QFile file;
    errno = 0;
    if (!NativeFile::OpenForReading(path, file)) {
        return {{}, FileErrorText::Reason(path, false, errno)};
    }
    errno = 0;
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes) {
        return {{}, tooBigMessage};
    }
    if (file.error() != QFileDevice::NoError) {
        return {{}, FileErrorText::Reason(path, false, errno)};
    }
    return {bytes, {}};
}

TextReadResult TextFileReader::ReadBaseSet(const QString& path) {
    return Read(path, kBaseSetLimit, QStringLiteral("大底文件太大，程序无法处理"));
}

} // namespace tarvex
