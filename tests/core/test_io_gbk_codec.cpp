#include "io/GbkCodec.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "GbkTable.h"

// The converter each build uses for GBK files, held to the bytes and text of the Linux build:
// on Linux these check the table itself against Qt's ICU converter, on Windows they check the
// system's code page 936 against the table.
namespace tarvex {
namespace {

QByteArray Bytes(std::string_view bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString Text(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Units(const QString& text) {
    std::string units;
    for (const QChar c : text)
        units += QString::number(c.unicode(), 16).toStdString() + ' ';
    return units;
}

class GbkDecoding : public testing::TestWithParam<gbk_table::Decoding> {};

TEST_P(GbkDecoding, GivesTheLinuxText) {
    bool clean = !GetParam().clean;
    const std::optional<QString> text = GbkCodec::Native().Decode(Bytes(GetParam().bytes), &clean);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(Units(*text), Units(Text(GetParam().text)));
    EXPECT_EQ(clean, GetParam().clean);
}

INSTANTIATE_TEST_SUITE_P(Table, GbkDecoding, testing::ValuesIn(gbk_table::kDecodings),
                         [](const testing::TestParamInfo<gbk_table::Decoding>& info) {
                             return info.param.name;
                         });

class GbkEncoding : public testing::TestWithParam<gbk_table::Encoding> {};

TEST_P(GbkEncoding, GivesTheLinuxBytes) {
    const std::optional<QByteArray> bytes = GbkCodec::Native().Encode(Text(GetParam().text));
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->toHex(' '), Bytes(GetParam().bytes).toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(Table, GbkEncoding, testing::ValuesIn(gbk_table::kEncodings),
                         [](const testing::TestParamInfo<gbk_table::Encoding>& info) {
                             return info.param.name;
                         });

// Every byte and byte pair, read one at a time and folded into one figure: the whole code
// page reads as on Linux, and every character read cleanly is written back to its bytes.
TEST(GbkCodePage, EveryPairReadsAsOnLinuxAndWritesBack) {
    const GbkCodec gbk = GbkCodec::Native();
    std::uint64_t hash = 14695981039346656037u;
    int clean = 0;
    int back = 0;
    for (int code = 0; code < 0x10000; ++code) {
        QByteArray bytes;
        if (code >= 0x100)
            bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
        bool ok = false;
        const QString text = gbk.Decode(bytes, &ok).value_or(QStringLiteral("<none>"));
        for (const QChar c : text)
            hash = (hash ^ c.unicode()) * 1099511628211u;
        hash = (hash ^ (ok ? 1u : 2u)) * 1099511628211u;
        if (ok && !text.isEmpty()) {
            ++clean;
            back += gbk.Encode(text).value_or(QByteArray()) == bytes;
        }
    }
    EXPECT_EQ(hash, gbk_table::kCodePageHash);
    EXPECT_EQ(clean, gbk_table::kCleanCount);
    EXPECT_EQ(back, gbk_table::kWrittenBackCount);
}

} // namespace
} // namespace tarvex
