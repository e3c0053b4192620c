#include "io/OutputFiles.h"

#include "io/TextFileWriter.h"

namespace tarvex {

QString OutputFiles::EmptyKillFile() {
    return TextFileWriter::Truncate(KillFile());
}

QString OutputFiles::WriteKillFile(const std::string& utf8Text) {
    return TextFileWriter::WriteGbk(KillFile(), utf8Text);
}

QString OutputFiles::WriteReportFile(const std::string& utf8Text) {
    return TextFileWriter::WriteGbk(ReportFile(), utf8Text);
}

QString OutputFiles::ExportTimestamp(const QDateTime& time) {
    return time.toString(QStringLiteral("yyyy'年'MM'月'dd'日' HH:mm:ss"));
}

} // namespace tarvex
