#include "history/AnalysisItems.h"

#include "predicates/Classifiers.h"
#include "predicates/Digits.h"

#include <array>

namespace tarvex {

namespace {

const std::array<const char*, 3> kPositions{"百", "十", "个"};

int DigitAt(const Digits& d, int position) {
    return position == 0 ? d.h : (position == 1 ? d.t : d.u);
}

int CountDigits(const Digits& d, bool (*in)(int)) {
    return (in(d.h) ? 1 : 0) + (in(d.t) ? 1 : 0) + (in(d.u) ? 1 : 0);
}

bool IsOdd(int digit) {
    return digit % 2 == 1;
}

bool IsBig(int digit) {
    return digit >= 5;
}

int Occurrences(const Digits& d, int digit) {
    return (d.h == digit ? 1 : 0) + (d.t == digit ? 1 : 0) + (d.u == digit ? 1 : 0);
}

bool HoldsTwoCode(const Digits& d, int code) {
    const int a = code / 10;
    const int b = code % 10;
    return a == b ? Occurrences(d, a) >= 2 : Occurrences(d, a) > 0 && Occurrences(d, b) > 0;
}

} // namespace

bool AnalysisItems::Holds(const ItemCondition& c, int number) {
    const Digits d(number);
    switch (c.kind) {
    case ItemKind::RouteAt:
        return DigitAt(d, c.position) % 3 == c.value;
    case ItemKind::RoutePattern:
        return Route012Code(number) == c.value;
    case ItemKind::Sum:
        return d.Sum() == c.value;
    case ItemKind::SumTail:
        return d.Sum() % 10 == c.value;
    case ItemKind::Span:
        return d.Span() == c.value;
    case ItemKind::OddEvenPattern:
        return OddEvenCode(number) == c.value;
    case ItemKind::OddCount:
        return CountDigits(d, IsOdd) == c.value;
    case ItemKind::BigSmallPattern:
        return BigSmallCode(number) == c.value;
    case ItemKind::BigCount:
        return CountDigits(d, IsBig) == c.value;
    case ItemKind::DigitAnywhere:
        return Occurrences(d, c.value) > 0;
    case ItemKind::DigitAt:
        return DigitAt(d, c.position) == c.value;
    case ItemKind::Shape:
        return ShapeCode(number) == c.value;
    case ItemKind::Consecutive:
        return ConsecutiveCode(number) == c.value;
    case ItemKind::Ac:
        return AcCode(number) == c.value;
    case ItemKind::PrimeCompositePattern:
        return PrimeCompositeCode(number) == c.value;
    case ItemKind::TwoCode:
        return HoldsTwoCode(d, c.value);
    }
    return false;
}

std::string AnalysisItems::PatternLabel(int code, const std::string& a, const std::string& b) {
    // Codes 0–3 start with A and count B in the last two places; 4–7 start with B and count A.
    const bool firstA = code < 4;
    const std::string& same = firstA ? a : b;
    const std::string& other = firstA ? b : a;
    return same + ((code & 2) != 0 ? other : same) + ((code & 1) != 0 ? other : same);
}

std::vector<AnalysisItem> AnalysisItems::Route012() {
    std::vector<AnalysisItem> items;
    for (int position = 0; position < 3; ++position) {
        for (int route = 0; route < 3; ++route) {
            items.push_back({std::string(kPositions[position]) + std::to_string(route) + "路",
                             {ItemKind::RouteAt, route, position}});
        }
    }
    for (int code = 0; code < 27; ++code) {
        const std::string label{char('0' + code / 9), char('0' + code / 3 % 3),
                                char('0' + code % 3)};
        items.push_back({label, {ItemKind::RoutePattern, code}});
    }
    return items;
}

std::vector<AnalysisItem> AnalysisItems::Range(ItemKind kind, int low, int high) {
    std::vector<AnalysisItem> items;
    for (int value = low; value <= high; ++value) {
        items.push_back({std::to_string(value), {kind, value}});
    }
    return items;
}

std::vector<AnalysisItem> AnalysisItems::Patterns(ItemKind pattern, ItemKind count,
                                                  const std::string& a, const std::string& b) {
    std::vector<AnalysisItem> items;
    for (int code = 0; code < 8; ++code) {
        items.push_back({PatternLabel(code, a, b), {pattern, code}});
    }
    for (int inA = 3; inA >= 0; --inA) {
        items.push_back({std::to_string(inA) + ":" + std::to_string(3 - inA), {count, inA}});
    }
    return items;
}

std::vector<AnalysisItem> AnalysisItems::SingleDigit() {
    std::vector<AnalysisItem> items = Range(ItemKind::DigitAnywhere, 0, 9);
    for (int position = 0; position < 3; ++position) {
        for (int digit = 0; digit < 10; ++digit) {
            items.push_back({std::string(kPositions[position]) + std::to_string(digit),
                             {ItemKind::DigitAt, digit, position}});
        }
    }
    return items;
}

std::vector<AnalysisItem> AnalysisItems::Composite() {
    std::vector<AnalysisItem> items{
        {"豹子", {ItemKind::Shape, 0}},       {"组三", {ItemKind::Shape, 1}},
        {"组六", {ItemKind::Shape, 2}},       {"不连", {ItemKind::Consecutive, 3}},
        {"二连", {ItemKind::Consecutive, 4}}, {"三连", {ItemKind::Consecutive, 5}},
        {"AC1", {ItemKind::Ac, 1}},           {"AC2", {ItemKind::Ac, 2}},
        {"AC3", {ItemKind::Ac, 3}},
    };
    for (int code = 0; code < 8; ++code) {
        items.push_back({PatternLabel(code, "质", "合"), {ItemKind::PrimeCompositePattern, code}});
    }
    return items;
}

std::vector<AnalysisItem> AnalysisItems::TwoCode() {
    std::vector<AnalysisItem> items;
    for (int a = 0; a < 10; ++a) {
        for (int b = a; b < 10; ++b) {
            items.push_back(
                {std::to_string(a) + std::to_string(b), {ItemKind::TwoCode, 10 * a + b}});
        }
    }
    return items;
}

std::vector<AnalysisItem> AnalysisItems::Build(AnalysisKind kind) {
    switch (kind) {
    case AnalysisKind::Route012:
        return Route012();
    case AnalysisKind::Sum:
        return Range(ItemKind::Sum, 0, 27);
    case AnalysisKind::SumTail:
        return Range(ItemKind::SumTail, 0, 9);
    case AnalysisKind::Span:
        return Range(ItemKind::Span, 0, 9);
    case AnalysisKind::OddEven:
        return Patterns(ItemKind::OddEvenPattern, ItemKind::OddCount, "奇", "偶");
    case AnalysisKind::SingleDigit:
        return SingleDigit();
    case AnalysisKind::BigSmall:
        return Patterns(ItemKind::BigSmallPattern, ItemKind::BigCount, "大", "小");
    case AnalysisKind::Composite:
        return Composite();
    case AnalysisKind::TwoCode:
        return TwoCode();
    case AnalysisKind::DanMethods:
        break;
    }
    return {};
}

const std::vector<AnalysisItem>& AnalysisItems::Of(AnalysisKind kind) {
    // Built once; a function-local static is initialised safely even from several threads.
    static const std::array<std::vector<AnalysisItem>, kAnalysisKinds.size()> all = [] {
        std::array<std::vector<AnalysisItem>, kAnalysisKinds.size()> built;
        for (const AnalysisKind k : kAnalysisKinds) {
            built[static_cast<std::size_t>(k)] = Build(k);
        }
        return built;
    }();
    return all[static_cast<std::size_t>(kind)];
}

} // namespace tarvex
