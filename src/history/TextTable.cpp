#include "history/TextTable.h"

#include <algorithm>

namespace tarvex {

TextTable::TextTable(std::vector<std::string> heading) {
    rows_.push_back(std::move(heading));
}

void TextTable::Add(std::vector<std::string> row) {
    row.resize(rows_.front().size());
    rows_.push_back(std::move(row));
}

int TextTable::DisplayWidth(const std::string& utf8) {
    int width = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            ++width;
        } else if (byte >= 0xC0) {
            width += 2; // a lead byte: the CJK characters of the tables are all wide
        }
    }
    return width;
}

std::string TextTable::Text() const {
    const std::size_t columns = rows_.front().size();
    std::vector<int> widths(columns, 0);
    for (const auto& row : rows_) {
        for (std::size_t c = 0; c < columns; ++c) {
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
        }
    }
    std::string text;
    for (const auto& row : rows_) {
        std::string line;
        for (std::size_t c = 0; c < columns; ++c) {
            const std::string pad(static_cast<std::size_t>(widths[c] - DisplayWidth(row[c])), ' ');
            line += c == 0 ? row[c] + pad : "  " + pad + row[c];
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

} // namespace tarvex
