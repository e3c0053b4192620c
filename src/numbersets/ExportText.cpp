#include "numbersets/ExportText.h"

#include "engine/Settings.h"

namespace tarvex {

std::string ExportText(const std::vector<std::string>& list, int perRowIndex,
                       const std::string& timestampText) {
    const std::size_t perLine = static_cast<std::size_t>(NumbersPerLine(perRowIndex));
    std::string text;
    std::size_t i = 0;
    for (const std::string& number : list) {
        ++i;
        text += number + "\t";
        if (i % perLine == 0) {
            text += "\n";
        }
    }
    text += "\n" + timestampText + " 共计" + std::to_string(list.size()) + "注\t";
    return text;
}

std::string ExportFileName(const std::string& chosenName) {
    // Both separators count: the file dialog gives "/" and a Windows path may use "\".
    const std::size_t separator = chosenName.find_last_of("/\\");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    if (chosenName.find('.', nameStart) != std::string::npos) {
        return chosenName;
    }
    return chosenName + ".TXT";
}

} // namespace tarvex
