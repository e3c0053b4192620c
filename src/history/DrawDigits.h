#pragma once

namespace tarvex {

// The three positions of a number, 百位 first.
struct DrawDigits {
    static constexpr int kPositions = 3;

    static int At(int number, int position) {
        return position == 0 ? number / 100 : position == 1 ? number / 10 % 10 : number % 10;
    }
    static const char* PositionName(int position) {
        return position == 0 ? "百位" : position == 1 ? "十位" : "个位";
    }
};

} // namespace tarvex
