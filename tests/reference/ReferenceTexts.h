#pragma once

#include "engine/Settings.h"

#include <string>

namespace tarvex {

// The texts a run searches, built literally from the settings.
struct ReferenceTexts {
    std::string sumTail;
    std::string span;
    std::string dan;
    std::string bigSmall;
    std::string oddEven;
    std::string primeComposite;
    std::string shapeAndConsecutive;
    std::string route;
    std::string routeGroups;
    std::string ac;
    std::string sums; // " " + sums + " "
    std::string direct;
    std::string junk;
    std::string kill2;
    std::string positionalKill2;
    std::string mustHave2;
    std::string intersection; // expanded when the page asks for it

    explicit ReferenceTexts(const Settings& settings);
};

// "%d", "%03d" and " %d ": the forms the conditions' texts are searched for.
std::string ReferenceDigit(int value);
std::string ReferenceNumber(int number);
std::string ReferenceBlanked(int value);

// True when needle occurs in text.
bool ReferenceContains(const std::string& text, const std::string& needle);

// The junk compound test read character by character, groups split like sscanf.
bool ReferenceJunkCompoundTest(const std::string& candidate, const std::string& text);

} // namespace tarvex
