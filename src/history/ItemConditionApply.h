#pragma once

#include "engine/Settings.h"
#include "history/ItemCondition.h"

#include <string>

namespace tarvex {

// What a player asks of an analysis item: 杀 kills the numbers for which it holds, 胆 makes
// its digit a dan digit.
enum class ItemAction { Kill, Dan };

// Whether the main window has a control that does exactly this for the item. 杀 goes to
// 杀指定和值, 杀和尾, 杀跨度, 012路特别排除, the 奇偶/大小排列 boxes, 特别排除 (豹子, 组三,
// 组六, 不连, 二连, 三连), the 质合排列 and AC值 boxes, 定位杀 (a digit at a position, a digit
// anywhere, a route at a position as its digits) and the 杀2码 page; 胆 to the 选胆 box of a
// digit item. The odd/even and big/small counts have no box of their own.
bool ItemAllows(const ItemCondition& item, ItemAction action);

// The settings with the item's condition added as the window's controls would hold it:
// what the controls held stays, nothing is added twice, and an item the action does not
// allow changes nothing.
Settings ApplyItemCondition(Settings settings, const ItemCondition& item, ItemAction action);

// The control the condition goes to, as the player reads it: "杀指定和值 15", "定位杀 百位 3",
// "选胆 7"; empty when the action is not allowed.
std::string ItemConditionText(const ItemCondition& item, ItemAction action);

} // namespace tarvex
