#include "io/OutputFiles.h"

#include "io/NativeFileName.h"
#include "io/TextFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarvex {

namespace {

// The fixed-name outputs are never written through a symbolic link: a link standing in their
// place is replaced by the file, so whatever it points to stays as it was. Messages name the
// file by its full path, so the player knows where to look.
QString WriteInCurrentFolder(const QString& name, const std::string& utf8Text) {
    const QString path = QDir::current().absoluteFilePath(name);
    if (QFileInfo(path).isSymLink() && !QFile::remove(path)) {
        return QStringLiteral("无法写入文件“%1”：它是一个符号链接，而且无法删除")
            .arg(NativeFileName::ShownName(path));
    }
    return TextFileWriter::WriteGbk(path, utf8Text);
}

} // namespace

QString OutputFiles::WriteKillFile(const std::string& utf8Text) {
    return WriteInCurrentFolder(KillFile(), utf8Text);
}

QString OutputFiles::WriteReportFile(const std::string& utf8Text) {
    return WriteInCurrentFolder(ReportFile(), utf8Text);
}

QString OutputFiles::ExportTimestamp(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy'年'MM'月'dd'日' HH:mm:ss"));
}

} // namespace tarvex
