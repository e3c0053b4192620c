#include "predicates/Classifiers.h"

#include "predicates/Digits.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tarvex {

namespace {

// The shared eight-way numbering; the second half is not the mirror of the first.
template <typename InA> int EightWayCode(int number, InA inA) {
    const Digits d(number);
    if (inA(d.h)) {
        return 2 * (inA(d.t) ? 0 : 1) + (inA(d.u) ? 0 : 1);
    }
    return 4 + 2 * (inA(d.t) ? 1 : 0) + (inA(d.u) ? 1 : 0);
}

bool IsPrimeDigit(int d) {
    return d == 1 || d == 2 || d == 3 || d == 5 || d == 7;
}

// A 0 next to a 9 becomes 10 so that the ring neighbours 9 and 0 differ by 1.
void LiftZeroNextToNine(int& digit, int other1, int other2) {
    if (digit == 0 && (other1 == 9 || other2 == 9)) {
        digit = 10;
    }
}

} // namespace

int OddEvenCode(int number) {
    return EightWayCode(number, [](int d) { return d % 2 == 1; });
}

int BigSmallCode(int number) {
    return EightWayCode(number, [](int d) { return d >= 5; });
}

int PrimeCompositeCode(int number) {
    return EightWayCode(number, IsPrimeDigit);
}

int ShapeCode(int number) {
    const Digits d(number);
    if (d.h == d.t && d.t == d.u) {
        return 0;
    }
    if (d.h == d.t || d.t == d.u || d.h == d.u) {
        return 1;
    }
    return 2;
}

int ConsecutiveCode(int number) {
    Digits d(number);
    LiftZeroNextToNine(d.h, d.t, d.u);
    LiftZeroNextToNine(d.u, d.h, d.t);
    LiftZeroNextToNine(d.t, d.h, d.u);
    std::array<int, 3> diff{std::abs(d.h - d.t), std::abs(d.t - d.u), std::abs(d.h - d.u)};
    std::sort(diff.begin(), diff.end());
    if (diff == std::array<int, 3>{1, 1, 2} || diff == std::array<int, 3>{1, 8, 9}) {
        return 5;
    }
    return std::find(diff.begin(), diff.end(), 1) != diff.end() ? 4 : 3;
}

int AcCode(int number) {
    const Digits d(number);
    const int a = std::abs(d.h - d.t);
    const int b = std::abs(d.h - d.u);
    const int c = std::abs(d.t - d.u);
    if (a == b && b == c) {
        return 1;
    }
    if (a == b || b == c || a == c) {
        return 2;
    }
    return 3;
}

int Route012Code(int number) {
    const Digits d(number);
    return 9 * (d.h % 3) + 3 * (d.t % 3) + d.u % 3;
}

} // namespace tarvex
