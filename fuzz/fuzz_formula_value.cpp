// Any bytes as the value cell of a formula row: the value must read like atol but stop at
// the int64 range (as strtoll does), and the row must hold for exactly the numbers that
// plain arithmetic on their digits says.
#include "predicates/Formula.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr std::array<const char*, 4> kLeft{"百", "十", "个", "和"};
constexpr std::array<const char*, 5> kOps{"加", "减", "乘", "除", "取余"};
constexpr std::array<const char*, 12> kRight{"百", "十", "个", "1", "2", "3",
                                             "4",  "5",  "6",  "7", "8", "9"};
constexpr std::array<const char*, 4> kCompare{"等于", "不等于", "大于", "小于"};

[[noreturn]] void Fail(const char* what, const std::string& value, long long a, long long b) {
    std::fprintf(stderr, "%s for value text of %zu bytes: %lld vs %lld\n", what, value.size(), a,
                 b);
    std::abort();
}

long long Digit(int number, int which) {
    const int digits[3] = {number / 100, number / 10 % 10, number % 10};
    return which == 3 ? digits[0] + digits[1] + digits[2] : digits[which];
}

// The row worked out directly; a division by a zero digit does not hold.
bool Expected(int number, int left, int op, int right, int compare, long long value) {
    const long long l = Digit(number, left);
    const long long r = right < 3 ? Digit(number, right) : right - 2;
    long long x = 0;
    switch (op) {
    case 0:
        x = l + r;
        break;
    case 1:
        x = l - r;
        break;
    case 2:
        x = l * r;
        break;
    case 3:
        if (r == 0)
            return false;
        x = l / r;
        break;
    default:
        if (r == 0)
            return false;
        x = l % r;
        break;
    }
    switch (compare) {
    case 0:
        return x == value;
    case 1:
        return x != value;
    case 2:
        return x > value;
    default:
        return x < value;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // Two bytes choose the row's cells and the combine mode; the rest is the value text.
    const int left = data[0] % 4, op = data[0] / 4 % 5, compare = data[0] / 20 % 4;
    const int right = data[1] % 12, mode = data[1] / 12 % 2;
    const std::string value(reinterpret_cast<const char*>(data + 2), size - 2);

    errno = 0;
    const long long expected = std::strtoll(value.c_str(), nullptr, 10);
    const long long read = tarvex::ParseFormulaValue(value);
    if (read != expected) {
        Fail("ParseFormulaValue differs from strtoll", value, read, expected);
    }

    const tarvex::FormulaRow row{kLeft[left], kOps[op], kRight[right], kCompare[compare], value};
    const auto parsed = tarvex::ParseFormula(row);
    if (!parsed) {
        Fail("a row of the page's own items was refused", value, left, op);
    }
    for (int n = 0; n < 1000; ++n) {
        const bool holds = parsed->Holds(n);
        if (holds != Expected(n, left, op, right, compare, expected)) {
            Fail("the row's verdict differs", value, n, holds);
        }
        // FormulaTest reads its rows afresh at every call; a sample of numbers is enough.
        if (n % 37 == 0 && holds != tarvex::FormulaTest(n, {row}, mode)) {
            Fail("FormulaTest of one row differs from the row", value, n, holds);
        }
    }
    return 0;
}
