#include "io/JsonKeyScan.h"
#include "io/MessageText.h"
#include "io/SchemeReader.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvex {
namespace {

struct ExcerptCase {
    const char* name;
    QString text;
    QString shown;
};

class Excerpts : public testing::TestWithParam<ExcerptCase> {};

TEST_P(Excerpts, ShowShortEscapedText) {
    EXPECT_EQ(MessageText::Excerpt(GetParam().text), GetParam().shown);
    EXPECT_EQ(MessageText::Excerpt(GetParam().text.toStdString()), GetParam().shown);
}

const QString k60 = QString(60, 'a');

INSTANTIATE_TEST_SUITE_P(
    Texts, Excerpts,
    testing::Values(ExcerptCase{"Empty", "", ""}, ExcerptCase{"Short", "百十个", "百十个"},
                    ExcerptCase{"Exactly60", k60, k60},
                    ExcerptCase{"Cut", k60 + "b", k60 + QChar(0x2026)},
                    ExcerptCase{"CutWide", QString(61, QChar(0x5927)),
                                QString(60, QChar(0x5927)) + QChar(0x2026)},
                    ExcerptCase{"Escapes", QStringLiteral("a\x1b[31m\x07\n\t\r\x7f"),
                                QStringLiteral("a\\x1B[31m\\x07\\n\\t\\r\\x7F")},
                    ExcerptCase{"LineSeparator", QString(QChar(0x2028)), "\\u2028"},
                    ExcerptCase{"SurrogatePairIsOneCharacter",
                                QString(59, 'a') + QString::fromUtf8("\xF0\x9F\x98\x80") + "b",
                                QString(59, 'a') + QString::fromUtf8("\xF0\x9F\x98\x80") +
                                    QChar(0x2026)}),
    [](const testing::TestParamInfo<ExcerptCase>& info) { return std::string(info.param.name); });

TEST(MessageText, HugeTextIsCutWithoutDecodingAllOfIt) {
    const std::string huge(10 * 1024 * 1024, 'x');
    EXPECT_EQ(MessageText::Excerpt(huge), k60.repeated(1).replace('a', 'x') + QChar(0x2026));
    EXPECT_EQ(MessageText::Escaped("a\x1b"), "a\\x1B");
}

struct DuplicateCase {
    const char* name;
    QByteArray json;
    const char* path; // empty: no key repeats
};

class DuplicateKeys : public testing::TestWithParam<DuplicateCase> {};

TEST_P(DuplicateKeys, AreFoundWithTheirPath) {
    const std::optional<QString> found = JsonKeyScan::FirstDuplicateKey(GetParam().json);
    if (*GetParam().path == '\0') {
        EXPECT_FALSE(found.has_value()) << found.value_or(QString()).toStdString();
    } else {
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(*found, QString::fromUtf8(GetParam().path));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Documents, DuplicateKeys,
    testing::Values(
        DuplicateCase{"None", R"({"a": 1, "b": {"a": 2}, "c": [{"a": 1}, {"a": 2}]})", ""},
        DuplicateCase{"Top", R"({"a": 1, "b": 2, "a": 3})", "a"},
        DuplicateCase{"Nested", R"({"pages": {"direct": "1", "direct": "2"}})", "pages.direct"},
        DuplicateCase{"InArrayOfObjects",
                      R"({"matches": [{"numbers": "1"}, {"numbers": "1", "numbers": "2"}]})",
                      "matches[1].numbers"},
        DuplicateCase{"ArrayInArray", R"({"x": [[1], [{"k": 1, "k": 2}]]})", "x[1][0].k"},
        DuplicateCase{"EscapedSpelling", R"({"sums": "1", "\u0073ums": "2"})", "sums"},
        DuplicateCase{"ValueLooksLikeKey", R"({"a": "a", "b": ["a", "a"]})", ""},
        DuplicateCase{"QuotesAndBracesInStrings", R"({"a": "}\"{,", "b": "a", "a": 0})", "a"}),
    [](const testing::TestParamInfo<DuplicateCase>& info) { return std::string(info.param.name); });

struct PositionCase {
    const char* name;
    QByteArray text;
    qsizetype offset;
    qsizetype line;
    qsizetype column;
};

class Positions : public testing::TestWithParam<PositionCase> {};

TEST_P(Positions, CountLinesAndCharacters) {
    const JsonKeyScan::Position at = JsonKeyScan::PositionOf(GetParam().text, GetParam().offset);
    EXPECT_EQ(at.line, GetParam().line);
    EXPECT_EQ(at.column, GetParam().column);
}

INSTANTIATE_TEST_SUITE_P(Offsets, Positions,
                         testing::Values(PositionCase{"Start", "{}", 0, 1, 1},
                                         PositionCase{"SameLine", "{ x", 2, 1, 3},
                                         PositionCase{"SecondLine", "{\n  x", 4, 2, 3},
                                         PositionCase{"WideCharacters", "{\"大底\" x", 9, 1, 6},
                                         PositionCase{"PastTheEnd", "ab", 99, 1, 3}),
                         [](const testing::TestParamInfo<PositionCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(SchemeReaderMessages, DuplicateKeyIsAnErrorNamingIt) {
    const SchemeReadResult read = SchemeReader::Read(
        R"({"format": "tarvex-scheme", "version": 1, "pages": {"junk": "", "junk": "1"}})");
    EXPECT_EQ(read.error, QStringLiteral("方案文件错误：键 \"pages.junk\" 出现了不止一次"));
}

TEST(SchemeReaderMessages, JsonErrorGivesLineAndColumnAfterTheByteOrderMark) {
    const SchemeReadResult read =
        SchemeReader::Read("\xEF\xBB\xBF{\"format\": \"tarvex-scheme\",\n  \"大\": tru }");
    EXPECT_TRUE(
        read.error.startsWith(QStringLiteral("方案文件错误：不是有效的 JSON 文本（第 2 行第 ")))
        << read.error.toStdString();
    EXPECT_FALSE(read.error.contains("illegal")) << read.error.toStdString();
}

TEST(SchemeReaderMessages, HugeUnknownKeyIsQuotedShort) {
    const QByteArray key(10 * 1024 * 1024, 'k');
    const SchemeReadResult read =
        SchemeReader::Read(R"({"format": "tarvex-scheme", "version": 1, ")" + key + R"(": 1})");
    EXPECT_LT(read.error.size(), 120);
    EXPECT_TRUE(read.error.contains(QString(60, 'k') + QChar(0x2026)))
        << read.error.left(200).toStdString();
}

TEST(SchemeReaderMessages, ControlCharactersInAValueAreEscaped) {
    const SchemeReadResult read = SchemeReader::Read(
        R"({"format": "tarvex-scheme", "version": 1, "positionSizes": [["\u001b[2J", "大于", "十"]]})");
    EXPECT_TRUE(read.error.contains("\\x1B[2J")) << read.error.toStdString();
    EXPECT_FALSE(read.error.contains(QChar(0x1b)));
}

} // namespace
} // namespace tarvex
