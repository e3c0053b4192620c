#include "predicates/HitCount.h"

namespace tarvex {

int HitCount(int number, std::string_view text) {
    const int digits[3] = {number / 100, number / 10 % 10, number % 10};
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        const bool seenBefore =
            (i > 0 && digits[i] == digits[0]) || (i > 1 && digits[i] == digits[1]);
        if (!seenBefore &&
            text.find(static_cast<char>('0' + digits[i])) != std::string_view::npos) {
            ++count;
        }
    }
    return count;
}

} // namespace tarvex
