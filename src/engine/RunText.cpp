#include "engine/RunText.h"

namespace tarvex {

std::string CandidateText(int number) {
    std::string text = std::to_string(number);
    if (number >= 0 && text.size() < 3) {
        text.insert(0, 3 - text.size(), '0');
    }
    return text;
}

std::string CountText(int count) {
    return "杀完还剩下" + std::to_string(count) + "注";
}

} // namespace tarvex
