#pragma once

#include "engine/Settings.h"

#include <string_view>
#include <vector>

namespace tarvex {

// Passes when, for every row, the number's hit count in 号码 is one of the counts in 出数.
bool MatchFilterTest(int number, const std::vector<MatchRow>& rows);

// 出2胆 (mode 2): at least two dan digits; 出3胆 (mode 3): all three digits are
// distinct dan digits. Other modes are handled by the dan stage and pass here.
bool DanCountTest(int number, std::string_view danDigits, int mode);

} // namespace tarvex
