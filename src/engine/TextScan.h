#pragma once

#include "engine/NumberSet.h"

#include <cstdint>
#include <string_view>

namespace tarvex {

// Each function reads a text once and answers which of a family of short needles
// occur in it as substrings, exactly as a byte-wise search of each needle would.

// Bit d set when the character of digit d occurs.
std::uint16_t DigitMask(std::string_view text);

// Bit 10a+b set when "ab" occurs.
PairSet DigitPairs(std::string_view text);

// Which "*tu", "h*u" and "ht*" needles occur, each indexed by its two digits.
struct PositionalPairs {
    PairSet freeHundreds; // "*tu" at t*10+u
    PairSet freeTens;     // "h*u" at h*10+u
    PairSet freeUnits;    // "ht*" at h*10+t
};
PositionalPairs ScanPositionalPairs(std::string_view text);

// Bit n set when "%03d" of n occurs.
NumberSet DigitWindows(std::string_view text);

// Bit v set when " %d " of v (0..99) occurs.
PairSet BlankedValues(std::string_view text);

// Every ordering of the digits of each member.
NumberSet PermutationClosure(const NumberSet& numbers);

} // namespace tarvex
