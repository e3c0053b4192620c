#pragma once

#include <cstdint>
#include <string_view>

namespace tarvex {

// The digits that occur as characters in text, bit d for digit d: what HitCount searches
// the text for, read once so that many numbers can be counted against it.
std::uint16_t DigitsIn(std::string_view text);

// How many distinct digits of number (0..999) are among digits (bit d for digit d).
int HitCount(int number, std::uint16_t digits);

// How many distinct digits of number (0..999) occur as characters in text.
int HitCount(int number, std::string_view text);

} // namespace tarvex
