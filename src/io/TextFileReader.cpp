#include "io/TextFileReader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace tarvex {

std::string TextFileReader::Decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        QStringDecoder gbk("GBK");
        text = gbk.decode(bytes);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.toStdString();
}

TextReadResult TextFileReader::Read(const QString& path, qint64 maxBytes,
                                    const QString& tooBigMessage) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir()) {
        // Opening a named pipe waits for a writer forever, and a device may never end.
        return {{}, QStringLiteral("“%1”不是普通文件").arg(path)};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {{}, file.errorString()};
    }
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes) {
        return {{}, tooBigMessage};
    }
    if (file.error() != QFileDevice::NoError) {
        return {{}, file.errorString()};
    }
    return {Decode(bytes), {}};
}

TextReadResult TextFileReader::ReadBaseSet(const QString& path) {
    return Read(path, kBaseSetLimit, QStringLiteral("大底文件太大，程序无法处理"));
}

} // namespace tarvex
