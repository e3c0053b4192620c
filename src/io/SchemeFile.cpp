#include "io/SchemeFile.h"

#include "io/FileErrorText.h"
#include "io/NativeFile.h"
#include "io/NativeFileName.h"
#include "io/SchemeWriter.h"
#include "io/TextFileWriter.h"

#include <QFile>

#include <cerrno>

namespace tarvex {

SchemeReadResult SchemeFile::Load(const QString& path) {
    const QString shown = NativeFileName::ShownName(path);
    const NativeFile::Info info = NativeFile::Inspect(path);
    if (info.exists && !info.isFile) {
        // Opening a named pipe waits for a writer forever, and a device may never end.
        return {{}, QStringLiteral("“%1”不是普通文件，不能作为方案文件读取").arg(shown)};
    }
    QFile file;
    errno = 0;
    if (!NativeFile::OpenForReading(path, file)) {
        return {{},
                QStringLiteral("无法读取方案文件“%1”：%2")
                    .arg(shown, FileErrorText::Reason(path, false, errno))};
    }
    // size() settles a regular file at once; the bounded read covers pipes and devices.
    const QByteArray bytes = file.size() > kMaxBytes ? QByteArray() : file.read(kMaxBytes + 1);
    if (file.size() > kMaxBytes || bytes.size() > kMaxBytes) {
        return {{}, QStringLiteral("方案文件“%1”太大（超过 64 MiB），不是方案文件").arg(shown)};
    }
    if (file.error() != QFileDevice::NoError) {
        return {{},
                QStringLiteral("无法读取方案文件“%1”：%2")
                    .arg(shown, FileErrorText::Reason(path, false, errno))};
    }
    SchemeReadResult result = FromBytes(bytes);
    if (!result.ok()) {
        // The player may have several schemes open in folders: say which one is broken.
        result.error = QStringLiteral("%1\n文件：%2").arg(result.error, shown);
    }
    return result;
}

SchemeReadResult SchemeFile::FromBytes(const QByteArray& bytes) {
    return SchemeReader::Read(bytes);
}

SchemeReadResult SchemeFile::FromString(const std::string& text) {
    return FromBytes(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

QString SchemeFile::Save(const QString& path, const Settings& settings) {
    return TextFileWriter::WriteBytes(path, ToBytes(settings));
}

QByteArray SchemeFile::ToBytes(const Settings& settings) {
    return SchemeWriter::Write(settings);
}

std::string SchemeFile::ToString(const Settings& settings) {
    return ToBytes(settings).toStdString();
}

} // namespace tarvex
