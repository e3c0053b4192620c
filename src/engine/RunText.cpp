#include "engine/RunText.h"

namespace tarvex {

std::string CandidateText(int number) {
    std::string text = std::to_string(number);
    if (number >= 0 && text.size() < 3) {
        text.insert(0, 3 - text.size(), '0');
    }
    return text;
}

std::optional<int> CandidateNumber(std::string_view item) {
    if (item.size() != 3) {
        return std::nullopt;
    }
    int number = 0;
    for (const char c : item) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

std::string CountText(int count) {
    return "杀完还剩下" + std::to_string(count) + "注";
}

} // namespace tarvex
