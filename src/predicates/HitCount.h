#pragma once

#include <string_view>

namespace tarvex {

// How many distinct digits of number (0..999) occur as characters in text.
int HitCount(int number, std::string_view text);

} // namespace tarvex
