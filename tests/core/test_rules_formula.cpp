#include "history/RuleFormula.h"
#include "history/RuleSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tarvex {
namespace {

// ---- The grammar: what is accepted and where a fault is reported ----

struct ValidCase {
    const char* name;
    std::string formula;
    int value; // for 上期 409 (sum 13, span 9), 上上期 007 (sum 7, span 7), 期 5
    int needs;
};

HistoricDraw kPrevious{"2026101", 409};
HistoricDraw kBeforeThat{"2026100", 7};

RuleInputs Inputs() {
    return RuleInputs::For(&kPrevious, &kBeforeThat, 5);
}

class ValidFormulas : public testing::TestWithParam<ValidCase> {};

TEST_P(ValidFormulas, ParseAndGiveTheirValue) {
    const ValidCase& c = GetParam();
    RuleFormulaError error;
    const std::optional<RuleFormula> formula = RuleFormula::Parse(c.formula, &error);
    ASSERT_TRUE(formula) << error.position << " " << error.reason;
    EXPECT_EQ(formula->Evaluate(Inputs()), c.value);
    EXPECT_EQ(formula->Needs(), c.needs);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ValidFormulas,
    testing::Values(
        ValidCase{"SumPlusThree", "和1+3", 6, 1},
        ValidCase{"EveryFirstVariable", "百1+十1+个1+和1+跨1+尾1", (4 + 0 + 9 + 13 + 9 + 3) % 10,
                  1},
        ValidCase{"EverySecondVariable", "百2+十2+个2+和2+跨2+尾2", (0 + 0 + 7 + 7 + 7 + 7) % 10,
                  2},
        ValidCase{"IssueDigit", "期", 5, 1}, ValidCase{"ConstantOnly", "7", 7, 1},
        ValidCase{"ProductBeforeSum", "1+2*3", 7, 1},
        ValidCase{"ParenthesesFirst", "(1+2)*3", 9, 1},
        ValidCase{"SubtractionFromTheLeft", "1-2-3", 6, 1}, // -4 mod 10
        ValidCase{"NegativeResultWrapsUp", "0-1", 9, 1},
        ValidCase{"SpacesAndTabsAnywhere", " \t百1 *\t( 十2 - 3 ) ", 8, 2}, // 4*(0-3)=-12
        ValidCase{"FullWidthSpace", "\u3000和1\u3000+\u30001", 4, 1},
        ValidCase{"LongLiteralKeepsItsLastDigit", "123456789012345678901234567893*7", 1, 1},
        ValidCase{"LeadingZeros", "0007+00", 7, 1},
        ValidCase{"HugeProductOfLiterals", "99999999999999999999*99999999999999999999*9", 9, 1},
        ValidCase{"DeepButAllowedNesting", std::string(64, '(') + "和1" + std::string(64, ')'), 3,
                  1},
        ValidCase{"SumOfManyTerms",
                  [] {
                      std::string f = "1";
                      for (std::size_t i = 1; f.size() + 2 <= RuleFormula::kMaxLength; ++i) {
                          f += "+1";
                      }
                      return f;
                  }(),
                  static_cast<int>(((RuleFormula::kMaxLength - 1) / 2 + 1) % 10), 1}),
    [](const testing::TestParamInfo<ValidCase>& info) { return std::string(info.param.name); });

struct InvalidCase {
    const char* name;
    std::string formula;
    int position; // 1-based, in characters
    const char* says;
};

class InvalidFormulas : public testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidFormulas, AreRefusedAtTheFault) {
    const InvalidCase& c = GetParam();
    RuleFormulaError error;
    EXPECT_FALSE(RuleFormula::Parse(c.formula, &error));
    EXPECT_EQ(error.position, c.position) << error.reason;
    EXPECT_NE(error.reason.find(c.says), std::string::npos) << error.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, InvalidFormulas,
    testing::Values(InvalidCase{"Empty", "", 1, "空"}, InvalidCase{"OnlySpaces", "   ", 1, "空"},
                    InvalidCase{"UnaryMinus", "-3", 1, "负号"},
                    InvalidCase{"MinusAfterTimes", "2*-1", 3, "负号"},
                    InvalidCase{"UnaryPlus", "+3", 1, "“+”前面"},
                    InvalidCase{"TwoOperators", "1+*2", 3, "“*”前面"},
                    InvalidCase{"EndsInOperator", "和1+", 4, "“+”后面"},
                    InvalidCase{"EndsInOperatorAndSpaces", "和1+  ", 6, "“+”后面"},
                    InvalidCase{"MissingOperator", "和1 3", 4, "运算符"},
                    InvalidCase{"LiteralsApart", "1 2", 3, "运算符"},
                    InvalidCase{"VariableAfterVariable", "百1 百2", 4, "运算符"},
                    InvalidCase{"IssueFollowedByDigit", "期1", 2, "运算符"},
                    InvalidCase{"ParenthesisAfterLiteral", "3(1)", 2, "运算符"},
                    InvalidCase{"ParenthesesSideBySide", "(1)(2)", 4, "运算符"},
                    InvalidCase{"LetterWithThree", "百3", 1, "1 或 2"},
                    InvalidCase{"LetterAlone", "百", 1, "1 或 2"},
                    InvalidCase{"LetterAndSpace", "和 1", 1, "1 或 2"},
                    InvalidCase{"LetterAndFullWidthDigit", "跨１", 2, "全角"},
                    InvalidCase{"UnclosedParenthesis", "(和1+3", 6, "第 1 个字符"},
                    InvalidCase{"UnclosedInner", "((1)+2", 7, "第 1 个字符"},
                    InvalidCase{"ExtraClosing", "和1+3)", 5, "多余"},
                    InvalidCase{"EmptyParentheses", "()", 2, "空"},
                    InvalidCase{"OperatorBeforeClosing", "(1+)", 4, "“+”后面"},
                    InvalidCase{"WrongCharacterInside", "(1+2]", 5, "“]”"},
                    InvalidCase{"FullWidthPlus", "和1＋3", 3, "全角"},
                    InvalidCase{"FullWidthParenthesis", "（1）", 1, "全角"},
                    InvalidCase{"Letter", "x", 1, "“x”"},
                    InvalidCase{"Division", "和1/2", 3, "“/”"},
                    InvalidCase{"Newline", "1+\n2", 3, "U+000A"},
                    InvalidCase{"UnknownChinese", "上期和+3", 1, "“上”"},
                    InvalidCase{"InvalidUtf8", "1+\xff", 3, "UTF-8"},
                    InvalidCase{"TruncatedUtf8", "1+\xe5\x92", 3, "UTF-8"},
                    InvalidCase{"PositionsCountCharacters", "百1+十1+个1+跨", 10, "1 或 2"},
                    InvalidCase{"TooDeep", std::string(65, '(') + "1" + std::string(65, ')'), 65,
                                "太深"},
                    InvalidCase{"TooManyOperands",
                                [] {
                                    std::string f = "1";
                                    for (int i = 1; i <= 1000; ++i) {
                                        f += "+1";
                                    }
                                    return f;
                                }(),
                                2001, "太长"}),
    [](const testing::TestParamInfo<InvalidCase>& info) { return std::string(info.param.name); });

TEST(RuleFormula, HostileNestingIsRefusedWithoutExhaustingTheStack) {
    const std::string deep = std::string(1'000'000, '(') + "1";
    RuleFormulaError error;
    EXPECT_FALSE(RuleFormula::Parse(deep, &error));
    EXPECT_EQ(error.position, RuleFormula::kMaxDepth + 1);
}

TEST(RuleFormula, ReportsWhichVariablesItUses) {
    const std::optional<RuleFormula> formula = RuleFormula::Parse("和1*期+尾2", nullptr);
    ASSERT_TRUE(formula);
    EXPECT_TRUE(formula->Uses(RuleVariable::Sum1));
    EXPECT_TRUE(formula->Uses(RuleVariable::Issue));
    EXPECT_TRUE(formula->Uses(RuleVariable::Tail2));
    EXPECT_FALSE(formula->Uses(RuleVariable::Sum2));
    EXPECT_STREQ(RuleFormula::VariableName(RuleVariable::Span2), "跨2");
}

// ---- Evaluation against an independent evaluator ----
//
// Random expression trees are printed with just the parentheses precedence requires (and
// now and then more, and random blanks), then the printed text is parsed and evaluated by
// the program while the test evaluates the tree in plain 64-bit integers, with the
// variables' real values (和 up to 27), and takes the remainder only at the end. Literals up
// to 99 and at most eight leaves keep every exact value below 99^8 < 2^63.

struct Node {
    char op = 0;  // '+', '-', '*' or 0 for a leaf
    int leaf = 0; // literal value, or variable index when variable
    bool variable = false;
    std::vector<Node> kids;
};

const char* kNames[13] = {"百1", "十1", "个1", "和1", "跨1", "尾1", "百2",
                          "十2", "个2", "和2", "跨2", "尾2", "期"};

Node RandomTree(std::mt19937_64& random, int depth) {
    Node node;
    if (depth == 0 || random() % 4 == 0) {
        node.variable = random() % 2 == 0;
        node.leaf =
            node.variable ? static_cast<int>(random() % 13) : static_cast<int>(random() % 100);
        return node;
    }
    node.op = "+-*"[random() % 3];
    node.kids = {RandomTree(random, depth - 1), RandomTree(random, depth - 1)};
    return node;
}

int Precedence(const Node& n) {
    return n.op == 0 ? 3 : n.op == '*' ? 2 : 1;
}

std::string Blank(std::mt19937_64& random) {
    return random() % 3 == 0 ? " " : "";
}

std::string Print(const Node& n, std::mt19937_64& random) {
    if (n.op == 0) {
        std::string leaf = n.variable ? kNames[n.leaf] : std::to_string(n.leaf);
        if (!n.variable && random() % 5 == 0) {
            leaf = "00" + leaf; // leading zeros change nothing
        }
        return leaf;
    }
    std::string left = Print(n.kids[0], random);
    std::string right = Print(n.kids[1], random);
    // A sum under a product needs parentheses; so does anything but a product or a leaf on
    // the right of a minus or a times sign (a-(b-c), a*(b*c) only for the minus).
    if (Precedence(n.kids[0]) < Precedence(n) || random() % 6 == 0) {
        left = "(" + left + ")";
    }
    if (Precedence(n.kids[1]) < Precedence(n) ||
        (n.op == '-' && n.kids[1].op != 0 && Precedence(n.kids[1]) == 1) || random() % 6 == 0) {
        right = "(" + right + ")";
    }
    return left + Blank(random) + n.op + Blank(random) + right;
}

long long Exact(const Node& n, const long long* variables) {
    if (n.op == 0) {
        return n.variable ? variables[n.leaf] : n.leaf;
    }
    const long long a = Exact(n.kids[0], variables);
    const long long b = Exact(n.kids[1], variables);
    return n.op == '+' ? a + b : n.op == '-' ? a - b : a * b;
}

TEST(RuleFormula, AgreesWithExactIntegerEvaluationOnRandomFormulas) {
    std::mt19937_64 random(20260614);
    for (int round = 0; round < 20000; ++round) {
        const Node tree = RandomTree(random, 3);
        const std::string text = Print(tree, random);
        const HistoricDraw previous{"1", static_cast<int>(random() % 1000)};
        const HistoricDraw beforeThat{"2", static_cast<int>(random() % 1000)};
        const int issue = static_cast<int>(random() % 10);

        long long variables[13];
        const HistoricDraw* draws[2] = {&previous, &beforeThat};
        for (int k = 0; k < 2; ++k) {
            const int n = draws[k]->number;
            const int h = n / 100, t = n / 10 % 10, u = n % 10;
            const int high = std::max({h, t, u}), low = std::min({h, t, u});
            const long long values[6] = {h, t, u, h + t + u, high - low, (h + t + u) % 10};
            for (int v = 0; v < 6; ++v) {
                variables[k * 6 + v] = values[v];
            }
        }
        variables[12] = issue;
        const long long exact = Exact(tree, variables);
        const int expected = static_cast<int>(((exact % 10) + 10) % 10);

        RuleFormulaError error;
        const std::optional<RuleFormula> formula = RuleFormula::Parse(text, &error);
        ASSERT_TRUE(formula) << text << ": " << error.reason;
        ASSERT_EQ(formula->Evaluate(RuleInputs::For(&previous, &beforeThat, issue)), expected)
            << text << " with " << previous.number << ", " << beforeThat.number << ", 期 " << issue;
    }
}

// ---- Rules as the command line writes them, and messages naming the rule ----

TEST(RuleSet, ParsesTargetEqualsFormula) {
    struct Row {
        const char* text;
        RuleTarget target;
        const char* formula;
    };
    for (const Row& row : {Row{"杀和尾=和1+3", RuleTarget::SumTail, "和1+3"},
                           Row{" 杀跨度 = 跨1 ", RuleTarget::Span, "跨1"},
                           Row{"杀百位=百1", RuleTarget::Hundreds, "百1"},
                           Row{"杀十位＝十2", RuleTarget::Tens, "十2"},
                           Row{"杀个位=个1*3", RuleTarget::Units, "个1*3"},
                           Row{"\u3000通杀\u3000=期", RuleTarget::AllPositions, "期"},
                           Row{"胆=尾1+尾2", RuleTarget::Dan, "尾1+尾2"}}) {
        std::string error;
        const std::optional<Rule> rule = RuleSet::ParseRule(row.text, 1, &error);
        ASSERT_TRUE(rule) << row.text << ": " << error;
        EXPECT_EQ(rule->target, row.target) << row.text;
        EXPECT_EQ(rule->formula, row.formula) << row.text;
    }
}

TEST(RuleSet, RefusesUnknownTargetsAndMissingEquals) {
    std::string error;
    EXPECT_FALSE(RuleSet::ParseRule("杀和值=和1", 3, &error));
    EXPECT_NE(error.find("第 3 条规则“杀和值=和1”"), std::string::npos) << error;
    EXPECT_NE(error.find("杀和尾、杀跨度、杀百位、杀十位、杀个位、通杀 或 胆"), std::string::npos)
        << error;
    EXPECT_FALSE(RuleSet::ParseRule("杀和尾", 1, &error));
    EXPECT_NE(error.find("目标=公式"), std::string::npos) << error;
}

TEST(RuleSet, ParseRuleChecksTheFormulaToo) {
    std::string error;
    EXPECT_FALSE(RuleSet::ParseRule("胆=", 4, &error));
    EXPECT_EQ(error, "第 4 条规则“胆=”：公式是空的");
    EXPECT_FALSE(RuleSet::ParseRule(" 杀和尾 = 和1+ ", 2, &error));
    EXPECT_EQ(error, "第 2 条规则“杀和尾=和1+”：公式第 4 个字符（末尾）：“+”后面缺少数、变量或“(”");
}

TEST(RuleSet, CompileNamesTheRuleAndTheCharacter) {
    std::string error;
    EXPECT_FALSE(
        RuleSet::Compile({{RuleTarget::SumTail, "和1+3"}, {RuleTarget::Span, "跨1+"}}, &error));
    EXPECT_EQ(error, "第 2 条规则“杀跨度=跨1+”：公式第 4 个字符（末尾）：“+”后面缺少数、变量或“(”");
    EXPECT_FALSE(RuleSet::Compile({{RuleTarget::Dan, "尾1 尾2"}}, &error));
    EXPECT_EQ(error, "第 1 条规则“胆=尾1 尾2”：公式第 4 个字符：“尾”前面缺少运算符 + - 或 *");
}

TEST(RuleSet, MessagesQuoteLongOrControlTextSafely) {
    std::string error;
    const std::string formula = std::string(300, '1') + "\n" + "和";
    EXPECT_FALSE(RuleSet::Compile({{RuleTarget::Dan, formula}}, &error));
    EXPECT_NE(error.find("…”"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_NE(error.find("公式第 301 个字符"), std::string::npos) << error;
}

TEST(RuleSet, ValuesNeedTheDrawsTheirFormulasRead) {
    std::string error;
    const std::optional<RuleSet> rules =
        RuleSet::Compile({{RuleTarget::SumTail, "和1+3"}, {RuleTarget::Span, "跨2"}}, &error);
    ASSERT_TRUE(rules) << error;
    EXPECT_EQ(rules->Needs(), 2);
    EXPECT_EQ(rules->Values(RuleInputs::For(nullptr, nullptr, 3)),
              (std::vector<int>{kNoRuleValue, kNoRuleValue}));
    EXPECT_EQ(rules->Values(RuleInputs::For(&kPrevious, nullptr, 3)),
              (std::vector<int>{6, kNoRuleValue}));
    EXPECT_EQ(rules->Values(Inputs()), (std::vector<int>{6, 7}));
    EXPECT_EQ(RuleSet().Needs(), 0);
}

TEST(RuleInputs, NextIssueCountsOnKeepingTheWidth) {
    struct Row {
        const char* issue;
        const char* next;
    };
    for (const Row& row : {Row{"2026224", "2026225"}, Row{"2026229", "2026230"},
                           Row{"0999", "1000"}, Row{"999", "1000"}, Row{"2026999", "2027000"},
                           Row{"", "1"}, Row{"A9", "A10"}, Row{"第", "第1"}}) {
        EXPECT_EQ(RuleInputs::NextIssue(row.issue), row.next) << row.issue;
    }
    EXPECT_EQ(RuleInputs::IssueDigit("2026225"), 5);
    EXPECT_EQ(RuleInputs::IssueDigit("2026x"), 0);
    EXPECT_EQ(RuleInputs::IssueDigit(""), 0);
}

} // namespace
} // namespace tarvex
