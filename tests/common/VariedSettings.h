#pragma once

#include "engine/Settings.h"

// Settings that differ from a freshly started window's in every field the window can show.
inline tarvex::Settings VariedSettings() {
    tarvex::Settings s;
    s.sumTail[3] = true;
    s.sumLow = 4;
    s.sumHigh = 19;
    s.span[0] = s.span[9] = true;
    s.dan = {true, false, true, false, false, false, false, false, false, true};
    s.danCount = 3;
    s.excludeCompound = true;
    s.exclude = {"12", "3", "4567"};
    s.positionalKill = true;
    s.positionalKillDigits = {"0", "", "9"};
    s.baseSet = true;
    s.baseIsGroup = true;
    s.result = "001\t002\t";
    s.bigSmall[7] = false;
    s.oddEven[0] = false;
    s.primeComposite[4] = false;
    s.shape = {true, false, true};
    s.consecutive = {false, true, false};
    s.route[26] = s.route[0] = true;
    s.ac = {false, true, false};
    s.killSums = true;
    s.sums = " 1 2 27 ";
    s.matchFilter = true;
    s.matches = {{"0268", "12"}, {"13579", "0"}};
    s.positionSize = true;
    s.positionSizes = {{"百", "大于等于", "十"}, {"个", "不等于", "个"}};
    s.perRow = 9;
    s.level = 16;
    s.pages.direct = "112,123";
    s.pages.junk = "";
    s.pages.kill2 = "11,12";
    s.pages.positionalKill2 = "1*1";
    s.pages.mustHave2 = tarvex::kPlaceholderMustHave2Positional;
    s.pages.mustHave2Positional = true;
    s.pages.intersection = "123 456";
    s.pages.intersectionGroup = true;
    s.pages.formulaMatch = true;
    s.pages.formulaMode = 0;
    s.pages.formulas = {{"百", "加", "十", "等于", "9"}};
    s.pages.routeGroups = {false, true, false, true, false, true, false, true, false, true};
    return s;
}

// And in what only a scheme file can hold besides: a sum below 0, a blank match row, control
// characters and quotes in the result, a per-row count past the list's.
inline tarvex::Settings VariedSchemeSettings() {
    tarvex::Settings s = VariedSettings();
    s.sumLow = -4;
    s.compoundInput = true;
    s.compound = {"123", "456", "789"};
    s.result = "001\t002\t\n\"quoted\" \\ back\r\x01 大底";
    s.matches.insert(s.matches.begin() + 1, {"", ""});
    s.perRow = 19;
    s.pages.formulas.push_back({"和", "取余", "3", "不等于", "0"});
    return s;
}
