#pragma once

#include "io/DrawHistory.h"

#include <QByteArray>

#include <string>

namespace tarvex {

// Draws in the text forms people copy and sources serve: the history file's own lines, CSV
// "期号,日期,号码", the 17500 archive (seven-digit 期号, 试机号 and further columns) and a
// table copied from a web page (期号, a date such as "2026-08-20(四)", words such as "星期四",
// the number, and further columns). Each line is brought to "期号 日期 号码 …" and then read as
// a history file is, so its problems carry the line's number.
class DrawTextReader {
public:
    static DrawHistoryResult Read(const QByteArray& bytes);
    // One line as the history reader takes it.
    static std::string Normalize(const std::string& line);
};

} // namespace tarvex
