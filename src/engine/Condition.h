#pragma once

namespace tarvex {

// The conditions both runs evaluate, in the order of the tolerance report.
enum class Condition {
    Dan,             // 胆
    PositionalKill2, // 定位杀2码
    Kill2,           // 不定位杀2码
    MustHave2,       // 必出2码
    Direct,          // 杀直选号码
    SumRange,        // 和值范围
    SumTail,         // 和尾
    Span,            // 跨度
    PositionalKill,  // 定位杀
    ExcludeCompound, // 复式排除
    KillSums,        // 杀指定和值
    BigSmall,        // 大小过滤
    OddEven,         // 奇偶过滤
    PrimeComposite,  // 质合过滤
    Shape,           // 结构过滤
    Consecutive,     // 连号过滤
    Route,           // 012过滤
    RouteGroup,      // 012过滤组
    Dan2,            // 2胆过滤
    Dan3,            // 3胆过滤
    Match,           // 匹配过滤
    PositionSize,    // 位置大小
    Junk,            // 垃圾复试
    Intersection,    // 交集过滤
    Formula,         // 公式过滤
    Ac,              // AC值过滤
};

inline constexpr int kConditionCount = static_cast<int>(Condition::Ac) + 1;

} // namespace tarvex
