#include "engine/KillRun.h"
#include "engine/ToleranceRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace tarvex {
namespace {

// Five MiB of one kind of noise on each side of a short meaningful text. None of the noise
// kinds holds a digit or a character any condition treats as a separator, so the whole
// text must read exactly like the meaningful part alone.
constexpr std::size_t kHalf = 5 * 1024 * 1024;

struct Noise {
    const char* name;
    std::string unit;
};

const Noise kNoises[] = {
    {"Nul", std::string(1, '\0')},
    {"InvalidUtf8", "\xff\xfe\xc0\x80\xed\xa0\x80"},
    {"Gbk", "\xc9\xb1\xba\xc5\xb3\xcc\xd0\xf2"}, // 杀号程序 in code page 936
    {"Chinese", "杀号，。"},
    {"Letters", "abcXYZ!?#"}, // one line of ten MiB
};

std::string Pad(const std::string& unit) {
    std::string text;
    text.reserve(kHalf + unit.size());
    while (text.size() < kHalf) {
        text += unit;
    }
    return text;
}

struct PageCase {
    const char* name;
    std::string payload;
    std::function<void(Settings&, const std::string&)> put;
};

const PageCase kPages[] = {
    {"Direct", "123,456", [](Settings& s, const std::string& t) { s.pages.direct = t; }},
    {"Junk", "012789*0123789*0178", [](Settings& s, const std::string& t) { s.pages.junk = t; }},
    {"Kill2", "12,34", [](Settings& s, const std::string& t) { s.pages.kill2 = t; }},
    {"PositionalKill2", "1*1,22*",
     [](Settings& s, const std::string& t) { s.pages.positionalKill2 = t; }},
    {"MustHave2", "12,34", [](Settings& s, const std::string& t) { s.pages.mustHave2 = t; }},
    {"Intersection", "123 456 789",
     [](Settings& s, const std::string& t) { s.pages.intersection = t; }},
    {"BaseSet", "123\t456\t789\n",
     [](Settings& s, const std::string& t) {
         s.baseSet = true;
         s.result = t;
     }},
    {"KillSums", " 5 10 ",
     [](Settings& s, const std::string& t) {
         s.killSums = true;
         s.sums = t;
     }},
    {"MatchNumbers", "0268",
     [](Settings& s, const std::string& t) {
         s.matchFilter = true;
         s.matches = {{t, "12"}};
     }},
};

struct HugeCase {
    const PageCase* page;
    const Noise* noise;
};

std::string CaseName(const testing::TestParamInfo<HugeCase>& info) {
    return std::string(info.param.page->name) + info.param.noise->name;
}

std::vector<HugeCase> AllCases() {
    std::vector<HugeCase> cases;
    for (const PageCase& page : kPages) {
        for (const Noise& noise : kNoises) {
            cases.push_back({&page, &noise});
        }
    }
    return cases;
}

class HugeText : public testing::TestWithParam<HugeCase> {};

TEST_P(HugeText, ReadsLikeTheMeaningfulPartAlone) {
    const PageCase& page = *GetParam().page;
    Settings plain;
    page.put(plain, page.payload);
    const KillOutcome expected = RunKill(plain);
    ASSERT_TRUE(expected.completed()) << expected.message;
    // The payload must change something, or agreement would prove nothing.
    ASSERT_FALSE(expected.survivors.empty());
    ASSERT_LT(expected.survivors.size(), 1000u);

    const std::string pad = Pad(GetParam().noise->unit);
    Settings huge;
    page.put(huge, pad + page.payload + pad);
    const KillOutcome outcome = RunKill(huge);
    EXPECT_EQ(outcome.message, expected.message);
    EXPECT_EQ(outcome.survivors, expected.survivors);
    EXPECT_EQ(outcome.killed, expected.killed);
    EXPECT_EQ(outcome.resultText, expected.resultText);

    const ToleranceInput input{outcome.killed, {}, outcome.resultText};
    const ToleranceOutcome tolerance = RunTolerance(huge, input);
    const ToleranceOutcome expectedTolerance = RunTolerance(plain, input);
    EXPECT_EQ(tolerance.readmitted, expectedTolerance.readmitted);
    EXPECT_EQ(tolerance.reportText, expectedTolerance.reportText);
}

INSTANTIATE_TEST_SUITE_P(Pages, HugeText, testing::ValuesIn(AllCases()), CaseName);

// Every byte value, over and over: whatever the run makes of it, it completes, and every
// number ends up exactly once among survivors and killed.
TEST(HostileText, EveryByteValueInEveryPageCompletesTheRun) {
    std::string bytes;
    for (int round = 0; round < 4096; ++round) {
        for (int b = 0; b < 256; ++b) {
            bytes += static_cast<char>((b * 7 + round) & 0xff);
        }
    }
    Settings s;
    for (const PageCase& page : kPages) {
        if (std::string(page.name) != "BaseSet" && std::string(page.name) != "Intersection") {
            page.put(s, bytes);
        }
    }
    s.exclude = {bytes, bytes, bytes};
    s.pages.formulaMatch = true;
    s.pages.formulas = {{"百", "除", "十", "等于", bytes}, {"和", "取余", "个", "大于", bytes}};
    s.positionSize = true;
    s.positionSizes = {{bytes, bytes, bytes}};
    const KillOutcome outcome = RunKill(s);
    ASSERT_TRUE(outcome.completed()) << outcome.message;
    std::vector<int> all = outcome.survivors;
    all.insert(all.end(), outcome.killed.begin(), outcome.killed.end());
    std::sort(all.begin(), all.end());
    ASSERT_EQ(all.size(), 1000u);
    for (int n = 0; n < 1000; ++n) {
        ASSERT_EQ(all[static_cast<std::size_t>(n)], n);
    }
    const ToleranceOutcome tolerance = RunTolerance(s, {outcome.killed, {}, outcome.resultText});
    EXPECT_EQ(tolerance.report.size(), outcome.killed.size());
}

} // namespace
} // namespace tarvex
