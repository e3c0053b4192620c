#include "history/Play.h"

#include <algorithm>
#include <array>

namespace tarvex {

const char* PlayRules::Name(Play play) {
    switch (play) {
    case Play::Direct:
        return "直选";
    case Play::Group3:
        return "组三";
    case Play::Group6:
        return "组六";
    }
    return "";
}

int PlayRules::GroupKey(int number) {
    std::array<int, 3> digits{number / 100, number / 10 % 10, number % 10};
    std::sort(digits.begin(), digits.end());
    return digits[0] * 100 + digits[1] * 10 + digits[2];
}

std::optional<Play> PlayRules::GroupPlay(int number) {
    const int a = number / 100, b = number / 10 % 10, c = number % 10;
    if (a == b && b == c) {
        return std::nullopt;
    }
    return a == b || b == c || a == c ? Play::Group3 : Play::Group6;
}

int PlayRules::Orderings(Play play) {
    return play == Play::Direct ? 1 : play == Play::Group3 ? 3 : 6;
}

} // namespace tarvex
