#include "predicates/HitCount.h"
#include "predicates/MatchFilter.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(DigitsIn, SetsTheBitOfEveryDigitCharacter) {
    EXPECT_EQ(DigitsIn(""), 0);
    EXPECT_EQ(DigitsIn("号码 1,1,9"), (1 << 1) | (1 << 9));
    EXPECT_EQ(DigitsIn("0123456789"), 0x3ff);
}

TEST(HitCount, DigitBitsCountAsTheTextDoes) {
    for (const char* text : {"", "0", "123", "5,7,9", "0268", "9876543210"}) {
        for (int n = 0; n < 1000; ++n) {
            ASSERT_EQ(HitCount(n, DigitsIn(text)), HitCount(n, std::string_view(text)))
                << text << " " << n;
        }
    }
}

TEST(DanCountTest, DigitBitsTestAsTheTextDoes) {
    for (const char* dan : {"", "1", "12", "135", "0123456789"}) {
        for (int mode = 1; mode <= 3; ++mode) {
            for (int n = 0; n < 1000; ++n) {
                ASSERT_EQ(DanCountTest(n, DigitsIn(dan), mode),
                          DanCountTest(n, std::string_view(dan), mode))
                    << dan << " " << mode << " " << n;
            }
        }
    }
}

} // namespace
} // namespace tarvex
