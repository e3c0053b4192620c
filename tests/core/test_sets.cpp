#include "engine/KillRun.h"
#include "engine/TextScan.h"
#include "history/RuleApply.h"
#include "history/RuleInputs.h"
#include "history/RuleSet.h"
#include "history/SetRecord.h"
#include "io/DrawHistory.h"
#include "io/SchemeFile.h"
#include "io/SetMember.h"
#include "numbersets/SchemeSet.h"
#include "numbersets/SetCombination.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace tarvex {
namespace {

const std::vector<HistoricDraw>& RealHistory() {
    static const std::vector<HistoricDraw> draws =
        DrawHistory::Load(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt")).draws;
    return draws;
}

// A member as a plain list, the model's view of it.
using Model = std::set<int>;

NumberSet ToBits(const Model& m) {
    NumberSet bits;
    for (const int n : m) {
        bits.set(static_cast<std::size_t>(n));
    }
    return bits;
}

// Each operation read straight from its definition, number by number.
Model ModelCombine(const std::vector<Model>& members, SetOperation op, int k) {
    Model out;
    for (int n = 0; n < 1000; ++n) {
        int held = 0;
        for (const Model& m : members) {
            held += m.contains(n) ? 1 : 0;
        }
        const bool inFirst = members.front().contains(n);
        const bool in = op == SetOperation::And     ? held == static_cast<int>(members.size())
                        : op == SetOperation::Or    ? held > 0
                        : op == SetOperation::Minus ? inFirst && held == 1
                                                    : held >= k;
        if (in) {
            out.insert(n);
        }
    }
    return out;
}

TEST(SetCombination, MatchesTheModelOverRandomMembers) {
    std::mt19937 random(25);
    for (int trial = 0; trial < 300; ++trial) {
        const int count = 1 + static_cast<int>(random() % 8);
        std::vector<Model> members(static_cast<std::size_t>(count));
        std::vector<NumberSet> bits;
        for (Model& m : members) {
            // Dense, sparse, empty and full members all occur.
            const unsigned density = random() % 5 == 0 ? (random() % 2) * 1000 : random() % 1000;
            for (int n = 0; n < 1000; ++n) {
                if (random() % 1000 < density) {
                    m.insert(n);
                }
            }
            bits.push_back(ToBits(m));
        }
        for (const SetOperation op :
             {SetOperation::And, SetOperation::Or, SetOperation::Minus, SetOperation::AtLeast}) {
            const int k = 1 + static_cast<int>(random() % static_cast<unsigned>(count));
            const SetCombination got = CombineSets(bits, op, k);
            ASSERT_TRUE(got.completed()) << got.message;
            EXPECT_EQ(got.numbers, ToBits(ModelCombine(members, op, k)))
                << "trial " << trial << " op " << static_cast<int>(op) << " k " << k;
            for (int n = 0; n < 1000; ++n) {
                const auto held = std::count_if(members.begin(), members.end(),
                                                [n](const Model& m) { return m.contains(n); });
                ASSERT_EQ(got.holders[static_cast<std::size_t>(n)], held) << n;
            }
        }
    }
}

TEST(SetCombination, RefusesNoMembersAndAKOutOfRange) {
    EXPECT_FALSE(CombineSets({}, SetOperation::Or).completed());
    const std::vector<NumberSet> two(2, NumberSet{}.set());
    for (const int k : {0, 3, -1}) {
        const SetCombination c = CombineSets(two, SetOperation::AtLeast, k);
        EXPECT_FALSE(c.completed()) << k;
        EXPECT_TRUE(c.numbers.none());
    }
    EXPECT_EQ(CombineSets(two, SetOperation::AtLeast, 2).numbers.count(), 1000U);
}

TEST(SetCombination, ListsNumbersAscending) {
    NumberSet s;
    s.set(999).set(0).set(517);
    EXPECT_EQ(SetNumbers(s), (std::vector<int>{0, 517, 999}));
}

// What 放入结果框 writes is read back by 大底 as the same set, and looks like a kill run's text.
TEST(SetCombination, ResultTextReadsBackAsTheSameBaseSet) {
    std::mt19937 random(3);
    for (int trial = 0; trial < 50; ++trial) {
        NumberSet s;
        const unsigned density = random() % 1000;
        for (std::size_t n = 0; n < 1000; ++n) {
            s.set(n, random() % 1000 < density);
        }
        EXPECT_EQ(BaseTextNumbers(SetResultText(s)), s);
    }
    Settings all;
    all.sumLow = 20;
    EXPECT_EQ(SetResultText(SchemeNumbers(all, false).numbers), RunKill(all).resultText);
}

// The record against a count made draw by draw from the hit positions.
void ExpectRecordMatches(const NumberSet& set, std::size_t last) {
    const std::vector<HistoricDraw>& all = RealHistory();
    const std::size_t from = last == 0 || last >= all.size() ? 0 : all.size() - last;
    std::vector<std::size_t> hitAt;
    for (std::size_t i = from; i < all.size(); ++i) {
        if (set.test(static_cast<std::size_t>(all[i].number))) {
            hitAt.push_back(i - from);
        }
    }
    const std::size_t draws = all.size() - from;
    int longest = 0;
    std::size_t previous = 0;
    for (const std::size_t h : hitAt) {
        longest = std::max(longest, static_cast<int>(h - previous));
        previous = h + 1;
    }
    longest = std::max(longest, static_cast<int>(draws - previous));
    const SetRecord r = RecordSet(set, all, last);
    ASSERT_EQ(r.Draws(), static_cast<int>(draws));
    EXPECT_EQ(r.hits, static_cast<int>(hitAt.size()));
    EXPECT_EQ(r.currentMiss, static_cast<int>(draws - previous));
    EXPECT_EQ(r.maxMiss, longest);
    EXPECT_DOUBLE_EQ(r.Chance(), static_cast<double>(set.count()) / 1000.0);
    for (const std::size_t h : hitAt) {
        EXPECT_TRUE(r.scan[h]);
    }
    EXPECT_EQ(static_cast<int>(std::count(r.scan.begin(), r.scan.end(), true)), r.hits);
    EXPECT_EQ(r.issues.back(), all.back().issue);
}

TEST(SetRecord, MatchesADirectCountOverTheRealHistory) {
    ASSERT_GT(RealHistory().size(), 1000U);
    std::mt19937 random(7);
    for (const std::size_t last : {std::size_t{0}, std::size_t{1}, std::size_t{100},
                                   std::size_t{1000}, std::size_t{100000}}) {
        for (int trial = 0; trial < 5; ++trial) {
            NumberSet set;
            const unsigned density = random() % 1000;
            for (std::size_t n = 0; n < 1000; ++n) {
                set.set(n, random() % 1000 < density);
            }
            ExpectRecordMatches(set, last);
        }
    }
    ExpectRecordMatches(NumberSet{}, 50);
    ExpectRecordMatches(NumberSet{}.set(), 50);
}

TEST(SetRecord, SkipsDrawsWithoutANumber) {
    std::vector<HistoricDraw> draws{{"1", 5, {}, {}}, {"2", -1, {}, {}}, {"3", 6, {}, {}}};
    NumberSet set;
    set.set(6);
    const SetRecord r = RecordSet(set, draws, 0);
    EXPECT_EQ(r.scan, (std::vector<bool>{false, true}));
    EXPECT_EQ(r.currentMiss, 0);
    EXPECT_EQ(r.maxMiss, 1);
}

Settings SchemeWithRules() {
    Settings s;
    s.rules = {{RuleTarget::SumTail, "和1+3"}, {RuleTarget::Hundreds, "百2"}};
    s.killSums = false;
    s.span[0] = true;
    return s;
}

// Each draw's set made by hand: the rules' values from the draws before, set on the boxes.
TEST(SetRecord, ASchemeWithRulesHoldsEachDrawsOwnSet) {
    const Settings scheme = SchemeWithRules();
    const std::vector<HistoricDraw>& all = RealHistory();
    const std::size_t last = 60;
    for (const bool tolerance : {false, true}) {
        const SetRecord r = RecordScheme(scheme, tolerance, all, last);
        ASSERT_TRUE(r.completed()) << r.message;
        ASSERT_EQ(r.Draws(), static_cast<int>(last));
        const RuleSet rules = *RuleSet::Compile(scheme.rules, nullptr);
        long long sizes = 0;
        for (std::size_t j = 0; j < last; ++j) {
            const std::size_t i = all.size() - last + j;
            const RuleInputs inputs =
                RuleInputs::For(&all[i - 1], &all[i - 2], RuleInputs::IssueDigit(all[i].issue));
            const Settings day = ApplyRuleValues(scheme, scheme.rules, rules.Values(inputs));
            const SchemeSet set = SchemeNumbers(day, tolerance);
            ASSERT_TRUE(set.completed());
            EXPECT_EQ(r.scan[j], set.numbers.test(static_cast<std::size_t>(all[i].number))) << j;
            sizes += static_cast<long long>(set.numbers.count());
        }
        EXPECT_EQ(r.sizeSum, sizes);
    }
}

TEST(SetRecord, AStoppedSchemeOrABadRuleGivesItsMessage) {
    Settings stopped;
    stopped.shape = {true, true, true};
    EXPECT_FALSE(RecordScheme(stopped, false, RealHistory(), 10).completed());
    Settings badRule;
    badRule.rules = {{RuleTarget::Span, "和1+"}};
    EXPECT_FALSE(RecordScheme(badRule, false, RealHistory(), 10).completed());
}

class SetMemberFiles : public ::testing::Test {
protected:
    QString Write(const char* name, const QByteArray& bytes) {
        const QString path = dir_.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir_;
};

TEST_F(SetMemberFiles, ReadsASchemeAsItsSurvivors) {
    Settings s;
    s.sumLow = 10;
    s.sumHigh = 12;
    s.level = 2;
    const QString path = Write("甲.json", SchemeFile::ToBytes(s));
    ASSERT_TRUE(SetMemberReader::IsScheme(path));
    for (const bool tolerance : {false, true}) {
        const SetMember m = SetMemberReader::Load(path, tolerance);
        ASSERT_TRUE(m.ok()) << m.error.toStdString();
        EXPECT_EQ(m.kind, SetMember::Kind::Scheme);
        EXPECT_EQ(m.name, QStringLiteral("甲.json"));
        EXPECT_EQ(m.numbers, SchemeNumbers(s, tolerance).numbers);
    }
    EXPECT_LT(SetMemberReader::Load(path, false).Count(),
              SetMemberReader::Load(path, true).Count());
    // For a combination only the numbers are kept, not the scheme's texts.
    Settings big = s;
    big.pages.direct = std::string(1 << 20, ' ') + "123";
    const QString bigPath = Write("乙.json", SchemeFile::ToBytes(big));
    const SetMember kept = SetMemberReader::Load(bigPath, false);
    const SetMember numbersOnly = SetMemberReader::Load(bigPath, false, false);
    EXPECT_EQ(kept.scheme.pages.direct, big.pages.direct);
    EXPECT_NE(numbersOnly.scheme.pages.direct, big.pages.direct);
    EXPECT_EQ(numbersOnly.numbers, kept.numbers);
}

TEST_F(SetMemberFiles, ReadsANumberFileAsTheBaseSet) {
    const QByteArray text = "123 456\r\n789,001x12\n";
    const SetMember m = SetMemberReader::Load(Write("底.txt", text), false);
    ASSERT_TRUE(m.ok());
    EXPECT_EQ(m.kind, SetMember::Kind::NumberFile);
    EXPECT_EQ(m.numbers, DigitWindows("123 456\n789,001x12\n"));
    EXPECT_EQ(m.Count(), 4);
}

TEST_F(SetMemberFiles, NamesAMemberThatGivesNoNumbers) {
    Settings stopped;
    stopped.oddEven.fill(false);
    const struct {
        QString path;
        const char* mentions;
    } cases[] = {
        {Write("停.json", SchemeFile::ToBytes(stopped)), "奇偶"},
        {Write("坏.json", "{\"sumLow\": \"x\"}"), "坏.json"},
        {dir_.filePath("无.txt"), "无.txt"},
        {Write("大.txt", QByteArray(20000, '1')), "大.txt"},
        {dir_.path(), ""},
    };
    for (const auto& c : cases) {
        const SetMember m = SetMemberReader::Load(c.path, false);
        EXPECT_FALSE(m.ok()) << c.path.toStdString();
        EXPECT_TRUE(m.error.contains(QString::fromUtf8(c.mentions))) << m.error.toStdString();
        EXPECT_TRUE(m.numbers.none());
    }
}

TEST(SetMemberCurrent, ReadsTheResultBoxAsABaseSet) {
    const SetMember m = SetMemberReader::Current("001\t002\t\n999\t");
    EXPECT_EQ(m.kind, SetMember::Kind::Current);
    EXPECT_EQ(SetNumbers(m.numbers), (std::vector<int>{1, 2, 999}));
}

} // namespace
} // namespace tarvex
