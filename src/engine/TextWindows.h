#pragma once

#include "engine/NumberSet.h"

#include <string_view>

namespace tarvex {

// The three-digit windows of a text that grows at its end; windows that span the
// junction of old and appended text are found too.
class TextWindows {
public:
    explicit TextWindows(std::string_view initial = {}) { Append(initial); }
    void Append(std::string_view text);
    bool Contains(int number) const { return windows_.test(number); }

private:
    NumberSet windows_;
    int run_ = 0;   // digits at the end of the text, capped at 2
    int value_ = 0; // their value
};

} // namespace tarvex
