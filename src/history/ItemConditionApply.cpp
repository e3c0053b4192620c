#include "history/ItemConditionApply.h"

#include "engine/TextScan.h"
#include "history/AnalysisItems.h"

#include <cstddef>
#include <string>

namespace tarvex {

namespace {

const char* const kPositionNames[] = {"百位", "十位", "个位"};

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

bool HasPosition(const ItemCondition& item) {
    return InRange(item.position, 0, 2);
}

bool IsDigitItem(const ItemCondition& item) {
    if (!InRange(item.value, 0, 9))
        return false;
    return item.kind == ItemKind::DigitAnywhere ||
           (item.kind == ItemKind::DigitAt && HasPosition(item));
}

bool Killable(const ItemCondition& item) {
    switch (item.kind) {
    case ItemKind::Sum:
        return InRange(item.value, 0, 27);
    case ItemKind::SumTail:
    case ItemKind::Span:
        return InRange(item.value, 0, 9);
    case ItemKind::RoutePattern:
        return InRange(item.value, 0, 26);
    case ItemKind::OddEvenPattern:
    case ItemKind::BigSmallPattern:
    case ItemKind::PrimeCompositePattern:
        return InRange(item.value, 0, 7);
    case ItemKind::Consecutive:
        return InRange(item.value, 3, 5);
    case ItemKind::Ac:
        return InRange(item.value, 1, 3);
    case ItemKind::Shape:
        return InRange(item.value, 0, 2);
    case ItemKind::RouteAt:
        return InRange(item.value, 0, 2) && HasPosition(item);
    case ItemKind::DigitAt:
    case ItemKind::DigitAnywhere:
        return IsDigitItem(item);
    case ItemKind::TwoCode:
        return InRange(item.value, 0, 99) && item.value / 10 <= item.value % 10;
    default:
        return false;
    }
}

// The run looks a digit up in the edit's text, so one occurrence is enough.
void KillAt(Settings& settings, int position, int digit) {
    std::string& digits = settings.positionalKillDigits[static_cast<std::size_t>(position)];
    const char c = static_cast<char>('0' + digit);
    if (digits.find(c) == std::string::npos)
        digits += c;
    settings.positionalKill = true;
}

// The run finds a sum only between blanks, so sums are written blank-separated.
void KillSum(Settings& settings, int sum) {
    settings.killSums = true;
    if (settings.sums == kSumsHint || settings.sums.find_first_not_of(' ') == std::string::npos) {
        settings.sums = std::to_string(sum);
        return;
    }
    if (!BlankedValues(" " + settings.sums + " ").test(static_cast<std::size_t>(sum)))
        settings.sums += " " + std::to_string(sum);
}

std::string PairText(int pair) {
    return {static_cast<char>('0' + pair / 10), static_cast<char>('0' + pair % 10)};
}

// The page reads adjacent digits as a pair, so a new pair is set apart with a comma.
void KillPair(Settings& settings, int pair) {
    std::string& text = settings.pages.kill2;
    if (text == kPlaceholderKill2 || text.empty()) {
        text = PairText(pair);
        return;
    }
    if (!DigitPairs(text).test(static_cast<std::size_t>(pair)))
        text += "," + PairText(pair);
}

void Kill(Settings& s, const ItemCondition& item) {
    const auto v = static_cast<std::size_t>(item.value);
    switch (item.kind) {
    case ItemKind::Sum:
        KillSum(s, item.value);
        break;
    case ItemKind::SumTail:
        s.sumTail[v] = true;
        break;
    case ItemKind::Span:
        s.span[v] = true;
        break;
    case ItemKind::RoutePattern:
        s.route[v] = true;
        break;
    // The pattern boxes keep what is checked.
    case ItemKind::OddEvenPattern:
        s.oddEven[v] = false;
        break;
    case ItemKind::BigSmallPattern:
        s.bigSmall[v] = false;
        break;
    case ItemKind::PrimeCompositePattern:
        s.primeComposite[v] = false;
        break;
    case ItemKind::Ac:
        s.ac[v - 1] = false;
        break;
    case ItemKind::Consecutive:
        s.consecutive[v - 3] = true;
        break;
    case ItemKind::Shape:
        s.shape[v] = true;
        break;
    case ItemKind::RouteAt:
        for (int digit = item.value; digit <= 9; digit += 3)
            KillAt(s, item.position, digit);
        break;
    case ItemKind::DigitAt:
        KillAt(s, item.position, item.value);
        break;
    case ItemKind::DigitAnywhere:
        for (int position = 0; position < 3; ++position)
            KillAt(s, position, item.value);
        break;
    case ItemKind::TwoCode:
        KillPair(s, item.value);
        break;
    default:
        break;
    }
}

std::string PatternText(int code, const char* a, const char* b) {
    return AnalysisItems::PatternLabel(code, a, b);
}

std::string RouteText(int code) {
    return {static_cast<char>('0' + code / 9), static_cast<char>('0' + code / 3 % 3),
            static_cast<char>('0' + code % 3)};
}

std::string KillText(const ItemCondition& item) {
    const std::string value = std::to_string(item.value);
    switch (item.kind) {
    case ItemKind::Sum:
        return "杀指定和值 " + value;
    case ItemKind::SumTail:
        return "杀和尾 " + value;
    case ItemKind::Span:
        return "杀跨度 " + value;
    case ItemKind::RoutePattern:
        return "012路特别排除 " + RouteText(item.value);
    case ItemKind::OddEvenPattern:
        return "奇偶排列 去掉 " + PatternText(item.value, "奇", "偶");
    case ItemKind::BigSmallPattern:
        return "大小排列 去掉 " + PatternText(item.value, "大", "小");
    case ItemKind::PrimeCompositePattern:
        return "质合排列 去掉 " + PatternText(item.value, "质", "合");
    case ItemKind::Ac:
        return "AC值 去掉 " + value;
    case ItemKind::Consecutive: {
        const char* const runs[] = {"不连", "二连", "三连"};
        return std::string("特别排除 ") + runs[item.value - 3];
    }
    case ItemKind::Shape: {
        const char* const shapes[] = {"豹子", "组三", "组六"};
        return std::string("特别排除 ") + shapes[item.value];
    }
    case ItemKind::RouteAt: {
        std::string digits;
        for (int digit = item.value; digit <= 9; digit += 3)
            digits += static_cast<char>('0' + digit);
        return std::string("定位杀 ") + kPositionNames[item.position] + " " + digits;
    }
    case ItemKind::DigitAt:
        return std::string("定位杀 ") + kPositionNames[item.position] + " " + value;
    case ItemKind::DigitAnywhere:
        return "定位杀 百位十位个位 " + value;
    case ItemKind::TwoCode:
        return "杀2码 " + PairText(item.value);
    default:
        return {};
    }
}

} // namespace

bool ItemAllows(const ItemCondition& item, ItemAction action) {
    return action == ItemAction::Kill ? Killable(item) : IsDigitItem(item);
}

Settings ApplyItemCondition(Settings settings, const ItemCondition& item, ItemAction action) {
    if (!ItemAllows(item, action))
        return settings;
    if (action == ItemAction::Dan)
        settings.dan[static_cast<std::size_t>(item.value)] = true;
    else
        Kill(settings, item);
    return settings;
}

std::string ItemConditionText(const ItemCondition& item, ItemAction action) {
    if (!ItemAllows(item, action))
        return {};
    if (action == ItemAction::Dan)
        return "选胆 " + std::to_string(item.value);
    return KillText(item);
}

} // namespace tarvex
