#pragma once

#include "engine/NumberSet.h"
#include "engine/Settings.h"

#include <string>

namespace tarvex {

// The numbers a scheme leaves as a member of a combination: its survivors after 杀组合, or
// the list after 容错 at the scheme's own level when `tolerance` is asked.
struct SchemeSet {
    std::string message; // the validation message that stopped the kill run
    NumberSet numbers;
    bool completed() const { return message.empty(); }
};

SchemeSet SchemeNumbers(const Settings& scheme, bool tolerance);

// The numbers a 大底 text holds, as 杀组合 reads the result box when 大底 is checked.
NumberSet BaseTextNumbers(std::string_view text);

} // namespace tarvex
