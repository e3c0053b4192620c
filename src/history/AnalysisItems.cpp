#include "history/AnalysisItems.h"

#include <array>

namespace tarvex {

namespace {

const std::array<const char*, 3> kPositions{"百", "十", "个"};

bool HoldsTwoCode(const NumberFacts& f, int code) {
    const auto a = static_cast<std::size_t>(code / 10);
    const auto b = static_cast<std::size_t>(code % 10);
    return a == b ? f.occurrences[a] >= 2 : f.occurrences[a] > 0 && f.occurrences[b] > 0;
}

int DigitAt(const NumberFacts& f, int position) {
    return position >= 0 && position < 3 ? f.digits[static_cast<std::size_t>(position)] : -1;
}

bool HasDigit(const NumberFacts& f, int digit) {
    return digit >= 0 && digit < 10 && f.occurrences[static_cast<std::size_t>(digit)] > 0;
}

} // namespace

bool AnalysisItems::Holds(const ItemCondition& c, int number) {
    return Holds(c, NumberFacts(number));
}

bool AnalysisItems::Holds(const ItemCondition& c, const NumberFacts& f) {
    switch (c.kind) {
    case ItemKind::RouteAt:
        return DigitAt(f, c.position) >= 0 && DigitAt(f, c.position) % 3 == c.value;
    case ItemKind::RoutePattern:
        return f.route == c.value;
    case ItemKind::Sum:
        return f.sum == c.value;
    case ItemKind::SumTail:
        return f.sum % 10 == c.value;
    case ItemKind::Span:
        return f.span == c.value;
    case ItemKind::OddEvenPattern:
        return f.oddEven == c.value;
    case ItemKind::OddCount:
        return f.odd == c.value;
    case ItemKind::BigSmallPattern:
        return f.bigSmall == c.value;
    case ItemKind::BigCount:
        return f.big == c.value;
    case ItemKind::DigitAnywhere:
        return HasDigit(f, c.value);
    case ItemKind::DigitAt:
        return DigitAt(f, c.position) == c.value;
    case ItemKind::Shape:
        return f.shape == c.value;
    case ItemKind::Consecutive:
        return f.consecutive == c.value;
    case ItemKind::Ac:
        return f.ac == c.value;
    case ItemKind::PrimeCompositePattern:
        return f.primeComposite == c.value;
    case ItemKind::TwoCode:
        return c.value >= 0 && c.value < 100 && HoldsTwoCode(f, c.value);
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
