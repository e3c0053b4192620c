#pragma once

namespace tarvex {

// What an analysis item tests, as data: the window turns it into the matching condition
// (杀和值, 杀跨度, 定位杀, …) without parsing the item text.
enum class ItemKind {
    RouteAt,               // the digit at `position` has route `value` (digit mod 3)
    RoutePattern,          // Route012Code == value
    Sum,                   // digit sum == value
    SumTail,               // digit sum mod 10 == value
    Span,                  // largest digit − smallest digit == value
    OddEvenPattern,        // OddEvenCode == value
    OddCount,              // `value` of the three digits are odd ("3:0" is 3)
    BigSmallPattern,       // BigSmallCode == value
    BigCount,              // `value` of the three digits are big, 5–9
    DigitAnywhere,         // the digit `value` is in some position
    DigitAt,               // the digit at `position` is `value`
    Shape,                 // ShapeCode == value: 0 豹子, 1 组三, 2 组六
    Consecutive,           // ConsecutiveCode == value: 3 不连, 4 二连, 5 三连
    Ac,                    // AcCode == value, 1–3
    PrimeCompositePattern, // PrimeCompositeCode == value
    TwoCode,               // value = 10a + b with a <= b: both digits drawn, a twice when a == b
};

struct ItemCondition {
    ItemKind kind = ItemKind::Sum;
    int value = 0;
    int position = -1; // 0 百, 1 十, 2 个; -1 where the kind has no position
    bool operator==(const ItemCondition&) const = default;
};

} // namespace tarvex
