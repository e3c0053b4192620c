#include "history/ExactRate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tarvex {
namespace {

// Against printf on the double for every n/d, d ≤ 800: the same text except exactly at a
// half, where the exact rounding goes up (2967/4000 = 74.175 % is 74.18 %, never 74.17 %).
TEST(ExactRate, AgreesWithPrintfOffTheHalvesAndRoundsHalvesUp) {
    int halves = 0;
    for (long long d = 1; d <= 800; ++d) {
        for (long long n = 0; n <= d; ++n) {
            char text[32];
            std::snprintf(text, sizeof text, "%.2f%%", static_cast<double>(n) * 100.0 / d);
            const long long up = n * 10000 / d + 1; // the next hundredth of a per cent
            if ((n * 20000) % d == 0 && (n * 20000 / d) % 2 == 1) {
                ++halves;
                std::snprintf(text, sizeof text, "%lld.%02lld%%", up / 100, up % 100);
            }
            EXPECT_EQ((ExactRate{n, d}.Percent()), text) << n << "/" << d;
        }
    }
    EXPECT_GT(halves, 100);
    EXPECT_EQ((ExactRate{-2967, 4000}.Percent(2, true)), "-74.18%");
    EXPECT_EQ((ExactRate{-1, 1000000}.Percent(2, true)), "0.00%"); // never "-0.00%"
    EXPECT_EQ((ExactRate{1, 16}.Percent(1, true)), "+6.3%");
    EXPECT_EQ((ExactRate{3, 0}.Percent()), "—");
}

} // namespace
} // namespace tarvex
