#include "numbersets/GroupConversion.h"

#include <algorithm>
#include <array>

namespace tarvex {

namespace {

// abc, acb, bac, bca, cab, cba of the first, middle and last character. Items are three
// characters in practice; shorter or longer texts are arranged the same way (the middle is
// what lies between the first and the last character) so nothing can read out of range.
std::array<std::string, 6> Arrangements(const std::string& x) {
    if (x.size() < 2) {
        return {x, x, x, x, x, x};
    }
    const std::string a(1, x.front());
    const std::string b = x.substr(1, x.size() - 2);
    const std::string c(1, x.back());
    return {a + b + c, a + c + b, b + a + c, b + c + a, c + a + b, c + b + a};
}

bool SeenBefore(const std::vector<std::string>& taken, const std::string& x) {
    const auto arrangements = Arrangements(x);
    return std::any_of(taken.begin(), taken.end(), [&](const std::string& entry) {
        return std::find(arrangements.begin(), arrangements.end(), entry) != arrangements.end();
    });
}

} // namespace

GroupConversion ConvertToGroup(const std::vector<std::string>& items) {
    GroupConversion out;
    for (const std::string& x : items) {
        if (!SeenBefore(out.numbers, x)) {
            out.numbers.push_back(x);
        }
    }
    int k = 0;
    for (const std::string& number : out.numbers) {
        ++k;
        out.fileText += number + "\n";
        out.resultText += number + "\t";
        if (k % 5 == 0) {
            out.resultText += "\n";
        }
    }
    out.countText = "组选号码剩" + std::to_string(out.numbers.size()) + "注";
    return out;
}

} // namespace tarvex
