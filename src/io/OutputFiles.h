#pragma once

#include <QDateTime>
#include <QString>

#include <string>

namespace tarvex {

// The files the window and tarvex-cli write in the current directory, and the time stamp an
// export carries, so that both front ends write them alike. Each writer returns an empty text
// on success, otherwise the message naming file and reason; reporting it is the caller's job.
class OutputFiles {
public:
    static constexpr const char* kKillFile = "tarvex.txt";
    static constexpr const char* kReportFile = "排除号码原因.txt";

    static QString KillFile() { return QString::fromUtf8(kKillFile); }
    static QString ReportFile() { return QString::fromUtf8(kReportFile); }

    // The kill run's survivors, or the group conversion's numbers, which replace them. A
    // symbolic link in the file's place is replaced, never followed.
    static QString WriteKillFile(const std::string& utf8Text);
    static QString WriteReportFile(const std::string& utf8Text);

    // "2024年05月06日 07:08:09", the line an export ends with.
    static QString ExportTimestamp(const QDateTime& time);
};

} // namespace tarvex
