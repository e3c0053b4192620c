#include "numbersets/ExportText.h"
#include "numbersets/GroupConversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex {
namespace {

using Numbers = std::vector<std::string>;

struct GroupCase {
    const char* name;
    Numbers items;
    Numbers expected;
};

class GroupConversionCases : public testing::TestWithParam<GroupCase> {};

TEST_P(GroupConversionCases, KeepsFirstSeenRepresentatives) {
    const GroupConversion out = ConvertToGroup(GetParam().items);
    EXPECT_EQ(out.numbers, GetParam().expected);
    EXPECT_EQ(out.countText, "组选号码剩" + std::to_string(GetParam().expected.size()) + "注");
}

INSTANTIATE_TEST_SUITE_P(
    Lists, GroupConversionCases,
    testing::Values(GroupCase{"Mixed", {"123", "213", "321", "456"}, {"123", "456"}},
                    GroupCase{"NoSmallest", {"213", "231", "321"}, {"213"}},
                    GroupCase{"Pair", {"112", "121", "211"}, {"112"}},
                    GroupCase{"Triple", {"111"}, {"111"}}, GroupCase{"Empty", {}, {}},
                    GroupCase{"AllSix", {"123", "132", "213", "231", "312", "321"}, {"123"}},
                    GroupCase{"PairsDiffer", {"112", "122", "212", "221"}, {"112", "122"}},
                    GroupCase{"Converted", {"001", "123", "456"}, {"001", "123", "456"}},
                    GroupCase{"Duplicate", {"555", "555"}, {"555"}}),
    [](const testing::TestParamInfo<GroupCase>& info) { return std::string(info.param.name); });

TEST(ConvertToGroup, ConvertingTwiceChangesNothing) {
    const Numbers items{"012", "021", "102", "345", "354", "777", "899", "989"};
    const GroupConversion once = ConvertToGroup(items);
    const GroupConversion twice = ConvertToGroup(once.numbers);
    EXPECT_EQ(twice.numbers, once.numbers);
    EXPECT_EQ(once.numbers, (Numbers{"012", "345", "777", "899"}));
}

TEST(ConvertToGroup, SixRepresentativesBreakAfterFive) {
    const GroupConversion out = ConvertToGroup({"001", "002", "003", "004", "005", "006"});
    EXPECT_EQ(out.resultText, "001\t002\t003\t004\t005\t\n006\t");
    EXPECT_EQ(out.fileText, "001\n002\n003\n004\n005\n006\n");
    EXPECT_EQ(out.countText, "组选号码剩6注");
}

TEST(ConvertToGroup, EmptyListGivesEmptyTexts) {
    const GroupConversion out = ConvertToGroup({});
    EXPECT_EQ(out.resultText, "");
    EXPECT_EQ(out.fileText, "");
    EXPECT_EQ(out.countText, "组选号码剩0注");
}

TEST(ConvertToGroup, OddLengthItemsAreSafe) {
    const GroupConversion out = ConvertToGroup({"", "7", "12", "21", "1234", "4231"});
    EXPECT_EQ(out.numbers, (Numbers{"", "7", "12", "1234"}));
}

Numbers Twelve() {
    Numbers list;
    for (int n = 1; n <= 12; ++n) {
        char text[8];
        std::snprintf(text, sizeof text, "%03d", n * 7);
        list.push_back(text);
    }
    return list;
}

const std::string kStamp = "2006年05月01日 21:30:00";

struct ExportCase {
    const char* name;
    Numbers list;
    int perRowIndex;
    std::string expected;
};

class ExportLayout : public testing::TestWithParam<ExportCase> {};

TEST_P(ExportLayout, MatchesTheFile) {
    EXPECT_EQ(ExportText(GetParam().list, GetParam().perRowIndex, kStamp), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExportLayout,
    testing::Values(
        ExportCase{"OnePerLine", Twelve(), 0,
                   "007\t\n014\t\n021\t\n028\t\n035\t\n042\t\n049\t\n056\t\n063\t\n070\t\n077\t\n"
                   "084\t\n\n2006年05月01日 21:30:00 共计12注\t"},
        ExportCase{"FivePerLine", Twelve(), 4,
                   "007\t014\t021\t028\t035\t\n042\t049\t056\t063\t070\t\n077\t084\t"
                   "\n2006年05月01日 21:30:00 共计12注\t"},
        ExportCase{"Empty", {}, 4, "\n2006年05月01日 21:30:00 共计0注\t"},
        ExportCase{
            "TwentyPerLine", {"000", "999"}, 19, "000\t999\t\n2006年05月01日 21:30:00 共计2注\t"},
        ExportCase{"IndexOutOfRange",
                   {"000", "999"},
                   -1,
                   "000\t\n999\t\n\n2006年05月01日 21:30:00 共计2注\t"}),
    [](const testing::TestParamInfo<ExportCase>& info) { return std::string(info.param.name); });

struct NameCase {
    std::string chosen;
    std::string used;
};

class ExportName : public testing::TestWithParam<NameCase> {};

TEST_P(ExportName, GetsTxtOnlyWithoutAPoint) {
    EXPECT_EQ(ExportFileName(GetParam().chosen), GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ExportName,
    testing::Values(NameCase{"result", "result.TXT"}, NameCase{"result.txt", "result.txt"},
                    NameCase{"a.b", "a.b"}, NameCase{"result.", "result."},
                    NameCase{".hidden", ".hidden"}, NameCase{"/home/u/结果", "/home/u/结果.TXT"},
                    NameCase{"/home/u.v/result", "/home/u.v/result.TXT"},
                    NameCase{"C:\\data.2006\\result", "C:\\data.2006\\result.TXT"},
                    NameCase{"/tmp/x/a.b", "/tmp/x/a.b"}));

} // namespace
} // namespace tarvex
