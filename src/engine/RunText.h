#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// "%03d": a number as the runs write it.
std::string CandidateText(int number);
// The number a list item stands for when it is exactly three digits, as the runs write them.
std::optional<int> CandidateNumber(std::string_view item);

// "杀完还剩下%d注".
std::string CountText(int count);

} // namespace tarvex
