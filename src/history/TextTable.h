#pragma once

#include <string>
#include <vector>

namespace tarvex {

// Columns padded for a fixed-width font in which a Chinese character takes two places: the
// first column left-aligned, the figures right-aligned beneath their headings.
class TextTable {
public:
    explicit TextTable(std::vector<std::string> heading);
    void Add(std::vector<std::string> row);
    std::string Text() const; // UTF-8, "\n" after every line

    static int DisplayWidth(const std::string& utf8);

private:
    std::vector<std::vector<std::string>> rows_;
};

} // namespace tarvex
