#include "io/Cp936.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "GbkTable.h"

// The system's code page 936 as the Windows build reads and writes GBK files, held to the
// bytes and text of the Linux build. Qt-free, so that it runs in the engine-only Windows build.
namespace tarvex {
namespace {

std::string Units(std::u16string_view text) {
    std::string units;
    char unit[8];
    for (const char16_t c : text) {
        std::snprintf(unit, sizeof unit, "%x ", static_cast<unsigned>(c));
        units += unit;
    }
    return units;
}

std::string Hex(std::string_view bytes) {
    std::string hex;
    char byte[4];
    for (const char c : bytes) {
        std::snprintf(byte, sizeof byte, "%02x ", static_cast<unsigned char>(c));
        hex += byte;
    }
    return hex;
}

class Cp936Decoding : public testing::TestWithParam<gbk_table::Decoding> {};

TEST_P(Cp936Decoding, GivesTheLinuxText) {
    bool clean = !GetParam().clean;
    EXPECT_EQ(Units(Cp936::Decode(GetParam().bytes, clean)), Units(GetParam().text));
    EXPECT_EQ(clean, GetParam().clean);
}

INSTANTIATE_TEST_SUITE_P(Table, Cp936Decoding, testing::ValuesIn(gbk_table::kDecodings),
                         [](const testing::TestParamInfo<gbk_table::Decoding>& info) {
                             return info.param.name;
                         });

class Cp936Encoding : public testing::TestWithParam<gbk_table::Encoding> {};

TEST_P(Cp936Encoding, GivesTheLinuxBytes) {
    EXPECT_EQ(Hex(Cp936::Encode(GetParam().text)), Hex(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(Table, Cp936Encoding, testing::ValuesIn(gbk_table::kEncodings),
                         [](const testing::TestParamInfo<gbk_table::Encoding>& info) {
                             return info.param.name;
                         });

TEST(Cp936CodePage, EveryPairReadsAsOnLinuxAndWritesBack) {
    std::uint64_t hash = 14695981039346656037u;
    int cleanCount = 0;
    int back = 0;
    for (int code = 0; code < 0x10000; ++code) {
        std::string bytes;
        if (code >= 0x100)
            bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
        bool clean = false;
        const std::u16string text = Cp936::Decode(bytes, clean);
        for (const char16_t c : text)
            hash = (hash ^ c) * 1099511628211u;
        hash = (hash ^ (clean ? 1u : 2u)) * 1099511628211u;
        if (clean && !text.empty()) {
            ++cleanCount;
            back += Cp936::Encode(text) == bytes;
        }
    }
    EXPECT_EQ(hash, gbk_table::kCodePageHash);
    EXPECT_EQ(cleanCount, gbk_table::kCleanCount);
    EXPECT_EQ(back, gbk_table::kWrittenBackCount);
}

} // namespace
} // namespace tarvex
