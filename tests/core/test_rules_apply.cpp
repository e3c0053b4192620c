#include "history/RuleApply.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvex {
namespace {

struct ApplyCase {
    const char* name;
    std::function<void(Settings&)> before; // what the scheme already had
    std::vector<Rule> rules;
    std::vector<int> values;
    std::function<void(Settings&)> expected; // the changes ApplyRuleValues must make
};

Rule R(RuleTarget target) {
    return {target, "0"};
}

std::vector<ApplyCase> Cases() {
    using T = RuleTarget;
    return {
        {"SumTailChecksItsBox",
         [](Settings&) {},
         {R(T::SumTail)},
         {3},
         [](Settings& s) { s.sumTail[3] = true; }},
        {"SpanChecksItsBox",
         [](Settings&) {},
         {R(T::Span)},
         {0},
         [](Settings& s) { s.span[0] = true; }},
        {"TwoSumTailsAndAnAlreadyCheckedBox",
         [](Settings& s) { s.sumTail[7] = true; },
         {R(T::SumTail), R(T::SumTail)},
         {7, 2},
         [](Settings& s) { s.sumTail[2] = true; }},
        {"HundredsTurnsOnPositionalKill",
         [](Settings&) {},
         {R(T::Hundreds)},
         {4},
         [](Settings& s) {
             s.positionalKill = true;
             s.positionalKillDigits[0] = "4";
         }},
        {"TensAndUnitsKeepTheirDigits",
         [](Settings& s) {
             s.positionalKill = true;
             s.positionalKillDigits = {"", "1 2", "9"};
         },
         {R(T::Tens), R(T::Units), R(T::Units)},
         {3, 9, 8},
         [](Settings& s) {
             s.positionalKillDigits = {"", "1 23", "98"};
         }},
        {"AllPositionsFillsAllThree",
         [](Settings& s) {
             s.positionalKillDigits = {"5", "", "05"};
         },
         {R(T::AllPositions)},
         {5},
         [](Settings& s) {
             s.positionalKill = true;
             s.positionalKillDigits = {"5", "5", "05"};
         }},
        {"AllPositionsAndHundredsAddOnce",
         [](Settings&) {},
         {R(T::AllPositions), R(T::Hundreds)},
         {1, 1},
         [](Settings& s) {
             s.positionalKill = true;
             s.positionalKillDigits = {"1", "1", "1"};
         }},
        {"DanChecksItsBoxAndKeepsTheCount",
         [](Settings& s) {
             s.danCount = 2;
             s.dan[6] = true;
         },
         {R(T::Dan), R(T::Dan)},
         {0, 6},
         [](Settings& s) { s.dan[0] = true; }},
        {"MissingValuesChangeNothing",
         [](Settings&) {},
         {R(T::SumTail), R(T::Dan), R(T::Units)},
         {kNoRuleValue, 10},
         [](Settings&) {}},
        {"EveryKindAtOnce",
         [](Settings&) {},
         {R(T::SumTail), R(T::Span), R(T::Hundreds), R(T::Tens), R(T::Units), R(T::AllPositions),
          R(T::Dan)},
         {1, 2, 3, 4, 5, 6, 7},
         [](Settings& s) {
             s.sumTail[1] = true;
             s.span[2] = true;
             s.positionalKill = true;
             s.positionalKillDigits = {"36", "46", "56"};
             s.dan[7] = true;
         }},
    };
}

class ApplyRuleValuesCases : public testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyRuleValuesCases, SetTheBoxesTheRulesName) {
    const ApplyCase& c = GetParam();
    Settings scheme;
    scheme.pages.kill2 = "58"; // untouched fields stay as they were
    scheme.sumLow = 4;
    c.before(scheme);
    Settings expected = scheme;
    c.expected(expected);
    EXPECT_EQ(ApplyRuleValues(scheme, c.rules, c.values), expected);
}

INSTANTIATE_TEST_SUITE_P(Rules, ApplyRuleValuesCases, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<ApplyCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace tarvex
