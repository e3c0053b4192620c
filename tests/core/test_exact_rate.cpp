#include "history/ExactRate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace tarvex {
namespace {

TEST(ExactRate, HalvesRoundAwayFromZeroFromTheExactFraction) {
    struct Case {
        long long numerator, denominator;
        int decimals;
        bool sign;
        const char* shown;
    };
    const Case cases[] = {
        {2967, 4000, 2, false, "74.18%"}, // the double 0.74175 lies below the half
        {-2967, 4000, 2, true, "-74.18%"},
        {2967, 4000, 2, true, "+74.18%"},
        {1, 3, 2, false, "33.33%"},
        {2, 3, 2, false, "66.67%"},
        {0, 7, 2, true, "0.00%"},
        {-1, 1000000, 2, true, "0.00%"}, // never "-0.00%"
        {1, 8, 1, false, "12.5%"},
        {1, 16, 1, false, "6.3%"},
        {1, 200, 0, false, "1%"},
        {7, 7, 2, false, "100.00%"},
        {3, 0, 2, false, "—"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ((ExactRate{c.numerator, c.denominator}.Percent(c.decimals, c.sign)), c.shown)
            << c.numerator << "/" << c.denominator;
    }
}

// Against printf on the double: the same text, except exactly at a half, where printf may
// go either way and the exact rounding goes up.
TEST(ExactRate, AgreesWithPrintfOffTheHalves) {
    int halves = 0;
    for (long long d = 1; d <= 800; ++d) {
        for (long long n = 0; n <= d; ++n) {
            char text[32];
            std::snprintf(text, sizeof text, "%.2f%%", static_cast<double>(n) * 100.0 / d);
            const std::string exact = ExactRate{n, d}.Percent();
            if ((n * 20000) % d == 0 && (n * 20000 / d) % 2 == 1) {
                ++halves;
                const long long up = (n * 10000 / d) + 1; // the next hundredth of a per cent
                char want[32];
                std::snprintf(want, sizeof want, "%lld.%02lld%%", up / 100, up % 100);
                EXPECT_EQ(exact, want) << n << "/" << d;
            } else {
                EXPECT_EQ(exact, text) << n << "/" << d;
            }
        }
    }
    EXPECT_GT(halves, 100);
}

} // namespace
} // namespace tarvex
