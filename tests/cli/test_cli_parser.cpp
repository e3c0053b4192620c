#include "cli/CliCommands.h"
#include "cli/CliParser.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

CliParser TestParser() {
    return CliParser({
        {QStringLiteral("go"),
         {QStringLiteral("does it")},
         {{"--file", "FILE", QStringLiteral("a file"), true},
          {"--level", "N", QStringLiteral("a level")},
          {"--json", "", QStringLiteral("as JSON")}}},
        {QStringLiteral("say"), {QStringLiteral("says it")}, {}, QStringLiteral("TEXT")},
        {QStringLiteral("all"), {QStringLiteral("takes many")}, {}, QStringLiteral("RULE"), true},
    });
}

struct ParseCase {
    const char* name;
    QStringList arguments;
    QString command;
    QMap<QString, QString> values;
    QStringList flags;
    QStringList operands;
    bool help;
    const char* error; // a part of the message; empty when the line is good
};

ParseCase Good(const char* name, QStringList arguments, QString command,
               QMap<QString, QString> values = {}, QStringList flags = {},
               QStringList operands = {}) {
    return {name,
            std::move(arguments),
            std::move(command),
            std::move(values),
            std::move(flags),
            std::move(operands),
            false,
            ""};
}

ParseCase Help(const char* name, QStringList arguments) {
    return {name, std::move(arguments), {}, {}, {}, {}, true, ""};
}

ParseCase Bad(const char* name, QStringList arguments, const char* error) {
    return {name, std::move(arguments), {}, {}, {}, {}, false, error};
}

class CliParserCases : public testing::TestWithParam<ParseCase> {};

TEST_P(CliParserCases, UnderstandsOrNamesTheFault) {
    const ParseCase& c = GetParam();
    const CliParser::Result result = TestParser().Parse(c.arguments);
    if (*c.error) {
        EXPECT_TRUE(result.error.contains(QString::fromUtf8(c.error)))
            << result.error.toStdString();
        return;
    }
    ASSERT_TRUE(result.error.isEmpty()) << result.error.toStdString();
    EXPECT_EQ(result.help, c.help);
    if (c.help)
        return;
    EXPECT_EQ(result.invocation.command, c.command);
    EXPECT_EQ(result.invocation.values, c.values);
    EXPECT_EQ(result.invocation.flags, c.flags);
    EXPECT_EQ(result.invocation.operands, c.operands);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CliParserCases,
    testing::Values(
        Good("ValueApart", {"go", "--file", "a b"}, "go", {{"--file", "a b"}}),
        Good("ValueJoined", {"go", "--file=x=y"}, "go", {{"--file", "x=y"}}),
        Good("FlagAndValue", {"go", "--json", "--level", "3", "--file", "f"}, "go",
             {{"--file", "f"}, {"--level", "3"}}, {"--json"}),
        Good("ValueMayLookLikeAnOption", {"go", "--file", "--json"}, "go", {{"--file", "--json"}}),
        Good("Operand", {"say", "hello"}, "say", {}, {}, {"hello"}),
        Good("OperandAfterDashes", {"say", "--", "--odd"}, "say", {}, {}, {"--odd"}),
        Good("NegativeOperand", {"say", "-16"}, "say", {}, {}, {"-16"}),
        Good("EmptyOperand", {"say", ""}, "say", {}, {}, {""}),
        Good("ManyOperands", {"all", "a", "b", "c"}, "all", {}, {}, {"a", "b", "c"}),
        Good("NoOperandsWhereManyMayBe", {"all"}, "all"), Help("HelpFirst", {"--help"}),
        Help("HelpInCommand", {"go", "-h"}),
        Good("HelpAfterDashesIsAnOperand", {"say", "--", "--help"}, "say", {}, {}, {"--help"}),
        Bad("NoCommand", {}, "缺少命令（go、say、all）"),
        Bad("UnknownCommand", {"frob"}, "未知的命令 \"frob\""),
        Bad("MissingRequired", {"go"}, "go 缺少 --file FILE"),
        Bad("MissingValue", {"go", "--file"}, "选项 --file 缺少值"),
        Bad("EmptyValue", {"go", "--file="}, "选项 --file 缺少值"),
        Bad("Twice", {"go", "--file", "a", "--file=b"}, "选项 --file 只能给一次"),
        Bad("FlagTwice", {"go", "--file", "a", "--json", "--json"}, "选项 --json 只能给一次"),
        Bad("FlagWithValue", {"go", "--file", "a", "--json=1"}, "go 不认识参数 \"--json=1\""),
        Bad("UnknownOption", {"go", "--file", "a", "--fast"}, "go 不认识参数 \"--fast\""),
        Bad("StrayOperand", {"go", "--file", "a", "extra"}, "go 不认识参数 \"extra\""),
        Bad("SecondOperand", {"say", "a", "b"}, "say 只接受一个 TEXT，多出了 \"b\""),
        Bad("MissingOperand", {"say"}, "say 缺少 TEXT")),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

// The usage text is made from the same table the parser reads, so it cannot leave out a
// sub-command or an option of one.
TEST(CliUsage, ListsEverySubCommandWithEveryOption) {
    const CliParser parser = CliCommands::Parser();
    const QString usage = parser.Usage();
    ASSERT_GE(parser.Commands().size(), 3u);
    for (const CliVerb& command : parser.Commands()) {
        EXPECT_TRUE(usage.contains(QStringLiteral("  tarvex-cli %1 ").arg(command.name)))
            << command.name.toStdString();
        for (const CliVerbOption& option : command.options) {
            EXPECT_TRUE(usage.contains(option.name + ' ' + option.valueName))
                << command.name.toStdString() << ' ' << option.name.toStdString();
        }
    }
    EXPECT_TRUE(usage.contains("tarvex-cli backtest --scheme FILE --history FILE"));
}

TEST(CliUsage, SynopsisFoldsLongLinesUnderTheFirstOption) {
    const CliVerb verb{
        QStringLiteral("run"),
        {},
        {{"--aaaaaaaa", "FILE", {}}, {"--bbbbbbbb", "FILE", {}}, {"--cccccccc", "", {}}}};
    const QStringList lines = verb.Synopsis(40);
    EXPECT_EQ(lines,
              (QStringList{"  tarvex-cli run [--aaaaaaaa FILE]",
                           "                 [--bbbbbbbb FILE]", "                 [--cccccccc]"}));
    for (const QString& line : lines)
        EXPECT_LE(line.size(), 40);
}

} // namespace
} // namespace tarvex
