#include "FuzzSettings.h"

#include "engine/KillRun.h"

#include <array>
#include <cstdio>
#include <string>

namespace tarvex {

namespace {

// Pieces the condition texts are made of: digits, codes, separators of every kind the
// readers treat specially, Chinese punctuation, NUL and broken UTF-8.
constexpr std::array<const char*, 24> kPieces{"0",
                                              "1",
                                              "5",
                                              "9",
                                              "12",
                                              "123",
                                              "000",
                                              "*",
                                              "+",
                                              "-",
                                              ",",
                                              " ",
                                              "\t",
                                              "\n",
                                              "\r\n",
                                              "，",
                                              "012789*0123789*0178",
                                              "1*2",
                                              "*12",
                                              "11*",
                                              "百",
                                              "\0",
                                              "\xff\xfe",
                                              "\xe4\xb8"};
constexpr std::array<const char*, 16> kCells{"百",   "十", "个",   "和",   "加",     "减",
                                             "乘",   "除", "取余", "等于", "不等于", "大于",
                                             "小于", "1",  "9",    "0"};

template <std::size_t N> void Flags(FuzzedDataProvider& bytes, std::array<bool, N>& flags) {
    for (bool& flag : flags) {
        flag = bytes.ConsumeBool();
    }
}

std::string Text(FuzzedDataProvider& bytes, const char* placeholder = "") {
    switch (bytes.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return placeholder;
    case 1:
        return bytes.ConsumeRandomLengthString(64);
    default: {
        std::string text;
        for (int i = bytes.ConsumeIntegralInRange(0, 24); i > 0; --i) {
            const std::size_t which =
                bytes.ConsumeIntegralInRange<std::size_t>(0, kPieces.size() - 1);
            // "\0" is one byte of text, not an end.
            text += which == 21 ? std::string(1, '\0') : std::string(kPieces[which]);
        }
        return text;
    }
    }
}

std::string Cell(FuzzedDataProvider& bytes) {
    if (bytes.ConsumeIntegralInRange(0, 7) == 0) {
        return bytes.ConsumeRandomLengthString(8);
    }
    return kCells[bytes.ConsumeIntegralInRange<std::size_t>(0, kCells.size() - 1)];
}

void Rows(FuzzedDataProvider& bytes, Settings& settings) {
    for (int i = bytes.ConsumeIntegralInRange(0, 3); i > 0; --i) {
        settings.matches.push_back({Text(bytes), Text(bytes)});
    }
    for (int i = bytes.ConsumeIntegralInRange(0, 3); i > 0; --i) {
        settings.positionSizes.push_back({Cell(bytes), Cell(bytes), Cell(bytes)});
    }
    for (int i = bytes.ConsumeIntegralInRange(0, 3); i > 0; --i) {
        FormulaRow row{Cell(bytes), Cell(bytes), Cell(bytes), Cell(bytes), Text(bytes)};
        settings.pages.formulas.push_back(row);
    }
}

void Pages(FuzzedDataProvider& bytes, PageSettings& pages) {
    pages.direct = Text(bytes, kPlaceholderDirect);
    pages.junk = Text(bytes, kPlaceholderJunk);
    pages.kill2 = Text(bytes, kPlaceholderKill2);
    pages.positionalKill2 = Text(bytes, kPlaceholderPositionalKill2);
    pages.mustHave2 = Text(bytes, kPlaceholderMustHave2);
    pages.mustHave2Positional = bytes.ConsumeBool();
    pages.intersection = Text(bytes);
    pages.intersectionGroup = bytes.ConsumeBool();
    pages.formulaMatch = bytes.ConsumeBool();
    pages.formulaMode = bytes.ConsumeIntegralInRange(0, 1);
    Flags(bytes, pages.routeGroups);
}

} // namespace

Settings FuzzSettings(FuzzedDataProvider& bytes) {
    Settings s;
    Flags(bytes, s.sumTail);
    s.sumLow = bytes.ConsumeIntegralInRange(-3, 30);
    s.sumHigh = bytes.ConsumeIntegralInRange(-3, 30);
    Flags(bytes, s.span);
    Flags(bytes, s.dan);
    s.danCount = bytes.ConsumeIntegralInRange(1, 3);
    s.excludeCompound = bytes.ConsumeBool();
    s.positionalKill = bytes.ConsumeBool();
    s.compoundInput = bytes.ConsumeBool();
    for (int i = 0; i < 3; ++i) {
        s.exclude[i] = Text(bytes);
        s.positionalKillDigits[i] = Text(bytes);
        s.compound[i] = Text(bytes);
    }
    s.baseSet = bytes.ConsumeBool();
    s.baseIsGroup = bytes.ConsumeBool();
    s.result = Text(bytes);
    Flags(bytes, s.bigSmall);
    Flags(bytes, s.oddEven);
    Flags(bytes, s.primeComposite);
    Flags(bytes, s.shape);
    Flags(bytes, s.consecutive);
    Flags(bytes, s.route);
    Flags(bytes, s.ac);
    s.killSums = bytes.ConsumeBool();
    s.sums = Text(bytes, kSumsHint);
    s.matchFilter = bytes.ConsumeBool();
    s.positionSize = bytes.ConsumeBool();
    Rows(bytes, s);
    s.perRow = bytes.ConsumeIntegralInRange(-1, 21);
    s.level = bytes.ConsumeIntegralInRange(-1, 20);
    Pages(bytes, s.pages);
    return s;
}

ToleranceInput FuzzToleranceInput(FuzzedDataProvider& bytes, const KillOutcome& kill) {
    ToleranceInput input;
    input.killed = kill.killed;
    for (const int n : kill.survivors) {
        char text[8];
        std::snprintf(text, sizeof text, "%03d", n);
        input.list.push_back(text);
    }
    input.resultText = kill.resultText;
    for (int i = bytes.ConsumeIntegralInRange(0, 4); i > 0; --i) {
        input.killed.push_back(bytes.ConsumeIntegralInRange(0, 999));
    }
    input.resultText += Text(bytes);
    return input;
}

} // namespace tarvex
