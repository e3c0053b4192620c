#include "history/PrizeTable.h"

#include <vector>

namespace tarvex {

namespace {

// Commas (',' or '，') separate the prizes, or blanks when there is no comma; a piece left
// empty ("1040,,173") stays, so that it is an error rather than two prizes.
std::vector<std::string> Pieces(std::string text) {
    static const std::string chineseComma = "，";
    for (std::size_t at = text.find(chineseComma); at != std::string::npos;
         at = text.find(chineseComma, at)) {
        text.replace(at, chineseComma.size(), ",");
    }
    const bool commas = text.find(',') != std::string::npos;
    std::vector<std::string> pieces;
    std::string piece;
    for (const char c : text + (commas ? "," : " ")) {
        const bool blank = c == ' ' || c == '\t';
        if (commas ? c == ',' : blank) {
            if (commas || !piece.empty()) {
                pieces.push_back(piece);
            }
            piece.clear();
        } else if (!blank) {
            piece += c;
        }
    }
    return pieces;
}

bool Whole(const std::string& piece, long long& value) {
    if (piece.empty() || piece.size() > 10) {
        return false;
    }
    value = 0;
    for (const char c : piece) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value <= PrizeTable::kMaxPrize;
}

} // namespace

std::string PrizeTable::Text() const {
    return std::to_string(prizes[0]) + "," + std::to_string(prizes[1]) + "," +
           std::to_string(prizes[2]);
}

std::optional<PrizeTable> PrizeTable::Parse(const std::string& text, std::string& error) {
    const std::vector<std::string> pieces = Pieces(text);
    if (pieces.size() != 3) {
        error = "奖金应为三个整数（直选,组三,组六），如 1040,346,173";
        return std::nullopt;
    }
    PrizeTable table;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!Whole(pieces[i], table.prizes[i])) {
            error = std::string(PlayRules::Name(static_cast<Play>(i))) + "的奖金“" +
                    pieces[i].substr(0, 20) + "”应为 0 到 100000000 之间的整数（元）";
            return std::nullopt;
        }
    }
    return table;
}

} // namespace tarvex
