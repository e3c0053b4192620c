#pragma once

#include <string>
#include <vector>

namespace tarvex {

// The exported result file as UTF-8 with "\n" line ends: each number followed by a tab, a line
// end after every NumbersPerLine(perRowIndex) numbers, then the trailer "\n%s 共计%d注\t".
// timestampText is the local time as "%Y年%m月%d日 %H:%M:%S".
std::string ExportText(const std::vector<std::string>& list, int perRowIndex,
                       const std::string& timestampText);

// The name the export writes to: the chosen name with ".TXT" appended when its file-name part
// holds no "." at all. A point in a folder name does not count.
std::string ExportFileName(const std::string& chosenName);

} // namespace tarvex
