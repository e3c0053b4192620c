#include "ReferenceRandomSettings.h"

#include <array>
#include <cstdio>
#include <random>
#include <vector>

namespace tarvex {

namespace {

class Dice {
public:
    explicit Dice(std::uint64_t seed) : engine_(seed) {}
    int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    template <std::size_t N> const char* Pick(const std::array<const char*, N>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(N)))];
    }

private:
    std::mt19937_64 engine_;
};

template <std::size_t N> void Boxes(Dice& dice, std::array<bool, N>& boxes, int percent) {
    for (bool& box : boxes) {
        box = dice.Chance(percent);
    }
}

// Keep-groups: mostly checked, sometimes all set or all clear.
template <std::size_t N> void KeepBoxes(Dice& dice, std::array<bool, N>& boxes) {
    const int roll = dice.Below(100);
    Boxes(dice, boxes, roll < 4 ? 0 : roll < 40 ? 100 : 85);
}

// Kill-groups: rarely checked, sometimes all set.
template <std::size_t N> void KillBoxes(Dice& dice, std::array<bool, N>& boxes, int percent) {
    Boxes(dice, boxes, dice.Chance(3) ? 100 : dice.Chance(50) ? 0 : percent);
}

std::string Digits(Dice& dice, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += static_cast<char>('0' + dice.Below(10));
    }
    return text;
}

std::string Separator(Dice& dice) {
    static const std::array<const char*, 10> kSeparators{",",  " ", "\t", "\r\n", "\n",
                                                         "，", "",  "、", "  ",   ", "};
    return dice.Pick(kSeparators);
}

std::string Noise(Dice& dice) {
    static const std::array<const char*, 10> kNoise{"*", "+",   "-",  "号码",     "\xff",
                                                    "",  "abc", "**", "\xe4\xb8", "1"};
    const int which = dice.Below(10);
    if (which == 5) {
        return std::string(1, '\0');
    }
    return kNoise[static_cast<std::size_t>(which)];
}

enum class Kind { Direct, Pair, Positional, Junk, Mixed };

std::string Token(Dice& dice, Kind kind) {
    switch (kind) {
    case Kind::Direct:
        return Digits(dice, 3);
    case Kind::Pair:
        return Digits(dice, 2);
    case Kind::Positional: {
        std::string t = Digits(dice, 2);
        t.insert(t.begin() + dice.Below(3), '*');
        return t;
    }
    case Kind::Junk: {
        static const std::array<const char*, 4> kGroupSeparators{"*", "+", "-", "**"};
        std::string t = Digits(dice, dice.Between(1, 5));
        const int groups = dice.Chance(10) ? dice.Between(1, 4) : 3;
        for (int g = 1; g < groups; ++g) {
            t += dice.Pick(kGroupSeparators) + Digits(dice, dice.Between(1, 5));
        }
        return t;
    }
    case Kind::Mixed:
        break;
    }
    return dice.Chance(50) ? Digits(dice, dice.Between(1, 4)) : Noise(dice);
}

std::string List(Dice& dice, Kind kind, int minTokens, int maxTokens) {
    std::string text;
    const int tokens = dice.Between(minTokens, maxTokens);
    for (int i = 0; i < tokens; ++i) {
        if (i > 0) {
            text += Separator(dice);
        }
        text += dice.Chance(5) ? Token(dice, Kind::Mixed) : Token(dice, kind);
    }
    if (dice.Chance(10)) {
        text += Noise(dice);
    }
    return text;
}

std::string PageText(Dice& dice, const char* placeholder, Kind kind, int maxTokens) {
    const int roll = dice.Below(100);
    if (roll < 45) {
        return placeholder;
    }
    if (roll < 50) {
        return std::string(placeholder) + Separator(dice) + Token(dice, kind);
    }
    if (roll < 55) {
        return {};
    }
    return List(dice, kind, 1, maxTokens);
}

void RandomDan(Dice& dice, Settings& s) {
    if (dice.Chance(65)) {
        return;
    }
    const int digits = dice.Between(1, 5);
    for (int i = 0; i < digits; ++i) {
        s.dan[static_cast<std::size_t>(dice.Below(10))] = true;
    }
    s.danCount = dice.Between(1, 3);
}

void RandomSums(Dice& dice, Settings& s) {
    if (dice.Chance(25)) {
        s.sumLow = dice.Between(-3, 30);
        s.sumHigh = dice.Between(-3, 30);
    }
    s.killSums = dice.Chance(20);
    if (dice.Chance(60)) {
        s.sums.clear();
        const int count = dice.Between(0, 5);
        for (int i = 0; i < count; ++i) {
            s.sums += (i > 0 ? (dice.Chance(80) ? " " : Separator(dice)) : "") +
                      std::to_string(dice.Between(0, 28));
        }
    }
}

void RandomPositionTexts(Dice& dice, Settings& s) {
    s.excludeCompound = dice.Chance(20);
    s.positionalKill = dice.Chance(20);
    s.compoundInput = dice.Chance(8);
    for (int p = 0; p < 3; ++p) {
        s.exclude[p] = Digits(dice, dice.Between(0, 6)) + (dice.Chance(10) ? Noise(dice) : "");
        s.positionalKillDigits[p] = Digits(dice, dice.Between(0, 2));
        s.compound[p] = Digits(dice, dice.Between(0, 8)) + (dice.Chance(10) ? "," : "");
    }
}

void RandomBaseSet(Dice& dice, Settings& s) {
    s.baseSet = dice.Chance(15);
    s.baseIsGroup = dice.Chance(50);
    s.result = dice.Chance(10) ? std::string() : List(dice, Kind::Direct, 1, 200);
}

void RandomMatches(Dice& dice, Settings& s) {
    static const std::array<const char*, 16> kCounts{"0",   "1",   "2",    "3",  "01",  "02",
                                                     "03",  "12",  "13",   "23", "012", "013",
                                                     "023", "123", "0123", "x2"};
    s.matchFilter = dice.Chance(20);
    const int rows = dice.Between(0, 3);
    for (int i = 0; i < rows; ++i) {
        std::string numbers = Digits(dice, dice.Between(1, 5));
        if (dice.Chance(20)) {
            numbers.insert(1, ",");
        }
        s.matches.push_back({numbers, dice.Pick(kCounts)});
    }
}

void RandomPositionSizes(Dice& dice, Settings& s) {
    static const std::array<const char*, 3> kPositions{"百", "十", "个"};
    static const std::array<const char*, 6> kComparisons{"大于",     "小于",     "等于",
                                                         "大于等于", "小于等于", "不等于"};
    s.positionSize = dice.Chance(20);
    const int rows = dice.Between(0, 3);
    for (int i = 0; i < rows; ++i) {
        PositionSizeRow row{dice.Pick(kPositions), dice.Pick(kComparisons), dice.Pick(kPositions)};
        if (dice.Chance(8)) {
            row = dice.Chance(50) ? PositionSizeRow{"百大", "于", "十"}
                                  : PositionSizeRow{"千", "大于", "十"};
        }
        s.positionSizes.push_back(row);
    }
}

void RandomFormulas(Dice& dice, PageSettings& p) {
    static const std::array<const char*, 5> kLeft{"百", "十", "个", "和", "千"};
    static const std::array<const char*, 5> kOps{"加", "减", "乘", "除", "取余"};
    static const std::array<const char*, 12> kRight{"百", "十", "个", "1", "2",  "3",
                                                    "5",  "7",  "9",  "0", "十", "个"};
    static const std::array<const char*, 4> kCompare{"等于", "不等于", "大于", "小于"};
    static const std::array<const char*, 10> kValues{
        "9", "0", "7abc", "-3", "99999999999999999999", " 12", "abc", "+5", "-99999999999999999999",
        "4"};
    p.formulaMatch = dice.Chance(20);
    p.formulaMode = dice.Chance(50) ? 1 : 0;
    const int rows = dice.Between(0, 3);
    for (int i = 0; i < rows; ++i) {
        FormulaRow row{dice.Pick(kLeft), dice.Pick(kOps), dice.Pick(kRight), dice.Pick(kCompare),
                       dice.Chance(50) ? std::to_string(dice.Between(0, 30)) : dice.Pick(kValues)};
        if (dice.Chance(5)) {
            row.left = "百 ";
        }
        p.formulas.push_back(row);
    }
}

void RandomPages(Dice& dice, PageSettings& p) {
    p.direct = PageText(dice, kPlaceholderDirect, Kind::Direct, 40);
    p.junk = PageText(dice, kPlaceholderJunk, Kind::Junk, 4);
    p.kill2 = PageText(dice, kPlaceholderKill2, Kind::Pair, 3);
    p.positionalKill2 = PageText(dice, kPlaceholderPositionalKill2, Kind::Positional, 5);
    p.mustHave2Positional = dice.Chance(40);
    p.mustHave2 =
        PageText(dice,
                 p.mustHave2Positional && dice.Chance(50) ? kPlaceholderMustHave2Positional
                                                          : kPlaceholderMustHave2,
                 p.mustHave2Positional ? Kind::Positional : Kind::Pair, 12);
    p.intersectionGroup = dice.Chance(40);
    p.intersection = dice.Chance(70) ? std::string() : List(dice, Kind::Direct, 1, 300);
    KeepBoxes(dice, p.routeGroups);
    RandomFormulas(dice, p);
}

} // namespace

Settings ReferenceRandomSettings(std::uint64_t seed) {
    Dice dice(seed * 0x9E3779B97F4A7C15ull + 1);
    Settings s;
    KillBoxes(dice, s.sumTail, 10);
    KillBoxes(dice, s.span, 8);
    RandomDan(dice, s);
    RandomSums(dice, s);
    RandomPositionTexts(dice, s);
    RandomBaseSet(dice, s);
    KeepBoxes(dice, s.bigSmall);
    KeepBoxes(dice, s.oddEven);
    KeepBoxes(dice, s.primeComposite);
    KeepBoxes(dice, s.ac);
    KillBoxes(dice, s.shape, 15);
    KillBoxes(dice, s.consecutive, 15);
    KillBoxes(dice, s.route, 5);
    RandomMatches(dice, s);
    RandomPositionSizes(dice, s);
    RandomPages(dice, s.pages);
    s.perRow = dice.Chance(90) ? dice.Between(0, 19) : dice.Between(-3, 40);
    s.level = dice.Chance(90) ? dice.Between(0, 16) : dice.Between(-2, 30);
    return s;
}

} // namespace tarvex
