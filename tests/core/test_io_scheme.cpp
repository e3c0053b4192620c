#include "io/SchemeFile.h"
#include "io/SchemeReader.h"
#include "io/SchemeWriter.h"

#include <QFile>
#include <QTemporaryDir>

#include "VariedSettings.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tarvex {
namespace {

const std::string kHead = R"({"format": "tarvex-scheme", "version": 1)";

std::string Scheme(const std::string& body) {
    return body.empty() ? kHead + "}" : kHead + ", " + body + "}";
}

template <std::size_t N> void RandomFlags(std::mt19937& rng, std::array<bool, N>& flags) {
    for (bool& flag : flags) {
        flag = rng() % 2 == 1;
    }
}

std::string RandomText(std::mt19937& rng) {
    static const std::vector<std::string> pieces{"0",  "9",  ",", " ",    "\t",   "\n", "\"", "\\",
                                                 "大", "底", "*", "\x1f", "组选", "'",  "/"};
    std::string text;
    const int length = static_cast<int>(rng() % 12);
    for (int i = 0; i < length; ++i) {
        text += pieces[rng() % pieces.size()];
    }
    return text;
}

Settings Random(unsigned seed) {
    std::mt19937 rng(seed);
    Settings s;
    RandomFlags(rng, s.sumTail);
    RandomFlags(rng, s.span);
    RandomFlags(rng, s.dan);
    RandomFlags(rng, s.bigSmall);
    RandomFlags(rng, s.route);
    RandomFlags(rng, s.pages.routeGroups);
    s.sumLow = static_cast<int>(rng());
    s.sumHigh = static_cast<int>(rng() % 40) - 5;
    s.danCount = 1 + static_cast<int>(rng() % 3);
    s.perRow = static_cast<int>(rng() % 20);
    s.level = static_cast<int>(rng() % 17);
    s.result = RandomText(rng);
    s.sums = RandomText(rng);
    s.exclude = {RandomText(rng), RandomText(rng), RandomText(rng)};
    s.pages.direct = RandomText(rng);
    s.pages.formulaMode = static_cast<int>(rng() % 2);
    for (unsigned i = rng() % 4; i > 0; --i) {
        s.matches.push_back({RandomText(rng), RandomText(rng)});
        s.positionSizes.push_back({"十", "小于", "百"});
        s.pages.formulas.push_back(
            {"个", "除", std::to_string(1 + rng() % 9), "小于", RandomText(rng)});
    }
    return s;
}

void ExpectRoundTrip(const Settings& settings) {
    const SchemeReadResult read = SchemeFile::FromBytes(SchemeFile::ToBytes(settings));
    ASSERT_TRUE(read.ok()) << read.error.toStdString() << "\n" << SchemeFile::ToString(settings);
    EXPECT_EQ(read.settings, settings) << SchemeFile::ToString(settings);
}

TEST(SchemeFile, DefaultsRoundTrip) {
    ExpectRoundTrip(Settings{});
}

TEST(SchemeFile, EveryFieldRoundTrips) {
    ASSERT_NE(VariedSchemeSettings(), Settings{});
    ExpectRoundTrip(VariedSchemeSettings());
}

TEST(SchemeFile, RandomSettingsRoundTrip) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE(seed);
        ExpectRoundTrip(Random(seed));
    }
}

TEST(SchemeFile, WriterIsStableAndStartsWithFormat) {
    const QByteArray first = SchemeFile::ToBytes(VariedSchemeSettings());
    EXPECT_EQ(first, SchemeFile::ToBytes(VariedSchemeSettings()));
    EXPECT_TRUE(first.startsWith("{\n    \"format\": \"tarvex-scheme\",\n    \"version\": 1,\n"));
    EXPECT_TRUE(first.endsWith("}\n"));
}

// The bytes a scheme file has always had: schemes saved by earlier versions and other programs
// reading them rely on the key order, the layout and the escapes.
TEST(SchemeFile, WriterKeepsTheFileBytes) {
    const char* const expected = R"golden({
    "format": "tarvex-scheme",
    "version": 1,
    "sumTail": [false, false, false, true, false, false, false, false, false, false],
    "sumLow": -4,
    "sumHigh": 19,
    "span": [true, false, false, false, false, false, false, false, false, true],
    "dan": [true, false, true, false, false, false, false, false, false, true],
    "danCount": 3,
    "excludeCompound": true,
    "exclude": ["12", "3", "4567"],
    "positionalKill": true,
    "positionalKillDigits": ["0", "", "9"],
    "compoundInput": true,
    "compound": ["123", "456", "789"],
    "baseSet": true,
    "baseIsGroup": true,
    "result": "001\t002\t\n\"quoted\" \\ back\r\u0001 大底",
    "bigSmall": [true, true, true, true, true, true, true, false],
    "oddEven": [false, true, true, true, true, true, true, true],
    "primeComposite": [true, true, true, true, false, true, true, true],
    "shape": [true, false, true],
    "consecutive": [false, true, false],
    "route": [true, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, false, true],
    "ac": [false, true, false],
    "killSums": true,
    "sums": " 1 2 27 ",
    "matchFilter": true,
    "matches": [
        {"numbers": "0268", "counts": "12"},
        {"numbers": "", "counts": ""},
        {"numbers": "13579", "counts": "0"}
    ],
    "positionSize": true,
    "positionSizes": [
        ["百", "大于等于", "十"],
        ["个", "不等于", "个"]
    ],
    "perRow": 19,
    "level": 16,
    "pages": {
        "direct": "112,123",
        "junk": "",
        "kill2": "11,12",
        "positionalKill2": "1*1",
        "mustHave2": "输入或粘贴格式11*,1*2,*12格式的二码",
        "mustHave2Positional": true,
        "intersection": "123 456",
        "intersectionGroup": true,
        "formulaMatch": true,
        "formulaMode": 0,
        "formulas": [
            ["百", "加", "十", "等于", "9"],
            ["和", "取余", "3", "不等于", "0"]
        ],
        "routeGroups": [false, true, false, true, false, true, false, true, false, true]
    }
}
)golden";
    EXPECT_EQ(SchemeWriter::Write(VariedSchemeSettings()).toStdString(), expected);
    const SchemeReadResult read = SchemeReader::Read(QByteArray(expected));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.settings, VariedSchemeSettings());
}

TEST(SchemeFile, RulesRoundTripAndAreLeftOutWhenThereAreNone) {
    Settings s = VariedSchemeSettings();
    s.rules = {{RuleTarget::SumTail, "和1+3"}, {RuleTarget::Dan, "(百1 + 十2) * 期"}};
    const QByteArray bytes = SchemeWriter::Write(s);
    EXPECT_TRUE(bytes.contains(R"({"target": "胆", "formula": "(百1 + 十2) * 期"})"));
    const SchemeReadResult read = SchemeReader::Read(bytes);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.settings, s);
    EXPECT_FALSE(SchemeWriter::Write(VariedSchemeSettings()).contains("rules"));
}

struct BadRules {
    const char* name;
    std::string body;
    const char* named;
};

class SchemeRuleErrors : public testing::TestWithParam<BadRules> {};

TEST_P(SchemeRuleErrors, NameTheRule) {
    const SchemeReadResult read = SchemeFile::FromString(Scheme(GetParam().body));
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(QString::fromUtf8(GetParam().named)))
        << read.error.toStdString();
    EXPECT_EQ(read.settings, Settings{});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SchemeRuleErrors,
    testing::Values(
        BadRules{"NotArray", R"("rules": {})", "\"rules\""},
        BadRules{"RowNotObject", R"("rules": [["杀和尾", "1"]])", "rules[0]"},
        BadRules{"UnknownTarget", R"("rules": [{"target": "杀和值", "formula": "1"}])",
                 "rules[0].target"},
        BadRules{"MissingFormula", R"("rules": [{"target": "胆"}])", "rules[0].formula"},
        BadRules{"ExtraKey", R"("rules": [{"target": "胆", "formula": "1", "x": 1}])",
                 "rules[0].x"},
        BadRules{"FormulaNotText", R"("rules": [{"target": "胆", "formula": 1}])",
                 "rules[0].formula"},
        BadRules{
            "BadFormula",
            R"("rules": [{"target": "胆", "formula": "1"}, {"target": "通杀", "formula": "和1+"}])",
            "第 2 条规则"}),
    [](const testing::TestParamInfo<BadRules>& info) { return std::string(info.param.name); });

TEST(SchemeFile, FileRoundTrip) {
    QTemporaryDir dir;
    const QString path = dir.filePath("方案.json");
    ASSERT_EQ(SchemeFile::Save(path, VariedSchemeSettings()), QString());
    const SchemeReadResult read = SchemeFile::Load(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.settings, VariedSchemeSettings());
}

TEST(SchemeFile, OnlyFormatAndVersionGivesStartUpValues) {
    const SchemeReadResult read = SchemeFile::FromString(Scheme(""));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.settings, Settings{});
}

TEST(SchemeFile, AbsentKeysKeepStartUpValues) {
    const SchemeReadResult read =
        SchemeFile::FromString(Scheme(R"("sumLow": 5, "pages": {"formulaMode": 0})"));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    Settings expected;
    expected.sumLow = 5;
    expected.pages.formulaMode = 0;
    EXPECT_EQ(read.settings, expected);
}

TEST(SchemeFile, ByteOrderMarkIsAccepted) {
    const SchemeReadResult read = SchemeFile::FromString("\xEF\xBB\xBF" + Scheme(R"("level": 3)"));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.settings.level, 3);
}

struct BadScheme {
    const char* name;
    std::string json;
    std::string named; // the key, quoted, that the message must name
};

class SchemeErrors : public testing::TestWithParam<BadScheme> {};

TEST_P(SchemeErrors, MessageNamesTheKey) {
    const SchemeReadResult read = SchemeFile::FromString(GetParam().json);
    ASSERT_FALSE(read.ok());
    const std::string message = read.error.toStdString();
    EXPECT_EQ(message.rfind("方案文件错误：", 0), 0u) << message;
    EXPECT_NE(message.find("\"" + GetParam().named + "\""), std::string::npos) << message;
}

std::string Flags(int n) {
    std::string list = "[";
    for (int i = 0; i < n; ++i) {
        list += i == 0 ? "true" : ", true";
    }
    return list + "]";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SchemeErrors,
    testing::Values(
        BadScheme{"UnknownTop", Scheme(R"("sumlow": 1)"), "sumlow"},
        BadScheme{"UnknownPage", Scheme(R"("pages": {"routeGroup": []})"), "pages.routeGroup"},
        BadScheme{"NestedPages", Scheme(R"("pages": {"pages": {}})"), "pages.pages"},
        BadScheme{"UnknownMatchKey",
                  Scheme(R"("matches": [{"numbers": "1", "counts": "1", "x": "1"}])"),
                  "matches[0].x"},
        BadScheme{"MissingCounts", Scheme(R"("matches": [{"numbers": "1"}])"), "matches[0].counts"},
        BadScheme{"MatchRowNotObject", Scheme(R"("matches": [["1", "2"]])"), "matches[0]"},
        BadScheme{"MatchesNotArray", Scheme(R"("matches": {})"), "matches"},
        BadScheme{"MatchNumber", Scheme(R"("matches": [{"numbers": 1, "counts": "1"}])"),
                  "matches[0].numbers"},
        BadScheme{"FlagsTooShort", Scheme(R"("sumTail": )" + Flags(9)), "sumTail"},
        BadScheme{"FlagsTooLong", Scheme(R"("route": )" + Flags(28)), "route"},
        BadScheme{"FlagsNotBool", Scheme(R"("ac": [true, 1, true])"), "ac"},
        BadScheme{"RouteGroups", Scheme(R"("pages": {"routeGroups": )" + Flags(9) + "}"),
                  "pages.routeGroups"},
        BadScheme{"BoolAsNumber", Scheme(R"("baseSet": 1)"), "baseSet"},
        BadScheme{"PageBool", Scheme(R"("pages": {"formulaMatch": "true"})"), "pages.formulaMatch"},
        BadScheme{"TextAsNumber", Scheme(R"("result": 5)"), "result"},
        BadScheme{"PageText", Scheme(R"("pages": {"junk": null})"), "pages.junk"},
        BadScheme{"TextsTooShort", Scheme(R"("exclude": ["1", "2"])"), "exclude"},
        BadScheme{"TextsNotText", Scheme(R"("compound": [1, 2, 3])"), "compound"},
        BadScheme{"SumAsText", Scheme(R"("sumLow": "0")"), "sumLow"},
        BadScheme{"SumFraction", Scheme(R"("sumHigh": 1.5)"), "sumHigh"},
        BadScheme{"SumHuge", Scheme(R"("sumHigh": 1e20)"), "sumHigh"},
        BadScheme{"DanCountZero", Scheme(R"("danCount": 0)"), "danCount"},
        BadScheme{"DanCountFour", Scheme(R"("danCount": 4)"), "danCount"},
        BadScheme{"PerRowNegative", Scheme(R"("perRow": -2)"), "perRow"},
        BadScheme{"PerRow20", Scheme(R"("perRow": 20)"), "perRow"},
        BadScheme{"Level17", Scheme(R"("level": 17)"), "level"},
        BadScheme{"FormulaMode2", Scheme(R"("pages": {"formulaMode": 2})"), "pages.formulaMode"},
        BadScheme{"PagesNotObject", Scheme(R"("pages": [])"), "pages"},
        BadScheme{"PositionRowShort", Scheme(R"("positionSizes": [["百", "大于"]])"),
                  "positionSizes[0]"},
        BadScheme{"PositionLeft",
                  Scheme(R"("positionSizes": [["百", "大于", "十"], ["千", "大于", "十"]])"),
                  "positionSizes[1][0]"},
        BadScheme{"PositionComparison", Scheme(R"("positionSizes": [["百", "大", "十"]])"),
                  "positionSizes[0][1]"},
        BadScheme{"PositionRight", Scheme(R"("positionSizes": [["百", "大于", "和"]])"),
                  "positionSizes[0][2]"},
        BadScheme{"PositionSizesNotArray", Scheme(R"("positionSizes": "百大于十")"),
                  "positionSizes"},
        BadScheme{"FormulaShort", Scheme(R"("pages": {"formulas": [["百", "加", "十", "等于"]]})"),
                  "pages.formulas[0]"},
        BadScheme{"FormulaLeft",
                  Scheme(R"("pages": {"formulas": [["1", "加", "十", "等于", "9"]]})"),
                  "pages.formulas[0][0]"},
        BadScheme{"FormulaOp",
                  Scheme(R"("pages": {"formulas": [["百", "plus", "十", "等于", "9"]]})"),
                  "pages.formulas[0][1]"},
        BadScheme{"FormulaRightZero",
                  Scheme(R"("pages": {"formulas": [["百", "加", "0", "等于", "9"]]})"),
                  "pages.formulas[0][2]"},
        BadScheme{"FormulaComparison",
                  Scheme(R"("pages": {"formulas": [["百", "加", "十", "大于等于", "9"]]})"),
                  "pages.formulas[0][3]"},
        BadScheme{"FormulaValue",
                  Scheme(R"("pages": {"formulas": [["百", "加", "十", "等于", 9]]})"),
                  "pages.formulas[0]"},
        BadScheme{"MissingFormat", R"({"version": 1})", "format"},
        BadScheme{"WrongFormat", R"({"format": "tarvex", "version": 1})", "format"},
        BadScheme{"MissingVersion", R"({"format": "tarvex-scheme"})", "version"},
        BadScheme{"VersionTwo", R"({"format": "tarvex-scheme", "version": 2})", "version"},
        BadScheme{"VersionText", R"({"format": "tarvex-scheme", "version": "1"})", "version"}),
    [](const testing::TestParamInfo<BadScheme>& info) { return std::string(info.param.name); });

TEST(SchemeFile, MessageForRouteGroupsReadsAsDocumented) {
    const SchemeReadResult read =
        SchemeFile::FromString(Scheme(R"("pages": {"routeGroups": [true]})"));
    EXPECT_EQ(read.error.toStdString(),
              "方案文件错误：键 \"pages.routeGroups\" 应为 10 个布尔值的数组");
}

TEST(SchemeFile, ErrorLeavesStartUpSettings) {
    const SchemeReadResult read = SchemeFile::FromString(Scheme(R"("sumLow": 4, "level": 99)"));
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.settings, Settings{});
}

TEST(SchemeFile, EveryTruncationIsAnError) {
    const QByteArray whole = SchemeFile::ToBytes(VariedSchemeSettings());
    // Only the trailing line end may go: every shorter prefix lacks the closing brace.
    for (qsizetype length = 0; length < whole.size() - 1; ++length) {
        const SchemeReadResult read = SchemeFile::FromBytes(whole.left(length));
        ASSERT_FALSE(read.ok()) << length;
        EXPECT_TRUE(read.error.startsWith(QStringLiteral("方案文件错误："))) << length;
    }
}

TEST(SchemeFile, GarbageIsAnError) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes;
        for (unsigned i = rng() % 300; i > 0; --i) {
            bytes += static_cast<char>(rng());
        }
        EXPECT_FALSE(SchemeFile::FromBytes(bytes).ok());
    }
}

struct BadShape {
    const char* name;
    std::string json;
};

class SchemeShapes : public testing::TestWithParam<BadShape> {};

TEST_P(SchemeShapes, AreErrors) {
    const SchemeReadResult read = SchemeFile::FromString(GetParam().json);
    ASSERT_FALSE(read.ok());
    EXPECT_TRUE(read.error.startsWith(QStringLiteral("方案文件错误：")))
        << read.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Documents, SchemeShapes,
    testing::Values(BadShape{"Empty", ""}, BadShape{"Blank", "  \n"},
                    BadShape{"TopArray", "[" + Scheme("") + "]"}, BadShape{"TopString", "\"x\""},
                    BadShape{"TrailingGarbage", Scheme("") + "x"},
                    BadShape{"DeepNesting", kHead + ", \"pages\": " + std::string(5000, '[') +
                                                std::string(5000, ']') + "}"},
                    BadShape{"InvalidUtf8", kHead + ", \"result\": \"\xff\xfe\"}"},
                    BadShape{"Gbk", kHead + ", \"result\": \"\xb4\xf3\xb5\xd7\"}"}),
    [](const testing::TestParamInfo<BadShape>& info) { return std::string(info.param.name); });

TEST(SchemeFile, HugeFileIsRefusedWithAMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(100LL * 1024 * 1024));
    file.close();
    const SchemeReadResult read = SchemeFile::Load(path);
    ASSERT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(QStringLiteral("太大"))) << read.error.toStdString();
    EXPECT_TRUE(read.error.contains(path));
}

TEST(SchemeFile, MissingFileNamesThePath) {
    QTemporaryDir dir;
    const QString path = dir.filePath("none.json");
    const SchemeReadResult read = SchemeFile::Load(path);
    ASSERT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(path)) << read.error.toStdString();
}

TEST(SchemeFile, BrokenContentNamesThePathAndTheProblem) {
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.json");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"format": "tarvex-scheme", "version": 1, "sumLow": )");
    file.close();
    const SchemeReadResult read = SchemeFile::Load(path);
    ASSERT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains(path)) << read.error.toStdString();
    EXPECT_TRUE(read.error.contains(QStringLiteral("JSON"))) << read.error.toStdString();
}

TEST(SchemeFile, FolderIsAnError) {
    QTemporaryDir dir;
    EXPECT_FALSE(SchemeFile::Load(dir.path()).ok());
}

} // namespace
} // namespace tarvex
