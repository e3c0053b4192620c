#pragma once

#include <string>

namespace tarvex {

// "%03d": a number as the runs write it.
std::string CandidateText(int number);

// "杀完还剩下%d注".
std::string CountText(int count);

} // namespace tarvex
