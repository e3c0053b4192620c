#pragma once

#include "engine/Rule.h"
#include "engine/Settings.h"

#include <vector>

namespace tarvex {

// The settings a player has after setting the main window's boxes from the rules' values
// for one draw, as 应用到下期 does: 杀和尾 and 杀跨度 check the box of the value; 杀百位,
// 杀十位 and 杀个位 check 定位杀 and add the value's digit to that position's edit (通杀 to
// all three), keeping what the edit holds and adding no digit twice; 胆 checks the value's
// 选胆 box. values[i] belongs to rules[i]; kNoRuleValue (or a missing value) changes nothing.
//
// Checking 定位杀 also brings the digits its edits already hold into force, as it does in
// the window.
Settings ApplyRuleValues(Settings settings, const std::vector<Rule>& rules,
                         const std::vector<int>& values);

} // namespace tarvex
